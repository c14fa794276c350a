// The SNAP panel and its pages against simulated SNAP modules: layout and the search on entering an empty remote
// tab, each page's read and modify (local and remote), the fetched password and its memory (cleared by a password
// change), the field rules, EEPROM, factory reset, the search dialog, and the signal-strength worker following the
// page.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "core/Scenario.h"
#include "discovery/CDlgSearchSnap.h"
#include "discovery/CPageListDevRemoteSnap.h"
#include "pages/CPageDevAdvSnap.h"
#include "pages/CPageDevBaseSnap.h"
#include "pages/CPageDevComSnap.h"
#include "pages/CPageDevTranSnap.h"
#include "shell/CPanViewSnap.h"
#include "snap/SnapModel.h"
#include "snap/SnapScenario.h"
#include "support/FamilyPanelRig.h"
#include "support/TestMain.h"
#include "support/WidgetLookup.h"

using testsupport::Field;
using testsupport::WhenModal;
using Icon = Operator::Icon;
using L = sim::SnapRecordLayout;

namespace {

const QString kNoSelection = QStringLiteral("你没有选择设备，请先选择左边设备列表的一个设备再进行此操作...");

// Local module 00:12:4b:00:01:02:03:04, network 1234, channel index 4; remote A1 00 01 on the same channel and
// A1 00 02 on channel index 9.
struct Rig : testsupport::FamilyPanelRig<CPanViewSnap, sim::SnapModel> {
    Rig() : FamilyPanelRig(Model()) {}
    static std::unique_ptr<sim::SnapModel> Model() {
        sim::ScenarioOptions options;
        options.remotes = 2;
        return std::unique_ptr<sim::SnapModel>(static_cast<sim::SnapModel*>(sim::MakeSnapModel(options).release()));
    }
    sim::SnapUnit local() { return withModel([](sim::SnapModel& m) { return m.local(); }); }
    sim::SnapUnit remote(size_t i) { return withModel([i](sim::SnapModel& m) { return m.remotes().at(i); }); }
    // Finds the remote module on the local channel and selects it on the remote tab.
    void findRemote() {
        WithLibrary([] { return QVZB_SNAP_SearchDev(4, 0); });
        panel->refreshRemoteList();
        QTreeWidget* list = panel->remoteSnapList()->list();
        list->setCurrentItem(list->topLevelItem(0));
        panel->deviceTabs()->setCurrentIndex(CPanViewSnap::RemoteTab);
        module->clearLog();
    }
};

QLineEdit* Edit(QWidget* page, const char* caption) { return Field<QLineEdit>(page, QString::fromUtf8(caption)); }
QComboBox* List(QWidget* page, const char* caption) { return Field<QComboBox>(page, QString::fromUtf8(caption)); }

}  // namespace

class SnapPanelTest : public QObject {
    Q_OBJECT

private slots:
    void layout() {
        Rig rig;
        CPanViewSnap* panel = rig.make();
        QStringList rows;
        for (int i = 0; i < panel->categoryCount(); ++i) rows << panel->categoryList()->topLevelItem(i)->text(0);
        QCOMPARE(rows, (QStringList{"基本信息", "串口信息", "无线传送信息", "高级设置"}));
        QCOMPARE(panel->deviceTabs()->count(), 2);
        QCOMPARE(List(panel->tranPage(), "无线发送功率")->count(), 18);
        QCOMPARE(List(panel->comPage(), "停止位")->count(), 1);
        QCOMPARE(panel->tranPage()->getButton()->text(), QStringLiteral("获取"));
        QCOMPARE(panel->tranPage()->modifyButton()->text(), QStringLiteral("设置"));
    }

    // An empty search list: entering the remote tab opens the search dialog at once; a non-empty one does not.
    void remoteTabSearchesWhenEmpty() {
        Rig rig;
        CPanViewSnap* panel = rig.make();
        QVERIFY(rig.openPort());
        bool opened = false;
        WhenModal([&](QWidget* m) {
            opened = qobject_cast<CDlgSearchSnap*>(m) != nullptr;
            m->close();
        });
        panel->deviceTabs()->setCurrentIndex(CPanViewSnap::RemoteTab);
        QTRY_VERIFY(opened);
        QVERIFY(panel->remoteMode());
        panel->deviceTabs()->setCurrentIndex(CPanViewSnap::LocalTab);
        WithLibrary([] { return QVZB_SNAP_SearchDev(4, 0); });
        panel->deviceTabs()->setCurrentIndex(CPanViewSnap::RemoteTab);
        QTest::qWait(100);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void baseReadShowsTheRecord() {
        Rig rig;
        CPanViewSnap* panel = rig.make();
        QVERIFY(rig.openPort());
        CPageDevBaseSnap* base = panel->basePage();
        base->getCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("获取设备信息成功..."));
        QCOMPARE(Edit(base, "固件版本号")->text(), QStringLiteral("V1.2.3"));
        QCOMPARE(Edit(base, "SNAP脚本版本号")->text(), QStringLiteral("V1.5"));
        QCOMPARE(Edit(base, "MAC地址")->text(), QStringLiteral("00:12:4b:00:01:02:03:04"));
        QCOMPARE(Edit(base, "网络ID(HEX)")->text(), QStringLiteral("1234"));
        QCOMPARE(List(base, "通道号")->currentIndex(), 4);
        QCOMPARE(List(base, "工作模式")->currentText(), QStringLiteral("主机模式"));
        QCOMPARE(Edit(base, "心跳包字符")->text(), QStringLiteral("HB"));
        panel->comPage()->read();
        QCOMPARE(List(panel->comPage(), "波特率")->currentText(), QStringLiteral("115200"));
        QCOMPARE(List(panel->comPage(), "校验位")->currentText(), QStringLiteral("无"));
        panel->tranPage()->read();
        QCOMPARE(List(panel->tranPage(), "无线发送功率")->currentText(), QStringLiteral("0x11:  8   dBm"));
        QCOMPARE(Edit(panel->tranPage(), "信号强度(db)")->text(), QStringLiteral("64"));
    }

    // The password comes from the module, is asked once per page and direction, and a change on the advanced
    // page makes every page ask again in that direction.
    void passwordMemory() {
        Rig rig;
        CPanViewSnap* panel = rig.make();
        QVERIFY(rig.openPort());
        CPageDevBaseSnap* base = panel->basePage();
        base->read();
        rig.op.passwords = {QStringLiteral("nope")};
        base->modifyCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("操作失败,密码错误..."));
        QVERIFY(!panel->passwordAccepted(snap::BasePage, false));

        rig.op.passwords = {QStringLiteral("123456")};
        Edit(base, "网络ID(HEX)")->setText(QStringLiteral("beef"));
        List(base, "工作模式")->setCurrentIndex(1);
        base->modifyCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("修改成功!"));
        QCOMPARE(rig.local().netId(), 0xBEEF);
        QCOMPARE(rig.local().record[L::kWorkMode], 'S');
        base->modifyCommand();
        QCOMPARE(rig.op.passwordQuestions, 2);  // accepted: no further question

        // The advanced page: its own question, then the password change clears every local flag.
        CPageDevAdvSnap* adv = panel->advPage();
        adv->read();
        adv->changePassword()->setChecked(true);
        adv->newPassword()->setText(QStringLiteral("abc"));
        rig.op.passwords = {QStringLiteral("123456")};
        adv->modifyCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("更改配置成功..."));
        QCOMPARE(rig.local().password, std::string("abc"));
        QVERIFY(!panel->passwordAccepted(snap::BasePage, false));
        QVERIFY(!panel->passwordAccepted(snap::AdvPage, false));

        rig.op.passwords = {QStringLiteral("abc")};
        base->modifyCommand();
        QCOMPARE(rig.op.passwordQuestions, 4);
        QCOMPARE(rig.op.lastText(), QStringLiteral("修改成功!"));
    }

    // A work mode other than 'M' shows slave mode and is written back as 'S'; a baud of 0 selects nothing and is
    // written back as 0.
    void fieldRules() {
        Rig rig;
        CPanViewSnap* panel = rig.make();
        QVERIFY(rig.openPort());
        rig.withModel([](sim::SnapModel& m) {
            m.local().record[L::kWorkMode] = 'X';
            m.local().record[L::kBaud] = 0;
        });
        panel->basePage()->read();
        QCOMPARE(List(panel->basePage(), "工作模式")->currentText(), QStringLiteral("从机模式"));
        rig.op.passwords = {QStringLiteral("123456"), QStringLiteral("123456")};
        panel->basePage()->modifyCommand();
        QCOMPARE(rig.local().record[L::kWorkMode], 'S');
        panel->comPage()->read();
        QCOMPARE(List(panel->comPage(), "波特率")->currentIndex(), -1);
        panel->comPage()->modifyCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("修改成功..."));
        QCOMPARE(rig.local().record[L::kBaud], 0);

        // A MAC that does not parse stops the command before anything is sent.
        rig.module->clearLog();
        Edit(panel->basePage(), "MAC地址")->setText(QStringLiteral("00:12"));
        panel->basePage()->modifyCommand();
        QCOMPARE(rig.op.lastIcon(), Icon::Warning);
        QCOMPARE(rig.module->frameBytes().size(), size_t(0));
    }

    // The remote module: the remote password, its read and write; the list refreshed after a Base change.
    void remoteModify() {
        Rig rig;
        CPanViewSnap* panel = rig.make();
        QVERIFY(rig.openPort());
        rig.findRemote();
        QCOMPARE(panel->remoteSnapList()->list()->topLevelItem(0)->text(3), QStringLiteral("00:12:4b:00:00:a1:00:01"));
        CPageDevTranSnap* tran = panel->tranPage();
        QCOMPARE(tran->read(), 1);
        List(tran, "路由功能使能")->setCurrentIndex(0);
        rig.op.passwords = {QStringLiteral("123456")};
        tran->modifyCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("修改成功!"));
        QCOMPARE(rig.remote(0).record[L::kRouting], 0);
        QVERIFY(panel->passwordAccepted(snap::TranPage, true));
        QVERIFY(!panel->passwordAccepted(snap::TranPage, false));

        panel->basePage()->read();
        Edit(panel->basePage(), "网络ID(HEX)")->setText(QStringLiteral("77"));
        rig.op.passwords = {QStringLiteral("123456")};
        panel->basePage()->modifyCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("修改成功!"));
        QCOMPARE(rig.remote(0).netId(), 0x77);
        QCOMPARE(panel->selectedRemote(), 0);

        // No row selected.
        panel->remoteSnapList()->list()->clearSelection();
        panel->comPage()->modifyCommand();
        QCOMPARE(rig.op.lastText(), kNoSelection);
    }

    void passwordFetchFails() {
        Rig rig;
        CPanViewSnap* panel = rig.make();
        QVERIFY(rig.openPort());
        rig.module->injectFault(sim::Fault::noAnswer().onlyWhen(7, 0xC4));
        panel->comPage()->modifyCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("操作失败，获取密码失败..."));
        QCOMPARE(rig.op.passwordQuestions, 0);
    }

    // EEPROM: the data bytes after the reply's echo and status; a written byte reaches the module.
    void eeprom() {
        Rig rig;
        CPanViewSnap* panel = rig.make();
        QVERIFY(rig.openPort());
        CPageDevAdvSnap* adv = panel->advPage();
        adv->eepromAddress()->setText(QStringLiteral("10"));
        adv->readEepromCommand();
        QCOMPARE(adv->eepromValue()->text(),
                 QStringLiteral("10 11 12 13 14 15 16 17 18 19 1a 1b 1c 1d 1e 1f "));
        adv->eepromValue()->setText(QStringLiteral("A5"));
        adv->writeEepromCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("修改成功"));
        QCOMPARE(rig.local().eeprom[0x10], 0xA5);
        rig.closePort();
        adv->readEepromCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("操作失败,串口未打开"));
        QCOMPARE(rig.op.lastIcon(), Icon::Warning);
    }

    void factoryResetAndPanelCommands() {
        Rig rig;
        CPanViewSnap* panel = rig.make();
        QVERIFY(rig.openPort());
        panel->advPage()->factoryResetCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("恢复出厂设置成功"));
        QCOMPARE(rig.local().factoryResets, 1);
        rig.op.clear();
        panel->postLoadInfo();
        Rig::settle();
        QCOMPARE(rig.op.lastText(), QStringLiteral("获取属性成功"));
        QCOMPARE(rig.op.shown.size(), size_t(1));
        const int restarts = rig.local().restarts;
        panel->postReset();
        Rig::settle();
        QTRY_COMPARE(rig.local().restarts, restarts + 1);
        rig.closePort();
        panel->postLoadInfo();
        Rig::settle();
        QCOMPARE(rig.op.lastText(), QStringLiteral("操作失败，串口未打开..."));
    }

    // The SNAP dialog reads only channels 11..25: with channel 26 alone nothing is searched and it closes itself.
    void searchDialog() {
        Rig rig;
        CPanViewSnap* panel = rig.make();
        QVERIFY(rig.openPort());
        WhenModal([](QWidget* m) {
            auto* d = qobject_cast<CDlgSearchSnap*>(m);
            d->channelBox(15)->setChecked(true);
            d->rateBox(0)->setChecked(true);
            d->searchButton()->click();
        });
        panel->remoteSnapList()->search();
        QCOMPARE(panel->remoteSnapList()->list()->topLevelItemCount(), 0);
        QCOMPARE(rig.frames([](const sim::Bytes& f) { return f.size() > 5 && f[3] == 0xFF; }).size(), size_t(0));

        // Channel index 4 and 9 at 250k: both remote modules, row 0 selected.
        WhenModal([](QWidget* m) {
            auto* d = qobject_cast<CDlgSearchSnap*>(m);
            d->channelBox(15)->setChecked(false);
            d->channelBox(4)->setChecked(true);
            d->channelBox(9)->setChecked(true);
            d->searchButton()->click();
        });
        panel->remoteSnapList()->search();
        QTreeWidget* list = panel->remoteSnapList()->list();
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(list->topLevelItem(1)->text(2), QStringLiteral("20"));
        QCOMPARE(panel->selectedRemote(), 0);
    }

    // "停止" ends the worker and keeps the dialog open and idle.
    void searchStopKeepsTheDialog() {
        Rig rig;
        rig.make();
        QVERIFY(rig.openPort());
        CDlgSearchSnap dialog(rig.context);
        for (int i = 0; i < 15; ++i) dialog.channelBox(i)->setChecked(true);
        dialog.rateBox(0)->setChecked(true);
        dialog.rateBox(1)->setChecked(true);
        dialog.show();
        dialog.searchCommand();
        QVERIFY(dialog.searching());
        QVERIFY(!dialog.exitButton()->isEnabled());
        QTest::qWait(150);
        dialog.stopButton()->click();
        QVERIFY(!dialog.searching());
        QVERIFY(dialog.searchButton()->isEnabled());
        QVERIFY(dialog.exitButton()->isEnabled());
        QVERIFY(!dialog.stopButton()->isEnabled());
        QVERIFY(dialog.isVisible());
    }

    // The signal worker runs while the box is checked and the page shown: values reach the chart and the meter;
    // hiding the page stops the worker, showing it again restarts it; unchecking stops it.
    void signalWorkerFollowsThePage() {
        Rig rig;
        CPanViewSnap* panel = rig.make();
        QVERIFY(rig.openPort());
        rig.withModel([](sim::SnapModel& m) { m.local().signal = 0x2A; });
        CPageDevTranSnap* tran = panel->tranPage();
        tran->setSignalInterval(std::chrono::milliseconds(30));
        panel->selectCategory(2);
        tran->liveBox()->setChecked(true);
        QVERIFY(tran->signalWorkerRunning());
        QTRY_VERIFY(tran->samples().size() >= 3);
        QCOMPARE(tran->samples().front(), 0x2A);
        QCOMPARE(tran->meter()->value(), 0x2A);

        panel->selectCategory(0);  // the page hides
        QVERIFY(!tran->signalWorkerRunning());
        const auto count = tran->samples().size();
        QTest::qWait(120);
        QCOMPARE(tran->samples().size(), count);

        panel->selectCategory(2);
        QVERIFY(tran->signalWorkerRunning());
        QTRY_VERIFY(tran->samples().size() > count);
        tran->liveBox()->setChecked(false);
        QVERIFY(!tran->signalWorkerRunning());
    }

    // In remote mode the worker reads the selected module, and reads nothing while none is selected.
    void signalWorkerReadsTheSelectedRemote() {
        Rig rig;
        CPanViewSnap* panel = rig.make();
        QVERIFY(rig.openPort());
        rig.findRemote();
        CPageDevTranSnap* tran = panel->tranPage();
        tran->setSignalInterval(std::chrono::milliseconds(30));
        panel->selectCategory(2);
        tran->liveBox()->setChecked(true);
        QTRY_VERIFY(!tran->samples().isEmpty());
        QCOMPARE(tran->samples().back(), int(rig.remote(0).signal));
        tran->liveBox()->setChecked(false);
        panel->remoteSnapList()->list()->clearSelection();
        rig.module->clearLog();
        tran->liveBox()->setChecked(true);
        QTest::qWait(150);
        tran->liveBox()->setChecked(false);
        QCOMPARE(rig.module->frameBytes().size(), size_t(0));
    }
};

REGISTER_TEST_CLASS(SnapPanelTest);
#include "SnapPanelTest.moc"
