// The ORLNET panel and its configuration pages against the simulated network: layout, the panel commands, each
// page's read and modify on the local module, a direct remote module and one reached over a route, the password
// memory per page and direction, the field rules and the advanced page.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "discovery/CPageListLocalDev.h"
#include "orlnet/OrlnetRig.h"
#include "pages/CPageDevAdvOrlnet.h"
#include "pages/CPageDevBaseOrlnet.h"
#include "pages/CPageDevComOrlnet.h"
#include "pages/CPageDevTranOrlnet.h"
#include "support/TestMain.h"
#include "support/WidgetLookup.h"

using namespace orlnettest;
using testsupport::Button;
using testsupport::Field;
using Icon = Operator::Icon;

namespace {

const QString kNoSelection = QStringLiteral("你没有选择设备，请先选择左边设备列表的一个设备再进行此操作...");

QLineEdit* Edit(QWidget* page, const char* caption) { return Field<QLineEdit>(page, QString::fromUtf8(caption)); }
QComboBox* List(QWidget* page, const char* caption) { return Field<QComboBox>(page, QString::fromUtf8(caption)); }

// (offset, length) of a part read or write frame.
std::pair<int, int> SpanOf(const sim::Bytes& f) { return {f[6], f[7]}; }

}  // namespace

class OrlnetPagesTest : public QObject {
    Q_OBJECT

private slots:
    void layout() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        QStringList rows;
        for (int i = 0; i < panel->categoryCount(); ++i) rows << panel->categoryList()->topLevelItem(i)->text(0);
        QCOMPARE(rows, (QStringList{"基本信息", "串口信息", "无线传送信息", "查找路由表", "高级设置", "LED测试", "数据传输"}));
        QCOMPARE(panel->deviceTabs()->count(), 2);
        QCOMPARE(panel->deviceTabs()->tabText(1), QStringLiteral("远程模块"));
        QVERIFY(!panel->localPage()->searchButton()->isEnabled());
        QVERIFY(!panel->localPage()->loadButton()->isHidden());
        QCOMPARE(panel->remoteOrlnetList()->list()->selectionMode(), QAbstractItemView::ExtendedSelection);
        QVERIFY(!List(panel->basePage(), "设备类型")->isEnabled());
        QVERIFY(Edit(panel->basePage(), "固件版本号")->isReadOnly());
        QCOMPARE(List(panel->tranPage(), "发送功率")->count(), 17);
        QVERIFY(Button(panel->advPage(), QStringLiteral("升级"))->isEnabled());  // the panel hands its upgrade dialog
    }

    // The panel's read-all: three local reads, one message; a failed read says "获取失败".
    void loadInfo() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        QVERIFY(rig.openPort());
        panel->postLoadInfo();
        Rig::settle();
        QCOMPARE(rig.op.lastText(), QStringLiteral("获取属性成功"));
        QCOMPARE(rig.config(kRead).size(), size_t(3));
        QCOMPARE(Edit(panel->basePage(), "设备名称")->text(), QStringLiteral("ORLNET-LOCAL"));
        QCOMPARE(List(panel->comPage(), "波特率")->currentText(), QStringLiteral("115200"));
        QCOMPARE(List(panel->tranPage(), "发送功率")->currentText(), QStringLiteral("0x02: 8     dBm"));
        rig.module->injectFault(sim::Fault::noAnswer().onlyWhen(3, kRead));
        rig.op.clear();
        panel->postLoadInfo();
        Rig::settle();
        QCOMPARE(rig.op.lastText(), QStringLiteral("获取失败"));
        QCOMPARE(rig.op.lastIcon(), Icon::Critical);
    }

    void baseFieldsShowTheRecord() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        QVERIFY(rig.openPort());
        rig.withModel([](sim::OrlnetModel& m) {
            m.local().setWord(sim::orlnet_field::kFirmware, 0x1A05);
            m.local().setWord(66, 40000);  // above 32767: shown negative
            m.local().config[33] = 30;     // no channel entry
        });
        CPageDevBaseOrlnet* base = panel->basePage();
        base->getCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("获取设备信息成功..."));
        QCOMPARE(Edit(base, "固件版本号")->text(), QStringLiteral("V110.05"));
        QCOMPARE(Edit(base, "PanID")->text(), QStringLiteral("0x1a2b"));
        QCOMPARE(Edit(base, "本地网络地址")->text(), QStringLiteral("0x2000"));
        QCOMPARE(List(base, "设备类型")->currentText(), QStringLiteral("ORLNET设备"));
        QCOMPARE(List(base, "运行状态")->currentText(), QStringLiteral("正常模式"));
        QCOMPARE(List(base, "通道号")->currentIndex(), -1);
        QCOMPARE(Edit(base, "临时路由表生存时间(ms)")->text(), QStringLiteral("-25536"));
        QCOMPARE(Edit(base, "最小信号强度(dBm)")->text(), QStringLiteral("-90"));
    }

    // Local Base modify: the record is read, the password asked once; what the module stores; the field rules.
    void baseModifyLocal() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        QVERIFY(rig.openPort());
        CPageDevBaseOrlnet* base = panel->basePage();
        base->getCommand();
        Edit(base, "设备名称")->setText(QStringLiteral("NEW-NAME"));
        Edit(base, "PanID")->setText(QStringLiteral("12345"));       // low 16 bits: 0x2345
        Edit(base, "最小信号强度(dBm)")->setText(QStringLiteral("-100"));  // 0x9C
        Edit(base, "最佳信号强度(dBm)")->setText(QStringLiteral("300"));   // 0x2C
        List(base, "通道号")->setCurrentIndex(-1);                   // nothing selected: channel 10
        rig.op.passwords = {QStringLiteral("wrong")};
        base->modifyCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("密码错误!操作失败"));
        QVERIFY(!base->passwordAccepted(false));
        QCOMPARE(rig.config(kWrite).size(), size_t(0));

        rig.op.passwords = {QStringLiteral("123456")};
        base->modifyCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("修改配置成功"));
        QVERIFY(base->passwordAccepted(false));
        QCOMPARE(rig.op.passwordQuestions, 2);
        QCOMPARE(rig.localName(), std::string("NEW-NAME"));
        rig.withModel([](sim::OrlnetModel& m) {
            QCOMPARE(m.local().word(sim::orlnet_field::kPanId), 0x2345);
            QCOMPARE(m.local().config[77], 0x9C);
            QCOMPARE(m.local().config[78], 0x2C);
            QCOMPARE(m.local().config[33], 10);
        });

        // A second modify asks no more; a name of 16 bytes is refused with its message and the rest goes on.
        rig.op.clear();
        Edit(base, "设备名称")->setText(QStringLiteral("ABCDEFGHIJKLMNOP"));
        Edit(base, "PanID")->setText(QStringLiteral("0x1234"));
        base->modifyCommand();
        QCOMPARE(rig.op.passwordQuestions, 2);
        QCOMPARE(rig.op.shown.size(), size_t(2));
        QCOMPARE(rig.op.shown[0].text, QStringLiteral("修改名称失败！设备名称不能大于16个字符"));
        QCOMPARE(rig.op.shown[0].icon, Icon::Plain);
        QCOMPARE(rig.op.lastText(), QStringLiteral("修改配置成功"));
        QCOMPARE(rig.localName(), std::string("NEW-NAME"));
        QCOMPARE(rig.withModel([](sim::OrlnetModel& m) { return m.local().word(sim::orlnet_field::kPanId); }), 0x1234);
    }

    // Values that cannot be taken end the command before anything is sent.
    void fieldRules_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::newRow("retry count above 5") << "路由转发重试次数" << "6";
        QTest::newRow("not a number") << "路由表生存时间(s)" << "abc";
        QTest::newRow("PAN ID not hexadecimal") << "PanID" << "xyz";
    }
    void fieldRules() {
        QFETCH(QString, caption);
        QFETCH(QString, text);
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        QVERIFY(rig.openPort());
        panel->basePage()->getCommand();
        rig.module->clearLog();
        Field<QLineEdit>(panel->basePage(), caption)->setText(text);
        rig.op.passwords = {QStringLiteral("123456")};
        panel->basePage()->modifyCommand();
        QCOMPARE(rig.op.lastIcon(), Icon::Warning);
        QVERIFY(rig.op.lastText().contains(caption));
        QCOMPARE(rig.module->frameBytes().size(), size_t(0));
        QCOMPARE(rig.op.passwordQuestions, 0);
    }

    // Com and Tran ask first and then read; once answered they do not read at all. Each page keeps its own flag.
    void passwordMemoryPerPage() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        QVERIFY(rig.openPort());
        panel->comPage()->getCommand();
        rig.module->clearLog();
        rig.op.passwords = {QStringLiteral("123456")};
        List(panel->comPage(), "校验位")->setCurrentIndex(2);
        panel->comPage()->modifyCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("修改配置成功"));
        QCOMPARE(rig.config(kRead).size(), size_t(1));
        QCOMPARE(rig.withModel([](sim::OrlnetModel& m) { return int(m.local().config[63]); }), 2);

        rig.module->clearLog();
        panel->comPage()->modifyCommand();
        QCOMPARE(rig.op.passwordQuestions, 1);
        QCOMPARE(rig.config(kRead).size(), size_t(0));  // accepted: no read at all
        QCOMPARE(rig.config(kWrite).size(), size_t(1));

        // The Tran page has its own flag; a cancelled question ends silently.
        rig.op.clear();
        panel->tranPage()->modifyCommand();
        QCOMPARE(rig.op.passwordQuestions, 2);
        QVERIFY(rig.op.shown.empty());
        QVERIFY(!panel->tranPage()->passwordAccepted(false));
        // And the remote direction of the Com page is separate from the local one.
        QVERIFY(!panel->comPage()->passwordAccepted(true));
    }

    // A direct remote module: whole reads and writes to its address; one remote password on the Base page covers
    // every remote module modified from it, the Com page still asks once; the list is refreshed after a change.
    void remoteDirect() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        QVERIFY(rig.openPort());
        rig.findRemotes(0);
        CPageDevBaseOrlnet* base = panel->basePage();
        base->getCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("获取设备信息成功..."));
        QCOMPARE(Edit(base, "设备名称")->text(), QStringLiteral("ORLNET-2001"));
        QCOMPARE(rig.config(kRemoteRead).size(), size_t(1));
        QCOMPARE(rig.config(kRemoteRead)[0].size(), size_t(7));  // whole-record read

        rig.op.passwords = {QStringLiteral("123456")};
        Edit(base, "设备名称")->setText(QStringLiteral("R1"));
        Edit(base, "PanID")->setText(QStringLiteral("0x4444"));
        base->modifyCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("修改配置成功"));
        QCOMPARE(rig.remoteName(0), std::string("R1"));
        QVERIFY(base->passwordAccepted(true));
        QVERIFY(!base->passwordAccepted(false));
        QCOMPARE(panel->remoteOrlnetList()->list()->topLevelItem(0)->text(2), QStringLiteral("4444"));
        QCOMPARE(panel->selectedRemote(), 0);  // the refresh kept the selection

        // The route module (row 1) from the Base page: no question; the Com page asks.
        panel->remoteOrlnetList()->list()->setCurrentItem(panel->remoteOrlnetList()->list()->topLevelItem(1));
        base->getCommand();
        base->modifyCommand();
        QCOMPARE(rig.op.passwordQuestions, 1);
        QCOMPARE(rig.op.lastText(), QStringLiteral("修改配置成功"));
        rig.op.passwords = {QStringLiteral("123456")};
        panel->comPage()->modifyCommand();
        QCOMPARE(rig.op.passwordQuestions, 2);
    }

    // A module reached over a route: only the page's spans are read and written, the second Base span only after
    // the first succeeded.
    void remoteRouteSpans() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        QVERIFY(rig.openPort());
        rig.findRemotes(1);
        CPageDevBaseOrlnet* base = panel->basePage();
        QCOMPARE(base->read(), 1);
        auto reads = rig.config(kRemoteRead);
        QCOMPARE(reads.size(), size_t(2));
        QCOMPARE(SpanOf(reads[0]), std::make_pair(0, 38));
        QCOMPARE(SpanOf(reads[1]), std::make_pair(65, 14));
        QCOMPARE(reads[0][0], 0xAC);
        QCOMPARE(Edit(base, "设备名称")->text(), QStringLiteral("ORLNET-2003"));

        rig.module->clearLog();
        rig.op.passwords = {QStringLiteral("123456")};
        Edit(base, "设备名称")->setText(QStringLiteral("ROUTED"));
        Edit(base, "路由表生存时间(s)")->setText(QStringLiteral("99"));
        base->modifyCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("修改配置成功"));
        auto writes = rig.config(kWrite);
        QCOMPARE(writes.size(), size_t(2));
        QCOMPARE(SpanOf(writes[0]), std::make_pair(0, 38));
        QCOMPARE(SpanOf(writes[1]), std::make_pair(65, 14));
        QCOMPARE(rig.remoteName(2), std::string("ROUTED"));
        QCOMPARE(rig.withModel([](sim::OrlnetModel& m) { return int(m.remote(2).config[65]); }), 99);

        // The first part write refused: the second is not sent, the failure is reported.
        rig.module->clearLog();
        rig.module->injectFault(sim::Fault::noAnswer().onlyWhen(3, kWrite).repeat(4));
        base->modifyCommand();
        QCOMPARE(rig.config(kWrite).size(), size_t(1));
        QCOMPARE(rig.op.lastText(), QStringLiteral("操作失败..."));

        // Com and Tran use their own spans.
        rig.module->clearLog();
        rig.module->clearFaults();
        QCOMPARE(panel->comPage()->read(), 1);
        QCOMPARE(panel->tranPage()->read(), 1);
        reads = rig.config(kRemoteRead);
        QCOMPARE(reads.size(), size_t(2));
        QCOMPARE(SpanOf(reads[0]), std::make_pair(60, 4));
        QCOMPARE(SpanOf(reads[1]), std::make_pair(56, 2));
    }

    void remoteWithoutSelection() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        QVERIFY(rig.openPort());
        panel->deviceTabs()->setCurrentIndex(CPanViewOrlnet::RemoteTab);
        QCOMPARE(panel->basePage()->read(), 2);
        QCOMPARE(rig.op.lastText(), kNoSelection);
        panel->tranPage()->modifyCommand();
        QCOMPARE(rig.op.lastText(), kNoSelection);
        panel->postReset();
        Rig::settle();
        QCOMPARE(rig.op.lastText(), kNoSelection);
        QCOMPARE(rig.module->frameBytes().size(), size_t(0));
    }

    // Port closed: the get and modify commands say so (error icon on Base only) and send nothing.
    void portClosed() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        panel->basePage()->getCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("操作失败，串口未打开！"));
        QCOMPARE(rig.op.lastIcon(), Icon::Critical);
        panel->comPage()->modifyCommand();
        QCOMPARE(rig.op.lastIcon(), Icon::Plain);
        panel->advPage()->singleLedCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("操作失败，串口未打开！"));
        QCOMPARE(rig.module->frameBytes().size(), size_t(0));
    }

    void resetsAndLeds() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        QVERIFY(rig.openPort());
        CPageDevAdvOrlnet* adv = panel->advPage();
        // LED1 and LED4: mask 0b1001.
        Button(adv, QStringLiteral("LED1"))->setChecked(true);
        Button(adv, QStringLiteral("LED4"))->setChecked(true);
        QCOMPARE(adv->ledMask(), 0x9);
        panel->basePage()->read();
        adv->singleLedCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("设置LED状态成功"));
        QCOMPARE(rig.withModel([](sim::OrlnetModel& m) { return int(m.local().led); }), 0x9);

        // Factory reset of the local module: the module's factory values come back.
        rig.withModel([](sim::OrlnetModel& m) { m.local().config[0] = 'X'; });
        adv->factoryResetCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("恢复出厂配置成功"));
        QCOMPARE(rig.localName(), std::string("ORLNET-LOCAL"));

        // Remote: the LED of the selected module; broadcast ignores the selection.
        rig.findRemotes(0);
        adv->singleLedCommand();
        QCOMPARE(rig.withModel([](sim::OrlnetModel& m) { return int(m.remote(0).led); }), 0x9);
        QCOMPARE(rig.withModel([](sim::OrlnetModel& m) { return int(m.remote(1).led); }), 0);
        Button(adv, QStringLiteral("LED4"))->setChecked(false);
        adv->broadcastLedCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("设置LED状态成功"));
        // No answer is awaited: the module takes the broadcast a moment later.
        QTRY_COMPARE(rig.withModel([](sim::OrlnetModel& m) { return int(m.remote(1).led); }), 0x8);

        // Remote reset reads the route module's address span first.
        panel->remoteOrlnetList()->list()->setCurrentItem(panel->remoteOrlnetList()->list()->topLevelItem(1));
        rig.module->clearLog();
        adv->factoryResetCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("恢复出厂配置成功"));
        QCOMPARE(SpanOf(rig.config(kRemoteRead).at(0)), std::make_pair(36, 2));
        QCOMPARE(rig.config(kReset).size(), size_t(1));

        // The panel's restart of the selected remote module (no message about the result).
        rig.op.clear();
        panel->postReset();
        Rig::settle();
        QVERIFY(rig.op.shown.empty());
        QVERIFY(!rig.config(kRestart).empty());
    }

    // The panel's own opener runs the ORLNET upgrade dialog modally.
    void upgradeOpensTheDialog() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        QVERIFY(rig.openPort());
        QString opened;
        testsupport::WhenModal([&](QWidget* modal) {
            opened = QString::fromLatin1(modal->metaObject()->className());
            modal->close();
        });
        panel->advPage()->upgradeCommand();
        QCOMPARE(opened, QStringLiteral("CDlgUpgradeOrlnet"));
    }

    // The upgrade hands the dialog the module's control word, address, run state and device index.
    void upgradeHandsTheTarget() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        QVERIFY(rig.openPort());
        std::vector<CPageDevAdvOrlnet::UpgradeTarget> handed;
        panel->advPage()->setUpgradeOpener([&](QWidget*, const CPageDevAdvOrlnet::UpgradeTarget& t) { handed.push_back(t); });
        panel->advPage()->upgradeCommand();
        rig.findRemotes(0);
        panel->advPage()->upgradeCommand();
        QCOMPARE(handed.size(), size_t(2));
        QCOMPARE(handed[0].device, 0xFF);
        QCOMPARE(handed[0].controlWord, 0x0C10);
        QCOMPARE(handed[0].netAddress, 0x2000);
        QCOMPARE(handed[0].runState, 0xAA);
        QCOMPARE(handed[1].device, 0);
        QCOMPARE(handed[1].netAddress, 0x2001);
    }
};

REGISTER_TEST_CLASS(OrlnetPagesTest);
#include "OrlnetPagesTest.moc"
