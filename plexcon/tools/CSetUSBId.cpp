#include "tools/CSetUSBId.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <thread>

#include "shell/Operator.h"
#include "tools/CProgressDlg.h"
#include "tools/UsbBridge.h"

CSetUSBId::CSetUSBId(UsbBridge& bridge, Operator& op, QWidget* parent) : QDialog(parent), bridge_(bridge), op_(op) {
    setWindowTitle(tr("修改虚拟串口配置"));

    devices_ = new QComboBox(this);
    devices_->setMinimumWidth(280);
    identity_ = new QLineEdit(this);
    identity_->setMaxLength(UsbBridge::kMaxIdentityLength);
    refreshButton_ = new QPushButton(tr("刷新列表"), this);
    changeButton_ = new QPushButton(tr("修改"), this);
    auto* deviceLabel = new QLabel(tr("设备列表"), this);
    deviceLabel->setBuddy(devices_);
    auto* identityLabel = new QLabel(tr("虚拟串口ID"), this);
    identityLabel->setBuddy(identity_);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(12);
    grid->addWidget(deviceLabel, 0, 0);
    grid->addWidget(devices_, 0, 1);
    grid->addWidget(refreshButton_, 0, 2);
    grid->addWidget(identityLabel, 1, 0);
    grid->addWidget(identity_, 1, 1);
    grid->addWidget(changeButton_, 1, 2);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->setSpacing(18);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    connect(refreshButton_, &QPushButton::clicked, this, &CSetUSBId::refresh);
    connect(changeButton_, &QPushButton::clicked, this, &CSetUSBId::change);
    connect(devices_, &QComboBox::activated, this, &CSetUSBId::showSelection);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

void CSetUSBId::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (listed_) return;
    listed_ = true;
    // After the dialog is on screen, so that a message about the bridges stands in front of it.
    QMetaObject::invokeMethod(this, &CSetUSBId::refresh, Qt::QueuedConnection);
}

int CSetUSBId::selectedBridge() const { return devices_->currentIndex() < 0 ? -1 : devices_->currentData().toInt(); }

void CSetUSBId::refresh() {
    devices_->clear();
    int count = 0;
    if (bridge_.count(count) != UsbStatus::Ok) count = 0;
    for (int i = 0; i < count; ++i) {
        if (bridge_.probe(i) != UsbStatus::Ok || bridge_.open(i) != UsbStatus::Ok) continue;
        QString identity;
        if (bridge_.readIdentity(identity) != UsbStatus::Ok) identity.clear();
        bridge_.close();
        devices_->addItem(tr("设备%1 (ID：%2)").arg(QString::number(i), identity), i);
    }
    // A remembered position beyond a shorter list falls back to the first entry.
    if (selection_ < 0 || selection_ >= devices_->count()) selection_ = devices_->count() > 0 ? 0 : -1;
    devices_->setCurrentIndex(selection_);
    showSelection();
}

void CSetUSBId::showSelection() {
    selection_ = devices_->currentIndex();
    const int bridge = selectedBridge();
    if (bridge < 0 || bridge_.open(bridge) != UsbStatus::Ok) {
        op_.message(this, NotReady(), Operator::Icon::Plain);
        return;
    }
    QString identity;
    const bool read = bridge_.readIdentity(identity) == UsbStatus::Ok;
    bridge_.close();
    identity_->setText(read ? identity.left(UsbBridge::kMaxIdentityLength) : QString());
    if (!read) op_.message(this, ReadFailed(), Operator::Icon::Plain);
}

void CSetUSBId::change() {
    const QString identity = identity_->text().left(UsbBridge::kMaxIdentityLength);
    const int bridge = selectedBridge();
    if (bridge < 0 || bridge_.open(bridge) != UsbStatus::Ok) {
        op_.message(this, OpenFailed(), Operator::Icon::Plain);
        return;
    }
    // Some parts are one-time programmable: a locked bridge (or one whose lock cannot be read) is not written.
    bool locked = true;
    if (bridge_.readLocked(locked) != UsbStatus::Ok || locked || bridge_.writeIdentity(identity) != UsbStatus::Ok) {
        bridge_.close();
        op_.message(this, WriteFailed(), Operator::Icon::Plain);
        return;
    }
    bridge_.reset();
    bridge_.close();
    waitForReenumeration();
    op_.message(this, Changed(), Operator::Icon::Plain);
    refresh();
}

void CSetUSBId::waitForReenumeration() {
    CProgressDlg progress(this);
    progress.setRange(0, kSettleSteps);
    std::mutex mutex;
    std::condition_variable_any wake;
    // Declared after the dialog, so it is stopped and joined before the dialog goes, also when the operator
    // closes the dialog early.
    std::jthread worker([&progress, &mutex, &wake, step = settleStep_](std::stop_token stop) {
        std::unique_lock lock(mutex);
        for (int i = 1; i <= kSettleSteps; ++i) {
            wake.wait_for(lock, stop, step, [] { return false; });
            if (stop.stop_requested()) return;
            progress.setPosition(i);
        }
    });
    progress.exec();
}
