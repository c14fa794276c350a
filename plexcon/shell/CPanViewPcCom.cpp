#include "shell/CPanViewPcCom.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

#include "controls/COutTimeEdit.h"
#include "radlink.h"
#include "shell/LibraryLock.h"
#include "shell/Operator.h"
#include "shell/SerialPorts.h"
#include "shell/SettingsFile.h"
#include "tools/CSetUSBId.h"

namespace {

const QString kSection = QStringLiteral("COM");
constexpr std::array<int, 10> kBaudValues = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400, 460800};
constexpr int kFirstDataBits = 5;
constexpr int kDefaultTimeoutMs = 100;
constexpr int kMaxTimeoutMs = 5000;

QComboBox* MakeList(const QStringList& items) {
    auto* box = new QComboBox;
    box->addItems(items);
    return box;
}

// A stored list position; one outside the list selects the first entry, as a missing key does.
void SelectPosition(QComboBox* box, int position) {
    box->setCurrentIndex(position >= 0 && position < box->count() ? position : 0);
}

void AddRow(QFormLayout* form, const QString& caption, QWidget* field) {
    auto* label = new QLabel(caption);
    label->setBuddy(field);
    form->addRow(label, field);
}

}  // namespace

const QStringList& CPanViewPcCom::BaudRates() {
    static const QStringList kRates = [] {
        QStringList r;
        for (int b : kBaudValues) r << QString::number(b);
        return r;
    }();
    return kRates;
}

CPanViewPcCom::CPanViewPcCom(const ShellContext& context, QWidget* parent) : QWidget(parent), context_(context) {
    auto* column = new QVBoxLayout;
    column->setSpacing(12);
    column->addWidget(buildPortGroup());
    column->addWidget(buildParameterGroup());

    openButton_ = new QPushButton(tr("打开串口"));
    close_ = new QPushButton(tr("关闭串口"));
    identify_ = new QPushButton(tr("获取固件类型"));
    auto* actions = new QHBoxLayout;
    for (QPushButton* b : {openButton_, close_, identify_}) {
        b->setMinimumHeight(32);
        actions->addWidget(b);
    }
    column->addLayout(actions);

    status_ = new QLabel(NoPortOpen());
    status_->setObjectName(QStringLiteral("statusLine"));
    status_->setWordWrap(true);
    status_->setFrameShape(QFrame::StyledPanel);
    status_->setMargin(8);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    status_->setAccessibleDescription(tr("串口状态"));
    column->addWidget(status_);
    column->addStretch();

    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(24, 20, 24, 20);
    auto* holder = new QWidget;  // wide enough for the status line of an open port on one line
    holder->setLayout(column);
    holder->setMinimumWidth(600);
    holder->setMaximumWidth(680);
    column->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(holder, 0);
    outer->addStretch(1);

    connect(openButton_, &QPushButton::clicked, this, &CPanViewPcCom::openPort);
    connect(close_, &QPushButton::clicked, this, &CPanViewPcCom::closePort);
    connect(identify_, &QPushButton::clicked, this, &CPanViewPcCom::identifyFirmware);
    connect(rescan_, &QPushButton::clicked, this, &CPanViewPcCom::rescanPorts);
    connect(advanced_, &QPushButton::clicked, this, &CPanViewPcCom::openUsbIdentity);

    timeout_->setText(QString::number(2000));
    loadSettings();
    buildPortList();
    if (!context_.preferredPort.isEmpty()) {
        int i = ports_->findText(context_.preferredPort);
        if (i >= 0) ports_->setCurrentIndex(i);
    }
    showOpenState(false);
}

CPanViewPcCom::~CPanViewPcCom() {
    saveSettings();
    WithLibrary([] { return QVZB_CloseCom(); });
}

QWidget* CPanViewPcCom::buildPortGroup() {
    auto* group = new QGroupBox(tr("本地串口"));
    ports_ = new QComboBox;
    ports_->setAccessibleName(group->title());
    ports_->setMinimumWidth(220);
    ports_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    rescan_ = new QPushButton(tr("重新扫描"));
    advanced_ = new QPushButton(tr("高级"));
    auto* row = new QHBoxLayout(group);
    row->addWidget(ports_, 1);
    row->addWidget(rescan_);
    row->addWidget(advanced_);
    return group;
}

QWidget* CPanViewPcCom::buildParameterGroup() {
    auto* group = new QGroupBox(tr("串口参数"));
    auto* form = new QFormLayout(group);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(16);
    form->setVerticalSpacing(8);
    baud_ = MakeList(BaudRates());
    dataBits_ = MakeList({QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")});
    parity_ = MakeList({tr("无"), tr("奇校验"), tr("偶校验")});
    stopBits_ = MakeList({QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2")});
    timeout_ = new COutTimeEdit(*context_.op);
    AddRow(form, tr("波特率"), baud_);
    AddRow(form, tr("数据位"), dataBits_);
    AddRow(form, tr("校验位"), parity_);
    AddRow(form, tr("停止位"), stopBits_);
    AddRow(form, tr("超时(ms)"), timeout_);
    return group;
}

void CPanViewPcCom::buildPortList() {
    ports_->clear();
    ports_->addItems(ListSerialPorts(context_.sysTtyRoot, context_.extraPorts));
    // The stored position, also on a rescan; one outside the list selects nothing.
    ports_->setCurrentIndex(storedPortPosition_ >= 0 && storedPortPosition_ < ports_->count() ? storedPortPosition_
                                                                                              : -1);
}

void CPanViewPcCom::loadSettings() {
    SettingsFile settings(context_.settingsPath);
    storedPortPosition_ = settings.ReadInt(kSection, QStringLiteral("COM"));
    SelectPosition(baud_, settings.ReadInt(kSection, QStringLiteral("BAUD")));
    SelectPosition(dataBits_, settings.ReadInt(kSection, QStringLiteral("datab")));
    SelectPosition(stopBits_, settings.ReadInt(kSection, QStringLiteral("stopb")));
    SelectPosition(parity_, settings.ReadInt(kSection, QStringLiteral("party")));
    // 0 (or a key not there) means the default; a value the field cannot hold is brought into its range.
    int timeout = settings.ReadInt(kSection, QStringLiteral("Timeout"));
    if (timeout <= 0) timeout = kDefaultTimeoutMs;
    timeout_->setText(QString::number(std::min(timeout, kMaxTimeoutMs)));
}

void CPanViewPcCom::saveSettings() {
    if (timeout_->text().isEmpty()) timeout_->setText(QStringLiteral("0"));
    SettingsFile settings(context_.settingsPath);
    settings.WriteInt(kSection, QStringLiteral("COM"), ports_->currentIndex());
    settings.WriteInt(kSection, QStringLiteral("BAUD"), baud_->currentIndex());
    settings.WriteInt(kSection, QStringLiteral("datab"), dataBits_->currentIndex());
    settings.WriteInt(kSection, QStringLiteral("stopb"), stopBits_->currentIndex());
    settings.WriteInt(kSection, QStringLiteral("party"), parity_->currentIndex());
    settings.WriteInt(kSection, QStringLiteral("Timeout"), timeout_->text().toInt());
}

void CPanViewPcCom::showOpenState(bool open) {
    open_ = open;
    openButton_->setEnabled(!open);
    close_->setEnabled(open);
    identify_->setEnabled(open);
    for (QWidget* w : std::initializer_list<QWidget*>{advanced_, ports_, rescan_, baud_, dataBits_, parity_,
                                                      stopBits_, timeout_})
        w->setEnabled(!open);
}

void CPanViewPcCom::openPort() {
    if (timeout_->text().isEmpty()) {
        context_.op->message(this, tr("超时间不能位空！"), Operator::Icon::Question);
        return;
    }
    const QString name = ports_->currentIndex() >= 0 ? ports_->currentText() : QString();
    const QByteArray path = LibraryPortPath(name);
    const int baud = kBaudValues[static_cast<size_t>(baud_->currentIndex())];
    const int dataBits = kFirstDataBits + dataBits_->currentIndex();
    const int parity = parity_->currentIndex();
    const int stopBits = stopBits_->currentIndex();
    const int timeout = timeout_->text().toInt();
    int opened = WithLibrary([&] {
        QVZB_CloseCom();
        return QVZB_OpenCom(path.constData(), baud, dataBits, parity, stopBits, 0, 0, 0, 0,
                            static_cast<unsigned>(timeout));
    });
    if (!opened) {
        context_.op->message(this, tr("打开串口失败"), Operator::Icon::Warning);
        showOpenState(false);
        return;
    }
    status_->setText(tr("串口打开成功，串口号:%1; 波特率:%2; 数据位:%3;校验位:%4; 停止位:%5; 超时:%6毫秒")
                         .arg(name, QString::number(baud), QString::number(dataBits), QString::number(parity),
                              QString::number(stopBits), QString::number(timeout)));
    showOpenState(true);
}

void CPanViewPcCom::closePort() {
    WithLibrary([] { return QVZB_CloseCom(); });
    status_->setText(NoPortOpen());
    showOpenState(false);
}

void CPanViewPcCom::identifyFirmware() {
    if (!WithLibrary([] { return QVZB_ComCheckOpen(); })) {
        context_.op->message(this, tr("操作失败，串口未打开"), Operator::Icon::Warning);
        return;
    }
    CelRecord record{};
    int loaded = WithLibrary([&] {
        if (!QVZB_CEL_LoadInfo()) return 0;
        QVZB_CEL_GetPropertyAll(&record);
        return 1;
    });
    if (!loaded) {
        context_.op->message(this, tr("不能获取到设备信息..."), Operator::Icon::Critical);
        return;
    }
    if (record.controlWord == 1)
        context_.op->message(this, tr("此串口接的设备是Quickmesh设备"), Operator::Icon::Information);
    else if (record.controlWord == 2)
        context_.op->message(this, tr("此串口接的设备是VNET通用设备"), Operator::Icon::Information);
}

void CPanViewPcCom::rescanPorts() { buildPortList(); }

void CPanViewPcCom::openUsbIdentity() {
    if (context_.usbBridge) {
        CSetUSBId dialog(*context_.usbBridge, *context_.op, this);
        dialog.exec();
    }
    buildPortList();
}
