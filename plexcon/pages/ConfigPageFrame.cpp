#include "pages/ConfigPageFrame.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "pages/PageLayout.h"
#include "shell/Operator.h"

ConfigPageFrame::ConfigPageFrame(const QString& getCaption, const QString& modifyCaption) {
    grid_ = new QGridLayout;
    grid_->setHorizontalSpacing(10);
    grid_->setVerticalSpacing(8);
    grid_->setColumnStretch(1, 1);
    grid_->setColumnStretch(4, 1);
    grid_->setColumnMinimumWidth(3, 16);

    get_ = new QPushButton(getCaption);
    modify_ = new QPushButton(modifyCaption);
    LayOutPage(this, grid_, {get_, modify_});
}

QLabel* ConfigPageFrame::addField(int row, int column, const QString& caption, QWidget* field) {
    auto* label = new QLabel(caption);
    label->setBuddy(field);
    grid_->addWidget(label, row, column * 3);
    grid_->addWidget(field, row, column * 3 + 1);
    return label;
}

void ConfigPageFrame::addHint(int row, int column, const QString& text) {
    auto* hint = new QLabel(text);
    hint->setForegroundRole(QPalette::PlaceholderText);
    grid_->addWidget(hint, row, column * 3 + 2);
}

void ConfigPageFrame::reportRead(Operator& op, int result, const QString& failed) {
    if (result == 0) op.message(this, failed, Operator::Icon::Critical);
    else if (result == 1) op.message(this, tr("获取设备信息成功..."), Operator::Icon::Information);
}
