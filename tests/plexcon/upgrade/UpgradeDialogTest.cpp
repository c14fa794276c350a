// The firmware upgrade dialogs against the simulated boot loaders: progress that rises to 100 %, a failure
// mid-image, images refused with their reason before anything is sent, buttons disabled while the worker runs,
// closing mid-transfer (the worker stopped and waited for), and the configuration kept before and written back
// after. Images are a few blocks: a CEL first-phase block costs a second.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTabWidget>
#include <QTimer>

#include <array>
#include <chrono>
#include <fstream>
#include <map>

#include "core/SimServer.h"
#include "orlnet/OrlnetModel.h"
#include "pages/CPageDevAdvCel.h"
#include "support/CelPanelRig.h"
#include "support/TestMain.h"
#include "support/WidgetLookup.h"
#include "tools/CDlgUpgradeCel.h"
#include "tools/CDlgUpgradeOrlnet.h"

using testsupport::CelPanelRig;
using Icon = Operator::Icon;

namespace {

constexpr uint8_t kUpgradeBlock = 0xD7, kUpgradeEnd = 0xD8;

sim::Bytes Block(uint8_t seed) {
    sim::Bytes b(64);
    for (size_t i = 0; i < b.size(); ++i) b[i] = static_cast<uint8_t>(seed + i * 5);
    return b;
}

// An image file in `folder`: header (first start, first end, second start, second end, unused), then `blocks`,
// less `cut` bytes at the end.
QString WriteImage(const QString& folder, const QString& name, std::array<int32_t, 4> header,
                   const std::vector<sim::Bytes>& blocks, size_t cut = 0) {
    sim::Bytes bytes;
    for (int32_t v : header)
        for (int s = 0; s < 32; s += 8) bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> s));
    bytes.insert(bytes.end(), 4, 0);
    for (const sim::Bytes& b : blocks) bytes.insert(bytes.end(), b.begin(), b.end());
    bytes.resize(bytes.size() - cut);
    const QString path = folder + QLatin1Char('/') + name;
    std::ofstream(path.toStdString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

// Samples the bar (and whether the buttons were disabled) every 20 ms until the worker is done.
struct Watch {
    std::vector<int> bar;
    bool buttonsDisabled = true;
    bool sawTimeLeft = false;
};

Watch RunToTheEnd(UpgradeDialog& dialog, int timeoutMs = 30000) {
    Watch watch;
    QElapsedTimer clock;
    clock.start();
    while (dialog.running() && clock.elapsed() < timeoutMs) {
        watch.bar.push_back(dialog.progressBar()->value());
        watch.buttonsDisabled &= !dialog.upgradeButton()->isEnabled() && !dialog.exitButton()->isEnabled() &&
                                 !dialog.browseButton()->isEnabled();
        watch.sawTimeLeft |= dialog.progressText()->text().contains(QStringLiteral("剩余时间约"));
        QTest::qWait(20);
    }
    watch.bar.push_back(dialog.progressBar()->value());
    return watch;
}

}  // namespace

class UpgradeDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CelPanelRig> rig_;
    std::unique_ptr<CDlgUpgradeCel> dialog_;
    uint16_t address_ = 0;

    void start() {
        rig_ = std::make_unique<CelPanelRig>();
        QVERIFY(rig_->openPort(200));
        address_ = rig_->local().netAddress();
        dialog_ = std::make_unique<CDlgUpgradeCel>(rig_->context);
        dialog_->setTarget(UpgradeDialog::kLocalTarget, 0xAA, address_, 1);
        dialog_->show();
    }
    QString image(const QString& name, std::array<int32_t, 4> header, const std::vector<sim::Bytes>& blocks,
                  size_t cut = 0) {
        return WriteImage(rig_->dir.path(), name, header, blocks, cut);
    }
    void choose(const QString& path) {
        rig_->op.files.push_back(path);
        dialog_->browseButton()->click();
        QCOMPARE(dialog_->pathField()->text(), path);
    }

private slots:
    void cleanup() {
        dialog_.reset();
        rig_.reset();
    }

    void successShowsTheShareSentRisingToTheEndAndKeepsTheConfiguration() {
        start();
        const sim::Bytes a = Block(1), b = Block(2), c = Block(3), d = Block(4);
        choose(image("good.bin", {0x1000, 0x1080, 0x2000, 0x2080}, {a, b, c, d}));
        dialog_->upgradeButton()->click();
        QVERIFY(dialog_->running());
        const Watch watch = RunToTheEnd(*dialog_);

        QVERIFY(!dialog_->running());
        QVERIFY(watch.buttonsDisabled);
        QVERIFY(watch.sawTimeLeft);
        QVERIFY(std::is_sorted(watch.bar.begin(), watch.bar.end()));
        QVERIFY(std::any_of(watch.bar.begin(), watch.bar.end(), [](int v) { return v > 0 && v < 100; }));
        QCOMPARE(dialog_->progressBar()->value(), 100);
        QVERIFY(dialog_->upgradeButton()->isEnabled() && dialog_->exitButton()->isEnabled());
        // The specified message, then the offer to write the configuration back (declined here).
        QCOMPARE(rig_->op.shown.size(), size_t{2});
        QCOMPARE(rig_->op.shown[0].text, QStringLiteral("固件升级成功"));
        QCOMPARE(rig_->op.shown[0].icon, Icon::Information);
        QCOMPARE(rig_->op.shown[1].icon, Icon::Question);

        const sim::CelModule m = rig_->local();
        QCOMPARE(m.blocks, (std::map<uint16_t, sim::Bytes>{{0x1000, a}, {0x1040, b}, {0x2000, c}, {0x2040, d}}));
        QCOMPARE(m.runState, uint8_t{0xAA});
        QCOMPARE(rig_->framesWith(testsupport::celcmd::kWriteConfig), size_t{0});

        // Kept in memory and in a file in the log folder.
        QCOMPARE(dialog_->keptConfiguration().size(), qsizetype(sizeof(CelRecord)));
        const QString file = dialog_->keptConfigurationFile();
        QVERIFY(file.startsWith(rig_->dir.path() + QStringLiteral("/upgrade/CEL-local-")));
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().contains("record=" + dialog_->keptConfiguration().toHex(' ')));
    }

    void theConfigurationIsWrittenBackAndReadAgainAfterASuccess() {
        start();
        const sim::CelModule before = rig_->local();
        choose(image("good.bin", {0x1000, 0x1040, 0x2000, 0x2040}, {Block(5), Block(6)}));
        rig_->op.answers.push_back(true);
        dialog_->upgradeButton()->click();
        // The new firmware comes up with other settings.
        QTRY_VERIFY_WITH_TIMEOUT(rig_->local().blocks.size() >= 1, 10000);
        rig_->withModel([](sim::CelModel& m) {
            m.local().setText(sim::celfield::kDeviceName, "factory");
            m.local().setByte(sim::celfield::kRetryCount, 1);
        });
        RunToTheEnd(*dialog_);

        QCOMPARE(rig_->op.lastText(), QStringLiteral("配置已写回模块，读回核对一致"));
        QCOMPARE(rig_->op.lastIcon(), Icon::Information);
        const sim::CelModule after = rig_->local();
        QCOMPARE(after.name(), before.name());
        QCOMPARE(after.area, before.area);
        QCOMPARE(rig_->framesWith(testsupport::celcmd::kWriteConfig), size_t{1});
    }

    void aBlockRefusedThreeTimesFailsTheUpgrade() {
        start();
        rig_->withModel([](sim::CelModel& m) { m.rejectBlock(m.local(), 0x2040, 3); });
        choose(image("good.bin", {0, 0, 0x2000, 0x20C0}, {Block(1), Block(2), Block(3)}));
        dialog_->upgradeButton()->click();
        RunToTheEnd(*dialog_);
        QCOMPARE(rig_->op.lastText(), QStringLiteral("固件升级失败"));
        QCOMPARE(rig_->op.lastIcon(), Icon::Information);
        QCOMPARE(dialog_->progressBar()->value(), 0);
        const sim::CelModule m = rig_->local();
        QCOMPARE(m.blockFrames, size_t{4});  // the first, then the second three times; the third never
        QCOMPARE(m.blocks.count(0x2080), size_t{0});
        QCOMPARE(rig_->framesWith(kUpgradeEnd), size_t{1});  // the boot loader still gets its end
    }

    void refusedImagesAreReportedWithTheirReasonBeforeAnyFrame() {
        start();
        const struct {
            QString path;
            QString reason;
        } cases[] = {
            {QString(), QStringLiteral("未选择固件文件")},
            {rig_->dir.filePath(QStringLiteral("missing.bin")), QStringLiteral("固件文件不存在或无法读取")},
            {image("cut.bin", {0, 0, 0x2000, 0x2080}, {Block(1), Block(2)}, 1),
             QStringLiteral("固件文件不完整：比文件头声明的数据区短")},
            {image("header.bin", {0, 0, 0, 0}, {}, 3), QStringLiteral("固件文件不完整：比文件头声明的数据区短")},
        };
        for (const auto& c : cases) {
            rig_->module->clearLog();
            dialog_->pathField()->setText(c.path);
            dialog_->upgradeButton()->click();
            QVERIFY(!dialog_->running());
            QCOMPARE(rig_->op.lastText(), QStringLiteral("固件升级失败\n") + c.reason);
            QCOMPARE(rig_->op.lastIcon(), Icon::Information);
            QVERIFY2(rig_->module->frameBytes().empty(), qPrintable(c.path));
        }
        WithLibrary([] { return QVZB_CloseCom(); });
        dialog_->pathField()->setText(image("fine.bin", {0, 0, 0x2000, 0x2040}, {Block(1)}));
        dialog_->upgradeButton()->click();
        QCOMPARE(rig_->op.lastText(), QStringLiteral("固件升级失败\n串口未打开"));
    }

    void closingMidTransferStopsTheWorkerAndWaitsForIt() {
        start();
        choose(image("long.bin", {0x1000, 0x1100, 0, 0}, {Block(1), Block(2), Block(3), Block(4)}));
        dialog_->upgradeButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(dialog_->progressBar()->value() > 0, 10000);

        rig_->op.answers.push_back(false);  // the operator thinks again: the transfer goes on
        dialog_->close();
        QVERIFY(dialog_->isVisible());
        QVERIFY(dialog_->running());

        rig_->op.answers.push_back(true);
        dialog_->close();
        QVERIFY(!dialog_->running());  // stopped and joined before the dialog went
        QVERIFY(!dialog_->isVisible());
        const sim::CelModule m = rig_->local();
        QVERIFY(m.blocks.size() < 4);
        QCOMPARE(rig_->framesWith(kUpgradeEnd), size_t{1});
        QCOMPARE(rig_->op.shown.back().icon, Icon::Question);
        const size_t frames = rig_->module->frameBytes().size();
        QTest::qWait(300);
        QCOMPARE(rig_->module->frameBytes().size(), frames);  // nothing more goes out
    }

    void destroyingTheDialogMidTransferWaitsForTheWorker() {
        start();
        choose(image("long.bin", {0x1000, 0x1100, 0, 0}, {Block(1), Block(2), Block(3), Block(4)}));
        dialog_->upgradeButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(dialog_->progressBar()->value() > 0, 10000);
        dialog_.reset();
        const size_t frames = rig_->module->frameBytes().size();
        QTest::qWait(300);
        QCOMPARE(rig_->module->frameBytes().size(), frames);
        QVERIFY(rig_->local().blocks.size() < 4);
    }

    void theAdvancedPageOpensTheDialogForTheModuleOnlyWithTheHiddenScreens() {
        rig_ = std::make_unique<CelPanelRig>();
        QVERIFY(rig_->openPort(200));
        auto* panel = rig_->make<CPanViewCel_Change>();
        QVERIFY(!panel->advPage()->upgradeButton()->isEnabled());

        rig_ = std::make_unique<CelPanelRig>();
        rig_->context.showHidden = true;
        QVERIFY(rig_->openPort(200));
        panel = rig_->make<CPanViewCel_Change>();
        QVERIFY(panel->advPage()->upgradeButton()->isEnabled());
        bool opened = false;
        testsupport::WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<CDlgUpgradeCel*>(modal);
            opened = dialog && dialog->windowTitle() == QStringLiteral("固件升级");
            if (dialog) dialog->exitButton()->click();
        });
        panel->advPage()->upgradeButton()->click();
        QVERIFY(opened);
        QCOMPARE(rig_->framesWith(testsupport::celcmd::kReadLocal), size_t{1});  // the record gives the target

        panel->deviceTabs()->setCurrentIndex(1);  // remote, nothing selected
        panel->advPage()->upgradeButton()->click();
        QCOMPARE(rig_->op.lastText(), CPanViewCel::NoSelectionMessage());
    }

    void anOrlnetModuleIsUpgradedThroughItsDialog() {
        rig_ = std::make_unique<CelPanelRig>();  // for the operator and the folders
        sim::SimServer orlnet(std::make_unique<sim::OrlnetModel>());
        const std::string name = "\\\\.\\" + orlnet.portName();
        QVERIFY(WithLibrary([&] { return QVZB_OpenCom(name.c_str(), 115200, 8, 0, 0, 0, 0, 0, 0, 200); }) == 1);
        OrlnetConfig record{};
        QVERIFY(WithLibrary([&] { return QVZB_ORLNET_GetPropertyAll(&record); }) == 1);
        orlnet.clearLog();

        auto dialog = std::make_unique<CDlgUpgradeOrlnet>(rig_->context);
        dialog->setTarget(UpgradeDialog::kLocalTarget, record.runState, record.netAddress, record.controlWord);
        dialog->show();
        dialog->pathField()->setText(
            WriteImage(rig_->dir.path(), "orlnet.bin", {0x100, 0x180, 0x1000, 0x1040}, {Block(1), Block(2), Block(3)}));
        rig_->op.answers.push_back(true);
        dialog->upgradeButton()->click();
        RunToTheEnd(*dialog);
        QCOMPARE(dialog->progressBar()->value(), 100);
        QCOMPARE(rig_->op.shown.at(0).text, QStringLiteral("固件升级成功"));
        QCOMPARE(rig_->op.lastText(), QStringLiteral("配置已写回模块，读回核对一致"));
        size_t blocks = 0;
        for (const sim::Bytes& f : orlnet.frameBytes()) blocks += f.size() == 73 && f[3] == kUpgradeBlock;
        QCOMPARE(blocks, size_t{3});
        QVERIFY(dialog->keptConfigurationFile().contains(QStringLiteral("/upgrade/ORLNET-local-")));
        dialog.reset();
        WithLibrary([] { return QVZB_CloseCom(); });
    }
};

REGISTER_TEST_CLASS(UpgradeDialogTest);

#include "UpgradeDialogTest.moc"
