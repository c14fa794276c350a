// The CEL search dialog against the simulated module: what it asks the module to search, what it lists, its
// settings, the progress counter, and how a search ends (done, "停止", close box, another dialog's "停止").
#include <QCheckBox>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

#include "discovery/DiscoveryRig.h"
#include "shell/DemoModule.h"
#include "support/TestMain.h"

using namespace testsupport;
using Pairs = std::vector<std::pair<int, int>>;
Q_DECLARE_METATYPE(Pairs)

namespace {

constexpr int kSearchEnds = 20000;  // ms; a search costs a few hundred ms per channel and rate here

QCheckBox* Box(const QWidget* dialog, const QString& caption) {
    return qobject_cast<QCheckBox*>(Button(dialog, caption));
}

void Press(const QWidget* dialog, const char* caption) {
    QTest::mouseClick(Button(dialog, QString::fromUtf8(caption)), Qt::LeftButton);
}

}  // namespace

class SearchDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init() { ClearLibraryList(); }

    void findsTheRemotesOnTheCheckedChannelsAndRates_data() {
        QTest::addColumn<QString>("channels");
        QTest::addColumn<QString>("rates");
        QTest::addColumn<bool>("firstInBootLoader");
        QTest::addColumn<Pairs>("searched");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("storedRates");
        // The remotes: 0x0101 on channel 12 at 250K, 0x0102 on 15 at 500K, 0x0103 on 18 at 1M.
        QTest::newRow("250K only") << ChannelText({12, 15, 18}) << "1" << false << Pairs{{12, 0}, {15, 0}, {18, 0}}
                                   << QStringList{"12|250k|1a2b|0101|正常模式"} << "100";
        QTest::newRow("stored hidden rates") << ChannelText({15, 18}) << "011" << false
                                             << Pairs{{15, 1}, {15, 2}, {18, 1}, {18, 2}}
                                             << QStringList{"15|500K|1a2b|0102|正常模式", "18|1M|1a2b|0103|正常模式"}
                                             << "011";
        QTest::newRow("module in its boot loader") << ChannelText({12}) << "1" << true << Pairs{{12, 0}}
                                                   << QStringList{"12|250k|1a2b|0101|固件升级模式"} << "100";
    }
    void findsTheRemotesOnTheCheckedChannelsAndRates() {
        QFETCH(QString, channels);
        QFETCH(QString, rates);
        QFETCH(bool, firstInBootLoader);
        QFETCH(Pairs, searched);
        QFETCH(QStringList, rows);
        QFETCH(QString, storedRates);
        CelPanelRig rig;
        QVERIFY(rig.openPort());
        if (firstInBootLoader) rig.withModel([](sim::CelModel& m) { sim::CelModel::enterBootLoader(m.remote(0)); });
        StoreSearchSettings(rig, channels, rates);

        CDlgSearchCel dialog(rig.context.settingsPath);
        dialog.show();
        QVERIFY(DialogIdle(&dialog));
        QCOMPARE(Box(&dialog, QStringLiteral("500K"))->isChecked(), rates.size() > 1 && rates[1] == u'1');
        Press(&dialog, "搜索");
        QVERIFY(!Button(&dialog, QStringLiteral("搜索"))->isEnabled());
        QVERIFY(!Button(&dialog, QStringLiteral("退出"))->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(DialogIdle(&dialog), kSearchEnds);

        QCOMPARE(SearchedPairs(rig), searched);
        QCOMPARE(RowTexts(dialog.foundList()), rows);
        QCOMPARE(dialog.foundList()->topLevelItem(0)->data(4, Qt::AccessibleTextRole).toString(),
                 rows.front().section(u'|', 4));
        QCOMPARE(dialog.progress()->value(), 0);

        Press(&dialog, "退出");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const SettingsFile settings(rig.context.settingsPath);
        QCOMPARE(settings.ReadText("Search", "Channel"), channels);
        QCOMPARE(settings.ReadText("Search", "Rate"), storedRates);
        QCOMPARE(LibraryCount(), rows.size());
    }

    void captionsAndSelectAll() {
        CelPanelRig rig;
        CDlgSearchCel dialog(rig.context.settingsPath);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Search Dev"));
        for (int c = 11; c <= 26; ++c)
            QVERIFY2(Box(&dialog, QStringLiteral("Channel-%1(%2MHz) ").arg(c).arg(2405 + 5 * (c - 11))),
                     qPrintable(QString::number(c)));
        QVERIFY(Box(&dialog, QStringLiteral("250K"))->isVisible());
        QVERIFY(!Box(&dialog, QStringLiteral("500K"))->isVisible());
        QVERIFY(!Box(&dialog, QStringLiteral("1M"))->isVisible());
        QVERIFY(!Button(&dialog, QStringLiteral("静态搜索"))->isVisible());
        QCOMPARE(dialog.foundList()->headerItem()->text(3), QStringLiteral("本地ID"));

        Box(&dialog, QStringLiteral("全选"))->click();
        QVERIFY(Box(&dialog, QStringLiteral("Channel-26(2480MHz) "))->isChecked());
        QVERIFY(!Box(&dialog, QStringLiteral("250K"))->isChecked());  // the rates are not in its scope
        Box(&dialog, QStringLiteral("全选"))->click();
        QVERIFY(!Box(&dialog, QStringLiteral("Channel-11(2405MHz) "))->isChecked());
    }

    void listFillsWhileTheSearchRunsAndStopEndsIt() {
        CelPanelRig rig;
        QVERIFY(rig.openPort());
        StoreSearchSettings(rig, ChannelText({11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26}), "1");
        CDlgSearchCel dialog(rig.context.settingsPath);
        dialog.show();
        Press(&dialog, "搜索");
        // Remote 0x0101 answers on channel 12, the second of sixteen.
        QTRY_COMPARE_WITH_TIMEOUT(dialog.foundList()->topLevelItemCount(), 1, kSearchEnds);
        QVERIFY(CDlgSearchCel::Searching());
        QVERIFY(Button(&dialog, QStringLiteral("停止"))->isEnabled());
        QVERIFY(dialog.progress()->value() > 0);

        Press(&dialog, "停止");
        QVERIFY(!CDlgSearchCel::Searching());
        QTRY_VERIFY_WITH_TIMEOUT(DialogIdle(&dialog), kSearchEnds);
        const size_t searched = SearchedPairs(rig).size();
        QVERIFY2(searched < 16, qPrintable(QString::number(searched)));
        const size_t frames = rig.module->frameBytes().size();
        QTest::qWait(400);
        QCOMPARE(rig.module->frameBytes().size(), frames);  // nothing searches any more
    }

    // While the flag is set each tick shows the next count: 1 … 100, 101 drawn full, then 1 again.
    void progressCountsToAHundredAndStartsAgain() {
        CelPanelRig rig;
        QVERIFY(rig.openPort());
        StoreSearchSettings(rig, QString(16, u'1'), "1");
        CDlgSearchCel dialog(rig.context.settingsPath, nullptr, std::chrono::milliseconds(2));
        dialog.show();
        QList<int> shown;
        connect(dialog.timer(), &QTimer::timeout, this, [&] {
            if (CDlgSearchCel::Searching() && shown.size() < 103) shown << dialog.progress()->value();
        });
        Press(&dialog, "搜索");
        QTRY_VERIFY_WITH_TIMEOUT(shown.size() >= 103 || !CDlgSearchCel::Searching(), kSearchEnds);
        Press(&dialog, "停止");
        QList<int> expected;
        for (int i = 1; i <= 100; ++i) expected << i;
        expected << 100 << 1 << 2;
        QCOMPARE(shown, expected);
        QTRY_VERIFY_WITH_TIMEOUT(DialogIdle(&dialog), kSearchEnds);
    }

    void noChannelCheckedReturnsToIdleAtTheNextTick() {
        CelPanelRig rig;
        QVERIFY(rig.openPort());
        CDlgSearchCel dialog(rig.context.settingsPath);  // no settings: no box checked
        dialog.show();
        int ticks = 0;
        connect(dialog.timer(), &QTimer::timeout, this, [&] { ++ticks; });
        Press(&dialog, "搜索");
        QTRY_VERIFY_WITH_TIMEOUT(DialogIdle(&dialog), 5000);
        QCOMPARE(ticks, 1);
        QVERIFY(!dialog.timer()->isActive());
        QVERIFY(rig.module->frameBytes().empty());
    }

    void closeBoxMidSearchStopsAndJoinsTheWorker() {
        CelPanelRig rig;
        QVERIFY(rig.openPort());
        StoreSearchSettings(rig, QString(16, u'1'), "111");
        {
            auto dialog = std::make_unique<CDlgSearchCel>(rig.context.settingsPath);
            dialog->show();
            Press(dialog.get(), "搜索");
            QTRY_VERIFY_WITH_TIMEOUT(!SearchedPairs(rig).empty(), kSearchEnds);
            QVERIFY(dialog->close());
            QCOMPARE(dialog->result(), int(QDialog::Rejected));
            QVERIFY(!CDlgSearchCel::Searching());
        }
        const size_t frames = rig.module->frameBytes().size();
        QTest::qWait(400);
        QCOMPARE(rig.module->frameBytes().size(), frames);
        QVERIFY(SearchedPairs(rig).size() < 48);
        // The settings are kept only by "退出".
        QCOMPARE(SettingsFile(rig.context.settingsPath).ReadText("Search", "Rate"), QStringLiteral("111"));
        CDlgSearchCel next(rig.context.settingsPath);
        QVERIFY(Button(&next, QStringLiteral("搜索"))->isEnabled());
        QVERIFY(!Button(&next, QStringLiteral("停止"))->isEnabled());
    }

    // The searching flag is one for the dialog kind: a dialog opened while a search runs offers "停止" only,
    // follows the search and returns to idle when it ends.
    void dialogOpenedWhileASearchRunsFollowsIt() {
        CelPanelRig rig;
        QVERIFY(rig.openPort());
        StoreSearchSettings(rig, QString(16, u'1'), "1");
        CDlgSearchCel first(rig.context.settingsPath);
        first.show();
        Press(&first, "搜索");
        CDlgSearchCel second(rig.context.settingsPath);
        second.show();
        QVERIFY(!Button(&second, QStringLiteral("搜索"))->isEnabled());
        QVERIFY(Button(&second, QStringLiteral("停止"))->isEnabled());
        Press(&second, "停止");
        QTRY_VERIFY_WITH_TIMEOUT(DialogIdle(&first) && DialogIdle(&second), kSearchEnds);
        QVERIFY(SearchedPairs(rig).size() < 16);
    }

    // The demo's remote modules are on different channels, all at 250K: a default search finds them all.
    void demoRemotesAnswerADefaultSearch() {
        QString error;
        auto demo = DemoModule::Start(QStringLiteral("quickmesh"), 3, &error);
        QVERIFY2(demo, qPrintable(error));
        const std::string port = "\\\\.\\" + demo->portName().toStdString();
        QVERIFY(WithLibrary([&] {
            return QVZB_OpenCom(port.c_str(), 115200, 8, 0, 0, 0, 0, 0, 0, testsupport::kPortReadTimeoutMs);
        }));
        for (int channel : {12, 15, 18})
            QVERIFY(WithLibrary([channel] { return QVZB_CEL_SearchDev(channel, 0); }));
        QCOMPARE(LibraryCount(), 3);
        WithLibrary([] { return QVZB_CloseCom(); });
    }
};

REGISTER_TEST_CLASS(SearchDialogTest);
#include "SearchDialogTest.moc"
