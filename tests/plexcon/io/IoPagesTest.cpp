// The IO and analogue-input pages against the simulated module: the inputs polled and shown, the outputs driven
// alternately, the modes excluding each other, the directions, the analogue samples on the chart, and sampling
// paused while the page is hidden. Every case checks what reached the module.
#include <QCheckBox>
#include <QLabel>
#include <QLineSeries>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "pages/CPageDevADCel.h"
#include "pages/CPageDevIOCel.h"
#include "support/CelPanelRig.h"
#include "support/TestMain.h"
#include "support/WidgetLookup.h"

using testsupport::Button;
using testsupport::CelPanelRig;
using Icon = Operator::Icon;

namespace {

// IO frames (lead DE DF EF) the module received with this command: 0xD4 direction, 0xD5 read, 0xD6 write, 0xD7 AD.
std::vector<sim::Bytes> IoFrames(const CelPanelRig& rig, uint8_t command) {
    std::vector<sim::Bytes> found;
    for (const sim::Bytes& f : rig.module->frameBytes())
        if (f.size() > 3 && f[0] == 0xDE && f[1] == 0xDF && f[2] == 0xEF && f[3] == command) found.push_back(f);
    return found;
}

QStringList Texts(const CPageDevIOCel* page, int count, bool inputs) {
    QStringList texts;
    for (int i = 0; i < count; ++i)
        texts << (inputs ? page->inputIndicator(i) : page->outputIndicator(i))->text();
    return texts;
}

}  // namespace

class IoPagesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CelPanelRig> rig_;
    CPanViewCel* panel_ = nullptr;

    void start(bool showHidden = true) {
        rig_ = std::make_unique<CelPanelRig>();
        rig_->context.showHidden = showHidden;
        panel_ = rig_->make<CPanViewCel_Change>();
        QVERIFY(rig_->openPort(200));
    }

private slots:
    void cleanup() { rig_.reset(); }

    void hiddenScreensOptionShowsTheTwoCategories() {
        start(false);
        QCOMPARE(panel_->categoryCount(), 5);  // as specified: no row leads to the pages
        QVERIFY(panel_->ioPage() && panel_->adPage());
        QVERIFY(!panel_->ioPage()->isVisible());
        start(true);
        QCOMPARE(panel_->categoryCount(), 7);
        QCOMPARE(panel_->categoryList()->topLevelItem(5)->text(0), QStringLiteral("IO测试"));
        QCOMPARE(panel_->categoryList()->topLevelItem(6)->text(0), QStringLiteral("AD采样"));
        panel_->selectCategory(5);
        QCOMPARE(panel_->currentPage(), static_cast<QWidget*>(panel_->ioPage()));
    }

    void autoRefreshShowsTheInputPinsAsTheModuleHasThem() {
        start();
        CPageDevIOCel* page = panel_->ioPage();
        rig_->withModel([](sim::CelModel& m) { m.local().ioPort = 0x30; });  // pins 4 and 5 high
        page->autoRefreshBox()->click();
        QVERIFY(page->workerRunning());
        QTRY_COMPARE_WITH_TIMEOUT(Texts(page, 4, true), (QStringList{"高", "高", "低", "低"}), 10000);
        rig_->withModel([](sim::CelModel& m) { m.local().ioPort = 0xC3; });
        QTRY_COMPARE_WITH_TIMEOUT(Texts(page, 4, true), (QStringList{"低", "低", "高", "高"}), 10000);
        page->autoRefreshBox()->click();
        QVERIFY(!page->workerRunning());
        QVERIFY(IoFrames(*rig_, 0xD5).size() >= 8);
        QVERIFY(IoFrames(*rig_, 0xD6).empty());  // reading writes nothing
        QCOMPARE(rig_->local().ioPort, uint8_t{0xC3});
    }

    void cycleOutputsDrivesPinsTwoAndThreeAlternatelyAndExcludesPolling() {
        start();
        CPageDevIOCel* page = panel_->ioPage();
        page->periodField()->setValue(50);
        page->cycleOutputsBox()->click();
        QTRY_VERIFY_WITH_TIMEOUT(IoFrames(*rig_, 0xD6).size() >= 6, 15000);

        // The other mode is refused while this one runs: message, box unchecked, the worker goes on.
        page->autoRefreshBox()->click();
        QCOMPARE(rig_->op.lastText(), QStringLiteral("IO 读取线程正在运行，请先停止IO获取再做此操作..."));
        QCOMPARE(rig_->op.lastIcon(), Icon::Critical);
        QVERIFY(!page->autoRefreshBox()->isChecked());
        QVERIFY(page->workerRunning());

        page->cycleOutputsBox()->click();
        QVERIFY(!page->workerRunning());
        // Port bytes written, pin 2 then pin 3 each round: level 0, 1, 0 from a port at 0x00.
        const auto writes = IoFrames(*rig_, 0xD6);
        QVERIFY(writes.size() >= 6);
        const uint8_t expected[6] = {0x00, 0x00, 0x04, 0x0C, 0x08, 0x00};
        for (int i = 0; i < 6; ++i) QCOMPARE(writes[static_cast<size_t>(i)][6], expected[i]);
        QVERIFY(IoFrames(*rig_, 0xD7).empty());
        const QStringList shown = Texts(page, 2, false);
        QVERIFY(shown == (QStringList{"高", "高"}) || shown == (QStringList{"低", "低"}));

        // And the other way round.
        page->autoRefreshBox()->click();
        page->cycleOutputsBox()->click();
        QVERIFY(!page->cycleOutputsBox()->isChecked());
        QCOMPARE(rig_->op.lastText(), QStringLiteral("IO 读取线程正在运行，请先停止IO获取再做此操作..."));
        page->autoRefreshBox()->click();
        QVERIFY(!page->workerRunning());
    }

    void remoteModeWithoutASelectedRowReadsNothing() {
        start();
        CPageDevIOCel* page = panel_->ioPage();
        panel_->deviceTabs()->setCurrentIndex(1);
        rig_->module->clearLog();
        page->autoRefreshBox()->click();
        QTest::qWait(1500);
        page->autoRefreshBox()->click();
        QVERIFY(rig_->module->frameBytes().empty());
    }

    void directionButtonsSetEveryPinAndReportTheirFailures() {
        start();
        CPageDevIOCel* page = panel_->ioPage();
        Button(page, QStringLiteral("全部配置成输出"))->click();
        QCOMPARE(rig_->local().ioDirection, uint8_t{0xFF});
        QCOMPARE(page->directionIndicator(0)->text(), QStringLiteral("输出"));
        Button(page, QStringLiteral("全部配置成输入"))->click();
        QCOMPARE(rig_->local().ioDirection, uint8_t{0x00});
        QCOMPARE(page->directionIndicator(5)->text(), QStringLiteral("输入"));
        QVERIFY(rig_->op.shown.empty());

        panel_->deviceTabs()->setCurrentIndex(1);  // no remote row selected
        rig_->module->clearLog();
        Button(page, QStringLiteral("全部配置成输出"))->click();
        QCOMPARE(rig_->op.lastText(), CPanViewCel::NoSelectionMessage());
        QCOMPARE(rig_->op.lastIcon(), Icon::Critical);
        QVERIFY(rig_->module->frameBytes().empty());

        panel_->deviceTabs()->setCurrentIndex(0);
        rig_->module->injectFault(sim::Fault::noAnswer().onlyWhen(3, 0xD4));  // the direction goes unanswered
        Button(page, QStringLiteral("全部配置成输出"))->click();
        QCOMPARE(rig_->op.lastText(), QStringLiteral("修改IO输入输出方向出错!"));
        QCOMPARE(rig_->op.lastIcon(), Icon::Warning);
        QCOMPARE(page->directionIndicator(0)->text(), QStringLiteral("输入"));

        WithLibrary([] { return QVZB_CloseCom(); });
        Button(page, QStringLiteral("全部配置成输入"))->click();
        QCOMPARE(rig_->op.lastText(), QStringLiteral("操作失败，串口未打开!"));
        QCOMPARE(rig_->op.lastIcon(), Icon::Warning);
    }

    void analogueSamplesReachTheChartAndTheMeterPerChannel() {
        start();
        CPageDevADCel* page = panel_->adPage();
        panel_->selectCategory(6);
        const sim::CelModule local = rig_->local();
        page->periodField()->setValue(100);
        page->realtimeBox()->click();
        QTRY_VERIFY_WITH_TIMEOUT(page->series()->count() >= 3, 10000);
        for (const QPointF& p : page->series()->points()) QCOMPARE(p.y(), double(local.analog[0]));
        QCOMPARE(page->meter()->value(), int(local.analog[0]));

        page->channelButton(1)->click();
        QCOMPARE(page->channel(), 1);
        QVERIFY(page->series()->count() < 3);  // cleared when the channel changed
        QTRY_VERIFY_WITH_TIMEOUT(page->series()->count() >= 3, 10000);
        for (const QPointF& p : page->series()->points()) QCOMPARE(p.y(), double(local.analog[1]));
        page->realtimeBox()->click();
        QVERIFY(!page->workerRunning());
        const auto reads = IoFrames(*rig_, 0xD7);
        QVERIFY(!reads.empty());
        QCOMPARE(reads.back()[6], uint8_t{1});
        QCOMPARE(reads.front()[6], uint8_t{0});
    }

    void hidingTheAnaloguePagePausesSamplingAndShowingItResumes() {
        start();
        CPageDevADCel* page = panel_->adPage();
        panel_->selectCategory(6);
        page->periodField()->setValue(100);
        page->realtimeBox()->click();
        QTRY_VERIFY_WITH_TIMEOUT(IoFrames(*rig_, 0xD7).size() >= 2, 10000);

        panel_->selectCategory(0);  // the page is hidden
        QVERIFY(!page->sampling());
        QVERIFY(!page->redrawTimer()->isActive());
        QTest::qWait(800);  // the round under way ends
        const size_t paused = IoFrames(*rig_, 0xD7).size();
        QTest::qWait(1200);
        QCOMPARE(IoFrames(*rig_, 0xD7).size(), paused);
        QVERIFY(page->workerRunning());  // it idles, it does not end

        panel_->selectCategory(6);
        QVERIFY(page->sampling());
        QCOMPARE(page->redrawTimer()->interval(), CPageDevADCel::kShownRedrawMs);
        QTRY_VERIFY_WITH_TIMEOUT(IoFrames(*rig_, 0xD7).size() > paused, 10000);
        page->realtimeBox()->click();
        QVERIFY(!page->workerRunning());
    }
};

REGISTER_TEST_CLASS(IoPagesTest);

#include "IoPagesTest.moc"
