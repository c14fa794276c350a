#include "tools/UpgradeDialog.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstring>

#include "shell/LibraryCall.h"
#include "shell/Operator.h"

using Icon = Operator::Icon;

namespace {

// Answers the first report with a stop: the library checks the image and the target and sends nothing.
int StopAtOnce(void*, int, int) { return 0; }

QString Duration(qint64 ms) {
    const qint64 seconds = (ms + 999) / 1000;
    if (seconds < 60) return QObject::tr("%1 秒").arg(seconds);
    return QObject::tr("%1 分 %2 秒").arg(seconds / 60).arg(seconds % 60);
}

}  // namespace

UpgradeDialog::UpgradeDialog(const ShellContext& context, const QString& family, UpgradeCall upgrade,
                             QWidget* parent)
    : QDialog(parent), context_(context), family_(family), upgradeCall_(upgrade) {
    setWindowTitle(tr("固件升级"));
    setModal(true);

    auto* label = new QLabel(tr("选择固件文件"));
    path_ = new QLineEdit;
    path_->setMinimumWidth(360);
    label->setBuddy(path_);
    browse_ = new QPushButton(tr("浏览..."));
    upgrade_ = new QPushButton(tr("升级"));
    exit_ = new QPushButton(tr("退出"));
    auto* enterUpgradeMode = new QPushButton(tr("进入升级模式"));  // kept from the template, without an action
    enterUpgradeMode->hide();
    for (QPushButton* b : {browse_, upgrade_, exit_, enterUpgradeMode}) b->setAutoDefault(false);

    bar_ = new QProgressBar;
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setAccessibleName(tr("升级进度"));
    progressText_ = new QLabel;
    progressText_->setAccessibleName(tr("升级进度说明"));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(18, 16, 18, 16);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(10);
    grid->addWidget(label, 0, 0);
    grid->addWidget(path_, 0, 1);
    grid->addWidget(browse_, 0, 2);
    grid->addWidget(bar_, 1, 0, 1, 3);
    grid->addWidget(progressText_, 2, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(enterUpgradeMode);
    buttons->addWidget(upgrade_);
    buttons->addWidget(exit_);
    grid->addLayout(buttons, 3, 0, 1, 3);

    timer_ = new QTimer(this);
    timer_->setInterval(kTickMs);
    connect(timer_, &QTimer::timeout, this, &UpgradeDialog::tick);
    connect(browse_, &QPushButton::clicked, this, &UpgradeDialog::browse);
    connect(upgrade_, &QPushButton::clicked, this, &UpgradeDialog::startUpgrade);
    connect(exit_, &QPushButton::clicked, this, &QDialog::accept);
}

UpgradeDialog::~UpgradeDialog() { stopWorker(); }

void UpgradeDialog::setTarget(int target, int runState, int address, int controlWord) {
    target_ = target;
    runState_ = runState;
    address_ = address;
    controlWord_ = controlWord;
}

void UpgradeDialog::browse() {
    const QString chosen = context_.op->chooseFile(this, QStringLiteral("bin Files (*.bin)"));
    if (!chosen.isEmpty()) path_->setText(chosen);
}

int UpgradeDialog::OnProgress(void* context, int accepted, int total) {
    auto* transfer = static_cast<Transfer*>(context);
    transfer->total.store(total);
    transfer->accepted.store(accepted);
    return transfer->stopRequested.load() ? 0 : 1;
}

int UpgradeDialog::checkImage(const QByteArray& path) {
    return BusyLibraryCall([&] {
        return upgradeCall_(libraryIndex(), path.constData(), runState_, address_, controlWord_, StopAtOnce, nullptr);
    });
}

QString UpgradeDialog::refusal(int result) const {
    switch (result) {
        case RADLINK_UPGRADE_NO_FILE:
            return path_->text().isEmpty() ? tr("未选择固件文件") : tr("固件文件不存在或无法读取");
        case RADLINK_UPGRADE_SHORT_IMAGE: return tr("固件文件不完整：比文件头声明的数据区短");
        case RADLINK_UPGRADE_BAD_INDEX: return tr("所选的远程模块不在搜索列表中");
        default: return tr("串口未打开");
    }
}

void UpgradeDialog::startUpgrade() {
    if (running()) return;
    bar_->setValue(0);
    progressText_->clear();
    const QByteArray path = QFile::encodeName(path_->text());
    // Refused images and targets are reported with their reason before anything reaches the module.
    const int check = PortIsOpen() ? checkImage(path) : RADLINK_UPGRADE_FAILED;
    if (check != RADLINK_UPGRADE_STOPPED) {
        context_.op->message(this, tr("固件升级失败") + QLatin1Char('\n') + refusal(check), Icon::Information);
        return;
    }
    if (!keepConfiguration() &&
        !context_.op->ask(this, tr("无法读取模块的配置，升级后将不能恢复它。仍然升级吗？"), Icon::Question))
        return;

    setIdle(false);
    transfer_.accepted.store(0);
    transfer_.total.store(0);
    transfer_.stopRequested.store(false);
    transfer_.finished.store(false);
    progressText_->setText(tr("正在准备升级..."));
    elapsed_.start();
    // The worker gets plain values and the atomics; it touches nothing else of the dialog.
    const int index = libraryIndex(), runState = runState_, address = address_, controlWord = controlWord_;
    worker_ = std::thread([call = upgradeCall_, transfer = &transfer_, file = path.toStdString(), index, runState,
                           address, controlWord] {
        const int result = WithLibrary(
            [&] { return call(index, file.c_str(), runState, address, controlWord, OnProgress, transfer); });
        transfer->result.store(result);
        transfer->finished.store(true);
    });
    timer_->start();
}

bool UpgradeDialog::keepConfiguration() {
    kept_ = BusyLibraryCall([&] { return readConfiguration(libraryIndex()); });
    keptFile_.clear();
    if (kept_.isEmpty()) return false;
    // A copy outside the program, for the operator should the program not survive the upgrade either.
    const QString folder = context_.logFolder + QStringLiteral("/upgrade");
    QDir().mkpath(folder);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    const QString who = target_ == kLocalTarget ? QStringLiteral("local") : QStringLiteral("remote%1").arg(target_);
    QFile file(folder + QStringLiteral("/%1-%2-%3.cfg").arg(family_, who, stamp));
    if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        file.write("# Module configuration read before a firmware upgrade\n");
        file.write(QStringLiteral("family=%1\ntarget=%2\naddress=%3\nrecord=")
                       .arg(family_, who, QStringLiteral("%1").arg(address_, 4, 16, QLatin1Char('0')))
                       .toLatin1());
        file.write(kept_.toHex(' ') + "\n");
        if (file.error() == QFileDevice::NoError) keptFile_ = file.fileName();
    }
    return true;
}

void UpgradeDialog::tick() {
    const int total = transfer_.total.load(), accepted = transfer_.accepted.load();
    if (total > 0) {
        bar_->setValue(std::min(99, accepted * 100 / total));
        if (accepted > 0 && accepted < total)
            progressText_->setText(tr("已发送 %1 / %2 块，剩余时间约 %3")
                                       .arg(accepted)
                                       .arg(total)
                                       .arg(Duration(elapsed_.elapsed() * (total - accepted) / accepted)));
        else
            progressText_->setText(tr("已发送 %1 / %2 块").arg(accepted).arg(total));
    }
    if (transfer_.finished.load()) finish();
}

void UpgradeDialog::finish() {
    timer_->stop();
    if (worker_.joinable()) worker_.join();
    const int result = transfer_.result.load();
    setIdle(true);
    if (result == RADLINK_UPGRADE_DONE) {
        bar_->setValue(100);
        progressText_->setText(tr("已发送 %1 / %1 块，用时 %2").arg(transfer_.total.load()).arg(Duration(elapsed_.elapsed())));
        context_.op->message(this, tr("固件升级成功"), Icon::Information);
        if (!kept_.isEmpty() &&
            context_.op->ask(this, tr("是否把升级前读出的配置写回模块？"), Icon::Question))
            restoreConfiguration();
        return;
    }
    bar_->setValue(0);
    progressText_->clear();
    if (result == RADLINK_UPGRADE_FAILED)
        context_.op->message(this, tr("固件升级失败"), Icon::Information);
    else if (result != RADLINK_UPGRADE_STOPPED)
        context_.op->message(this, tr("固件升级失败") + QLatin1Char('\n') + refusal(result), Icon::Information);
}

void UpgradeDialog::restoreConfiguration() {
    const int index = libraryIndex();
    if (!BusyLibraryCall([&] { return writeConfiguration(index, kept_); })) {
        context_.op->message(this, tr("配置写回失败"), Icon::Critical);
        return;
    }
    const QByteArray now = BusyLibraryCall([&] { return readConfiguration(index); });
    const auto compared = static_cast<qsizetype>(configurationBytes());
    if (now.size() >= compared && now.left(compared) == kept_.left(compared))
        context_.op->message(this, tr("配置已写回模块，读回核对一致"), Icon::Information);
    else
        context_.op->message(this, tr("配置已写回，但读回的配置与升级前不一致"), Icon::Warning);
}

void UpgradeDialog::stopWorker() {
    if (!worker_.joinable()) return;
    transfer_.stopRequested.store(true);
    worker_.join();  // the library ends the transfer before its next block
    timer_->stop();
}

void UpgradeDialog::setIdle(bool idle) {
    for (QPushButton* b : {browse_, upgrade_, exit_}) b->setEnabled(idle);
}

void UpgradeDialog::closeEvent(QCloseEvent* event) {
    if (running()) {
        if (!context_.op->ask(this, tr("固件升级正在进行，中止会使模块的固件不完整。确定中止升级吗？"),
                              Icon::Question)) {
            event->ignore();
            return;
        }
        stopWorker();
        setIdle(true);
        bar_->setValue(0);
        progressText_->setText(tr("升级已中止"));
    }
    QDialog::closeEvent(event);
}

void UpgradeDialog::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape do nothing here.
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape: event->accept(); return;
        default: QDialog::keyPressEvent(event);
    }
}
