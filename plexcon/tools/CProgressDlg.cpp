#include "tools/CProgressDlg.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

CProgressDlg::CProgressDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Plexcon"));
    auto* text = new QLabel(tr("正在执行，请稍候……"), this);
    bar_ = new QProgressBar(this);
    bar_->setTextVisible(false);
    bar_->setMinimumWidth(320);
    text->setBuddy(bar_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(12);
    layout->addWidget(text);
    layout->addWidget(bar_);
    setFixedSize(sizeHint());

    timer_ = new QTimer(this);
    timer_->setInterval(kTickMs);
    connect(timer_, &QTimer::timeout, this, &CProgressDlg::tick);
}

void CProgressDlg::setRange(int lower, int upper) {
    lower_ = lower;
    upper_ = upper;
}

void CProgressDlg::setPosition(int position) {
    QMetaObject::invokeMethod(this, [this, position] { bar_->setValue(position); }, Qt::QueuedConnection);
}

void CProgressDlg::step() {
    QMetaObject::invokeMethod(this, [this] { bar_->setValue(std::min(bar_->value() + 1, upper_)); },
                              Qt::QueuedConnection);
}

int CProgressDlg::position() const { return bar_->value(); }

void CProgressDlg::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    bar_->setRange(lower_, upper_);
    bar_->setValue(lower_);
    timer_->start();
}

void CProgressDlg::done(int result) {
    timer_->stop();
    QDialog::done(result);
}

void CProgressDlg::tick() {
    if (bar_->value() >= upper_) accept();
}
