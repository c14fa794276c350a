// The three CEL panels: their tabs, category rows and variant layouts; the panel commands posted by the local
// module page (read all, restart) and the advanced page's factory reset, against the simulated module.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "discovery/CPageListLocalDev.h"
#include "pages/CPageDevAdvCel.h"
#include "pages/CPageDevBaseCel.h"
#include "pages/CPageDevComCel.h"
#include "pages/CPageDevTranCel.h"
#include "support/CelPanelRig.h"
#include "support/TestMain.h"
#include "support/WidgetLookup.h"

using testsupport::Button;
using testsupport::CelPanelRig;
using testsupport::Field;
using namespace testsupport::celcmd;
using Icon = Operator::Icon;

namespace {

enum Kind { Vnet, Quickmesh, LowPower };

CPanViewCel* Make(CelPanelRig& rig, int kind) {
    switch (kind) {
        case Vnet: return rig.make<CPanViewCel>();
        case Quickmesh: return rig.make<CPanViewCel_Change>();
        default: return rig.make<CPanViewCelLowPower>();
    }
}

QStringList Rows(const CPanViewCel* panel) {
    QStringList rows;
    for (int i = 0; i < panel->categoryList()->topLevelItemCount(); ++i)
        rows << panel->categoryList()->topLevelItem(i)->text(0);
    return rows;
}

QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
}

}  // namespace

class CelPanelTest : public QObject {
    Q_OBJECT

private slots:
    void layoutPerPanel_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("tabs");
        const QString b = "基本信息", c = "串口信息", t = "无线传送信息", a = "高级设置", s = "安全设置";
        QTest::newRow("VNET") << int(Vnet) << QStringList{b, c, t, a, "终端设置", s} << 1;
        QTest::newRow("Quickmesh") << int(Quickmesh) << QStringList{b, c, t, a, s} << 2;
        QTest::newRow("LowPower") << int(LowPower) << QStringList{b, c, t, a, "低功耗参数", s} << 2;
    }
    void layoutPerPanel() {
        QFETCH(int, kind);
        QFETCH(QStringList, rows);
        QFETCH(int, tabs);
        CelPanelRig rig;
        CPanViewCel* panel = Make(rig, kind);
        QCOMPARE(Rows(panel), rows);
        QCOMPARE(panel->categoryList()->headerItem()->text(0), QStringLiteral("配置信息分类"));
        QCOMPARE(panel->deviceTabs()->count(), tabs);
        QCOMPARE(panel->deviceTabs()->tabText(0), QStringLiteral("本地模块"));
        if (tabs == 2) QCOMPARE(panel->deviceTabs()->tabText(1), QStringLiteral("远程模块"));
        QCOMPARE(panel->deviceTabs()->currentIndex(), 0);
        QVERIFY(!panel->remoteMode());
        QCOMPARE(panel->lowPowerKind(), kind != Vnet);

        // Row 0 shown first; one page visible at a time.
        QCOMPARE(panel->currentPage(), panel->page(0));
        for (int r = int(rows.size()) - 1; r >= 0; --r) {
            panel->selectCategory(r);
            for (int other = 0; other < rows.size(); ++other)
                QCOMPARE(panel->page(other)->isVisible(), other == r);
        }

        // The variant's controls.
        const bool quickmesh = kind != Vnet;
        CPageListLocalDev* local = panel->localPage();
        QCOMPARE(local->searchButton()->isEnabled(), quickmesh);
        QCOMPARE(local->loadButton()->isHidden(), quickmesh);
        auto* base = panel->basePage();
        QCOMPARE(Items(Field<QComboBox>(base, QStringLiteral("设备类型"))).size(), quickmesh ? 2 : 3);
        QCOMPARE(Field<QLineEdit>(base, QStringLiteral("本地网络地址"))->isReadOnly(), !quickmesh);
        QCOMPARE(Field<QLineEdit>(base, QStringLiteral("目的网络地址"))->isReadOnly(), !quickmesh);
        QVERIFY(Field<QLineEdit>(base, QStringLiteral("本地物理地址"))->isReadOnly());
        QVERIFY(!Field<QComboBox>(base, QStringLiteral("运行状态"))->isEnabled());
        auto* tran = panel->tranPage();
        QComboBox* power = Field<QComboBox>(tran, QStringLiteral("发送功率"));
        QCOMPARE(power->isEnabled(), quickmesh);
        QCOMPARE(power->count(), quickmesh ? 4 : 17);
        QVERIFY(Field<QLineEdit>(tran, quickmesh ? QStringLiteral("重试间隔时间(单位ms)")
                                                 : QStringLiteral("重试间隔时间(单位100ms)")));
        QVERIFY(!Field<QComboBox>(tran, QStringLiteral("速率"))->isEnabled());
        QVERIFY(!panel->advPage()->upgradeButton()->isEnabled());
    }

    // "获取本地信息" posts the panel's read of the basic, serial and radio pages: it runs after the click's handler.
    void loadInfoReadsThreePages() {
        CelPanelRig rig(2);
        rig.withModel([](sim::CelModel& m) { m.protection = false; });
        CPanViewCel* panel = Make(rig, Vnet);
        QVERIFY(rig.openPort());
        QTest::mouseClick(panel->localPage()->loadButton(), Qt::LeftButton);
        QCOMPARE(rig.framesWith(kReadLocal), size_t(0));
        CelPanelRig::settle();
        QCOMPARE(rig.framesWith(kReadLocal), size_t(3));
        QCOMPARE(rig.framesWith(kSecurity), size_t(2));  // the serial and radio pages' access check
        QCOMPARE(rig.op.lastText(), QStringLiteral("获取属性成功"));
        QCOMPARE(rig.op.shown.size(), size_t(1));
        QCOMPARE(Field<QComboBox>(panel->comPage(), QStringLiteral("波特率"))->currentText(), QStringLiteral("115200"));
    }

    // A read that fails stops the chain; the panel adds no message of its own.
    void loadInfoStopsAtTheFirstFailure() {
        CelPanelRig rig;
        CPanViewCel* panel = Make(rig, Quickmesh);
        QVERIFY(rig.openPort());
        rig.module->injectFault(sim::Fault::noAnswer().onlyWhen(3, kReadLocal));
        panel->postLoadInfo();
        CelPanelRig::settle();
        QCOMPARE(rig.framesWith(kReadLocal), size_t(1));
        QVERIFY(rig.op.shown.empty());
    }

    // The access check of the serial and radio pages on a protected VNET module: the password is asked before each
    // local read; a cancelled question ends the read with nothing read and nothing shown.
    void protectedModuleAsksBeforeLocalReads() {
        CelPanelRig rig(2);
        CPanViewCel* panel = Make(rig, Vnet);
        QVERIFY(rig.openPort());
        rig.op.passwords = {QStringLiteral("123456")};
        panel->comPage()->getCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("获取设备信息成功..."));
        QCOMPARE(rig.withModel([](sim::CelModel& m) { return m.passwordFrames; }), 1);
        rig.op.clear();
        panel->tranPage()->getCommand();  // nothing scripted: the operator cancels
        QCOMPARE(rig.op.passwordQuestions, 2);
        QVERIFY(rig.op.shown.empty());
        QCOMPARE(rig.framesWith(kReadLocal), size_t(1));
        rig.op.passwords = {QStringLiteral("654321")};
        panel->tranPage()->getCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("密码错误!操作失败"));
        QCOMPARE(rig.framesWith(kReadLocal), size_t(1));
        // The basic page reads without the check.
        panel->basePage()->getCommand();
        QCOMPARE(rig.op.passwordQuestions, 3);
        QCOMPARE(rig.framesWith(kReadLocal), size_t(2));
    }

    void reset_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("restarts");
        QTest::newRow("local") << int(Quickmesh) << "" << "复位命令发送成功" << int(Icon::Information) << 1;
        QTest::newRow("VNET local") << int(Vnet) << "" << "复位命令发送成功" << int(Icon::Information) << 1;
        QTest::newRow("remote tab, no row") << int(Quickmesh) << "remote"
                                            << "你没有选择设备，请先选择左边设备列表的一个设备再进行此操作..."
                                            << int(Icon::Critical) << 0;
        QTest::newRow("port closed") << int(Quickmesh) << "closed" << "操作失败，串口未打开..." << int(Icon::Critical)
                                     << 0;
        QTest::newRow("remote row selected") << int(LowPower) << "selected" << "复位命令发送成功"
                                             << int(Icon::Information) << 0;
    }
    void reset() {
        QFETCH(int, kind);
        QFETCH(QString, situation);
        QFETCH(QString, message);
        QFETCH(int, icon);
        QFETCH(int, restarts);
        CelPanelRig rig;
        CPanViewCel* panel = Make(rig, kind);
        QVERIFY(rig.openPort());
        if (situation == "remote") panel->deviceTabs()->setCurrentIndex(1);
        if (situation == "closed") WithLibrary([] { return QVZB_CloseCom(); });
        if (situation == "selected") QVERIFY(rig.addRemoteByHand(0));
        panel->postReset();
        CelPanelRig::settle();
        QCOMPARE(rig.op.lastText(), message);
        QCOMPARE(int(rig.op.lastIcon()), icon);
        QCOMPARE(rig.local().restarts, restarts);
        QCOMPARE(rig.remote(0).restarts, situation == "selected" ? 1 : 0);
        if (situation == "remote") QCOMPARE(rig.framesWith(kRestart), size_t(0));
    }

    // The local page checks the port itself before it posts anything.
    void localPageChecksThePort_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("icon");
        QTest::newRow("read") << "获取本地信息" << int(Icon::Critical);
        QTest::newRow("restart") << "复位本地设备" << int(Icon::Plain);
        QTest::newRow("search") << "搜索网络设备" << int(Icon::Critical);
    }
    void localPageChecksThePort() {
        QFETCH(QString, button);
        QFETCH(int, icon);
        CelPanelRig rig;
        CPanViewCel* panel = Make(rig, Vnet);
        QAbstractButton* b = Button(panel->localPage(), button);
        b->setEnabled(true);
        QTest::mouseClick(b, Qt::LeftButton);
        CelPanelRig::settle();
        QCOMPARE(rig.op.lastText(), QStringLiteral("操作失败，串口未打开..."));
        QCOMPARE(int(rig.op.lastIcon()), icon);
        QCOMPARE(rig.op.shown.size(), size_t(1));
        QVERIFY(rig.module->frameBytes().empty());
    }

    void factoryReset_data() {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::newRow("local") << "" << "恢复出厂配置成功" << int(Icon::Information);
        QTest::newRow("local, not confirmed") << "silent" << "恢复出厂配置失败，请重新操作" << int(Icon::Critical);
        QTest::newRow("remote tab, no row") << "remote"
                                            << "你没有选择设备，请先选择左边设备列表的一个设备再进行此操作..."
                                            << int(Icon::Critical);
        QTest::newRow("port closed") << "closed" << "操作失败，串口未打开！" << int(Icon::Critical);
        QTest::newRow("remote row selected") << "selected" << "发送恢复出厂设置命令成功" << int(Icon::Information);
        QTest::newRow("remote, record unreadable") << "selected-silent" << "发送恢复出厂设置命令失败"
                                                   << int(Icon::Critical);
    }
    void factoryReset() {
        QFETCH(QString, situation);
        QFETCH(QString, message);
        QFETCH(int, icon);
        CelPanelRig rig;
        CPanViewCel* panel = Make(rig, Quickmesh);
        QVERIFY(rig.openPort());
        panel->basePage()->getCommand();  // the library needs the local address and control word
        rig.withModel([](sim::CelModel& m) { m.local().setText(sim::celfield::kDeviceName, "Changed"); });
        if (situation == "silent") rig.module->injectFault(sim::Fault::noAnswer().onlyWhen(3, kFactoryReset));
        if (situation == "remote") panel->deviceTabs()->setCurrentIndex(1);
        if (situation == "closed") WithLibrary([] { return QVZB_CloseCom(); });
        const bool remote = situation.startsWith("selected");
        if (remote) QVERIFY(rig.addRemoteByHand(0));
        if (situation == "selected-silent") rig.module->injectFault(sim::Fault::noAnswer().onlyWhen(3, kReadConfig));
        rig.op.clear();
        rig.module->clearLog();
        QTest::mouseClick(Button(panel->advPage(), QStringLiteral("恢复出厂设置")), Qt::LeftButton);
        QCOMPARE(rig.op.lastText(), message);
        QCOMPARE(int(rig.op.lastIcon()), icon);
        // Without its acknowledgement the module may still have reset: the page cannot know, and says it failed.
        QCOMPARE(rig.remote(0).factoryResets, situation == "selected" ? 1 : 0);
        const bool reached = situation.isEmpty() || situation == "silent";
        QCOMPARE(rig.local().factoryResets, reached ? 1 : 0);
        QCOMPARE(rig.local().name() == "Changed", !reached);
        QCOMPARE(rig.op.passwordQuestions, 0);
    }
};

REGISTER_TEST_CLASS(CelPanelTest);
#include "CelPanelTest.moc"
