#include "shell/CPanViewHelp.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

CPanViewHelp::CPanViewHelp(QWidget* parent) : QWidget(parent) {
    auto* name = new QLabel(Version());
    name->setObjectName(QStringLiteral("programVersion"));
    QFont f = name->font();
    f.setPointSizeF(f.pointSizeF() * 1.8);
    f.setBold(true);
    name->setFont(f);
    auto* about = new QLabel(tr("ZigBee 无线模块配置工具：打开串口，识别模块，读取并修改模块配置。"));
    about->setWordWrap(true);

    // The distributor fills in its own contact data.
    const QString unset = tr("（由发行方填写）");
    auto* contacts = new QFormLayout;
    contacts->setHorizontalSpacing(20);
    contacts->setVerticalSpacing(10);
    for (const QString& caption : {tr("销售电话"), tr("技术支持电话"),
                                   tr("技术支持邮箱"), tr("主页")}) {
        auto* label = new QLabel(caption);
        auto* value = new QLabel(unset);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        label->setBuddy(value);
        contacts->addRow(label, value);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 28, 32, 28);
    layout->setSpacing(14);
    layout->addWidget(name);
    layout->addWidget(about);
    layout->addSpacing(10);
    layout->addLayout(contacts);
    layout->addStretch();
}
