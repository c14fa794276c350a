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
    pending_.store(position);
    QMetaObject::invokeMethod(this, "applyPosition", Qt::QueuedConnection);
}

void CProgressDlg::step() {
    int now = pending_.load();
    while (!pending_.compare_exchange_weak(now, std::min(std::max(now, lower_) + 1, upper_))) {
    }
    QMetaObject::invokeMethod(this, "applyPosition", Qt::QueuedConnection);
}

void CProgressDlg::applyPosition() {
    const int position = pending_.load();
    if (position >= 0) bar_->setValue(position);
}

int CProgressDlg::position() const { return bar_->value(); }

void CProgressDlg::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    bar_->setRange(lower_, upper_);
    bar_->setValue(lower_);
    int unset = -1;  // a position the worker set before the dialog opened stays
    pending_.compare_exchange_strong(unset, lower_);
    applyPosition();
    timer_->start();
}

void CProgressDlg::done(int result) {
    timer_->stop();
    QDialog::done(result);
}

void CProgressDlg::tick() {
    if (bar_->value() >= upper_) accept();
}
