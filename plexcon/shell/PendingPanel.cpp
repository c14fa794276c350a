#include "shell/PendingPanel.h"

#include <QLabel>
#include <QVBoxLayout>

void ShowPendingNotice(QWidget* panel, const QString& family) {
    auto* title = new QLabel(family);
    QFont f = title->font();
    f.setPointSizeF(f.pointSizeF() * 1.6);
    f.setBold(true);
    title->setFont(f);
    auto* note = new QLabel(QStringLiteral("此面板的本地模块、远程模块与配置页面尚在建设中…"));
    note->setObjectName(QStringLiteral("pendingNotice"));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->addWidget(title);
    layout->addWidget(note);
    layout->addStretch();
}
