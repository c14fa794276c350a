// The ORLNET remote list and search dialog against the simulated network: what goes on the wire (the local read
// first, every checked channel and rate, the identifier range with its digit adjustment), the rows, the stored
// settings, the dialog closing itself, and closing it mid-search.
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "discovery/CDlgSearchOrlnet.h"
#include "orlnet/OrlnetRig.h"
#include "shell/SettingsFile.h"
#include "support/TestMain.h"
#include "support/WidgetLookup.h"

using namespace orlnettest;
using testsupport::WhenModal;
using Icon = Operator::Icon;

namespace {

// Checks channel boxes (11..26) and rate boxes (0..2) of the open dialog, then presses "搜索".
void Search(QWidget* modal, std::initializer_list<int> channels, std::initializer_list<int> rates) {
    auto* dialog = qobject_cast<CDlgSearchOrlnet*>(modal);
    QVERIFY(dialog);
    for (int c : channels) dialog->channelBox(c - 11)->setChecked(true);
    for (int r : rates) dialog->rateBox(r)->setChecked(true);
    dialog->searchButton()->click();
}

uint16_t WordAt(const sim::Bytes& f, size_t at) { return static_cast<uint16_t>(f[at] << 8 | f[at + 1]); }

}  // namespace

class OrlnetSearchTest : public QObject {
    Q_OBJECT

private slots:
    void identifiersSkipLetterDigits() {
        QCOMPARE(CDlgSearchOrlnet::IdentifiersOf(0x2008, 0x2012),
                 (std::vector<int>{0x2008, 0x2009, 0x2010, 0x2011, 0x2012}));
        QVERIFY(CDlgSearchOrlnet::IdentifiersOf(0x2013, 0x2012).empty());
    }

    // Channels 15 and 20 at 250k and 500k: the local read, then channel-outer, rate-inner searches; two modules
    // found, the dialog closes itself, the list shows them with row 0 selected; the boxes are stored.
    void plainSearch() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        QVERIFY(rig.openPort());
        WhenModal([](QWidget* m) { Search(m, {15, 20}, {0, 1}); });
        panel->remoteOrlnetList()->search();
        QTreeWidget* list = panel->remoteOrlnetList()->list();
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("15"));
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("250k"));
        QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("1a2b"));
        QCOMPARE(list->topLevelItem(0)->text(3), QStringLiteral("2001"));
        QCOMPARE(list->topLevelItem(0)->text(4), QStringLiteral("正常模式"));
        QCOMPARE(list->topLevelItem(1)->text(1), QStringLiteral("500K"));
        QCOMPARE(panel->selectedRemote(), 0);
        QVERIFY(rig.op.shown.empty());

        const auto frames = rig.module->frameBytes();
        QVERIFY(!frames.empty());
        QCOMPARE(frames.front()[3], kRead);
        std::vector<std::pair<int, int>> tuned;  // (channel, rate) of each search
        int channel = 0, rate = 0;
        for (const auto& f : frames) {
            if (f.size() < 5 || f[1] != 0xBC) continue;
            if (f[3] == 0xD2) channel = f[4];
            if (f[3] == 0xD3) rate = f[4];
            if (f[3] == 0xD4) tuned.emplace_back(channel, rate);
        }
        QCOMPARE(tuned, (std::vector<std::pair<int, int>>{{15, 0}, {15, 1}, {20, 0}, {20, 1}}));

        const SettingsFile settings(rig.context.settingsPath);
        QCOMPARE(settings.ReadText("Search", "Channel"), QStringLiteral("0000100001000000"));
        QCOMPARE(settings.ReadText("Search", "Rate"), QStringLiteral("110"));
        QCOMPARE(settings.ReadText("Search", "ckDetectID"), QStringLiteral("0"));
    }

    // The identifier range as seen on the wire: 2008 to 2012 asks 2008, 2009, 2010, 2011, 2012; nothing answers.
    void identifierRange() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        QVERIFY(rig.openPort());
        WhenModal([](QWidget* m) {
            auto* dialog = qobject_cast<CDlgSearchOrlnet*>(m);
            QVERIFY(!dialog->startId()->isEnabled());
            dialog->idBox()->setChecked(true);
            QVERIFY(dialog->startId()->isEnabled());
            dialog->startId()->setText(QStringLiteral("2008"));
            dialog->endId()->setText(QStringLiteral("2012"));
            Search(m, {15}, {0});
        });
        panel->remoteOrlnetList()->search();
        std::vector<int> asked;
        for (const auto& f : rig.config(0xDC)) {
            QCOMPARE(f[0], 0xAC);
            asked.push_back(WordAt(f, 4));
        }
        QCOMPARE(asked, (std::vector<int>{0x2008, 0x2009, 0x2010, 0x2011, 0x2012}));
        QCOMPARE(rig.config(0xD4).size(), size_t(0));
        QCOMPARE(rig.op.lastText(), QStringLiteral("搜索不到设备"));
        QCOMPARE(rig.op.lastIcon(), Icon::Critical);
        QCOMPARE(panel->remoteOrlnetList()->list()->topLevelItemCount(), 0);

        // The route module by its identifier; the fields come back from the settings.
        WhenModal([](QWidget* m) {
            auto* dialog = qobject_cast<CDlgSearchOrlnet*>(m);
            QVERIFY(dialog->idBox()->isChecked());
            QCOMPARE(dialog->endId()->text(), QStringLiteral("2012"));
            QVERIFY(dialog->channelBox(4)->isChecked());
            dialog->startId()->setText(QStringLiteral("2003"));
            dialog->endId()->setText(QStringLiteral("2003"));
            dialog->searchButton()->click();
        });
        panel->remoteOrlnetList()->search();
        QCOMPARE(panel->remoteOrlnetList()->list()->topLevelItemCount(), 1);
        QCOMPARE(WithLibrary([] { return QVZB_ORLNET_IsRouteDev(0); }), 1);
    }

    void nothingChecked() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        QVERIFY(rig.openPort());
        CDlgSearchOrlnet dialog(rig.context, panel);
        dialog.searchCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("请至少选择一组搜索通道和速率组合"));
        QVERIFY(!dialog.searching());
        QCOMPARE(rig.module->frameBytes().size(), size_t(0));
    }

    // The local module does not answer: the worker says so and the dialog closes itself.
    void localReadFails() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        QVERIFY(rig.openPort());
        rig.module->injectFault(sim::Fault::noAnswer().onlyWhen(3, kRead));
        WhenModal([](QWidget* m) { Search(m, {15}, {0}); });
        panel->remoteOrlnetList()->search();
        QCOMPARE(rig.op.shown.at(0).text, QStringLiteral("获取本地信息失败，请确定你的ZigBee设备已经接到计算机上..."));
        QCOMPARE(rig.config(0xD4).size(), size_t(0));
    }

    // Closing with the close box mid-search stops the worker and waits for it; the list stays as it was.
    void closedMidSearch() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        QVERIFY(rig.openPort());
        WhenModal([](QWidget* m) {
            Search(m, {11, 12, 13, 14, 15, 16, 17, 18}, {0, 1, 2});
            QTimer::singleShot(300, m, [m] { m->close(); });
        });
        QElapsedTimer took;
        took.start();
        panel->remoteOrlnetList()->search();
        QVERIFY(took.elapsed() < 8000);  // 24 searches would take far longer
        QCOMPARE(panel->remoteOrlnetList()->list()->topLevelItemCount(), 0);
        QVERIFY(rig.op.shown.empty());
        const size_t searches = rig.config(0xD4).size();
        QVERIFY(searches < 24);
        QTest::qWait(300);
        QCOMPARE(rig.config(0xD4).size(), searches);  // nothing runs on
    }

    void portClosed() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        panel->remoteOrlnetList()->search();
        QCOMPARE(rig.op.lastText(), QStringLiteral("操作失败,串口未打开..."));
        QVERIFY(!QApplication::activeModalWidget());
    }

    // Refresh keeps every selected row.
    void refreshKeepsTheSelection() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        QVERIFY(rig.openPort());
        WithLibrary([] {
            QVZB_ORLNET_SearchDev(15, 0);
            QVZB_ORLNET_SearchDev(20, 1);
            return QVZB_ORLNET_SearchDevWithID(15, 0, 0x2003);
        });
        panel->refreshRemoteList();
        QTreeWidget* list = panel->remoteOrlnetList()->list();
        QCOMPARE(list->topLevelItemCount(), 3);
        list->topLevelItem(2)->setSelected(true);
        list->topLevelItem(0)->setSelected(true);
        QCOMPARE(panel->selectedRemotes(), (QList<int>{0, 2}));
        panel->refreshRemoteList();
        QCOMPARE(panel->selectedRemotes(), (QList<int>{0, 2}));
        QCOMPARE(panel->selectedRemote(), 0);
    }
};

REGISTER_TEST_CLASS(OrlnetSearchTest);
#include "OrlnetSearchTest.moc"
