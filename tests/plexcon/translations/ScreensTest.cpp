// With the English catalogue installed, the operator sees no Chinese: the main window and every panel, category
// and device tab (the hidden screens shown), the dialogs they open, the messages they give, and the pages filled
// from simulated modules of each family.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QPointer>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

#include "discovery/CPageListDevRemoteOrlnet.h"
#include "discovery/CPageListDevRemoteSnap.h"
#include "discovery/CPageListLocalDev.h"
#include "orlnet/OrlnetModel.h"
#include "pages/CPageDevAdvCel.h"
#include "shell/CDlgInputPwd.h"
#include "shell/CPanViewCel.h"
#include "shell/CPanViewOrlnet.h"
#include "shell/CPanViewPcCom.h"
#include "shell/CPanViewSnap.h"
#include "shell/CPlexconCELDlg.h"
#include "shell/Language.h"
#include "snap/SnapModel.h"
#include "snap/SnapScenario.h"
#include "support/CelPanelRig.h"
#include "support/FamilyPanelRig.h"
#include "support/TestMain.h"
#include "support/WidgetLookup.h"
#include "tools/CPageDetectRouter.h"
#include "tools/CProgressDlg.h"
#include "tools/CTestLed.h"
#include "tools/FakeUsbBridge.h"
#include "translations/VisibleTexts.h"

using testsupport::Button;
using testsupport::Field;
using translationtest::ChineseTexts;
using testsupport::Caption;

namespace {

// Every modal dialog that comes up is scanned once, then closed (the wait dialog closes itself).
class ModalWatcher {
public:
    explicit ModalWatcher(ChineseTexts& texts) : texts_(texts) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == last_) return;
            last_ = modal;
            texts_.scan(modal);
            seen << QString::fromLatin1(modal->metaObject()->className());
            if (qobject_cast<CProgressDlg*>(modal)) return;
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
            else modal->close();
        });
        timer_.start();
    }
    QStringList seen;

private:
    ChineseTexts& texts_;
    QTimer timer_;
    QPointer<QWidget> last_;
};

void Settle() {
    QTest::qWait(1);
    QApplication::processEvents();
}

void Click(const QWidget* root, const QString& caption) {
    QAbstractButton* b = Button(root, caption);
    QVERIFY2(b, qPrintable(caption));
    b->click();
    Settle();
}

// Reads the page shown when it has a read command ("获取信息", "获取").
void ReadPage(QWidget* page) {
    for (QAbstractButton* b : page->findChildren<QAbstractButton*>())
        if (b->isVisible() && b->isEnabled() && b->text() == QLatin1String("Read")) {
            b->click();
            Settle();
            return;
        }
}

// Every device tab and category of a panel, each page read.
void Walk(FamilyPanel* panel, ChineseTexts& texts) {
    for (int tab = 0; tab < panel->deviceTabs()->count(); ++tab) {
        panel->deviceTabs()->setCurrentIndex(tab);
        Settle();
        for (int row = 0; row < panel->categoryCount(); ++row) {
            panel->selectCategory(row);
            Settle();
            ReadPage(panel->currentPage());
            texts.scan(panel->window());
        }
    }
    panel->deviceTabs()->setCurrentIndex(FamilyPanel::LocalTab);
}

void CheckMessages(const ScriptedOperator& op, ChineseTexts& texts) {
    for (const ScriptedOperator::Shown& s : op.shown) texts.check(QStringLiteral("message"), s.text);
}

}  // namespace

class ScreensTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(InstallTranslators(Language::English)); }
    void cleanupTestCase() { InstallTranslators(Language::Chinese); }

    // The whole window on a simulated Quickmesh module, opened through the serial port panel.
    void theMainWindowAndItsDialogs() {
        testsupport::CelPanelRig rig;
        FakeUsbBridge bridge;
        bridge.devices = {{QStringLiteral("A1")}};
        rig.context.usbBridge = &bridge;
        rig.context.showHidden = true;
        rig.context.sysTtyRoot = rig.dir.filePath(QStringLiteral("sys"));
        const QString port = QString::fromStdString(rig.module->portName());
        rig.context.extraPorts = {port};
        rig.context.preferredPort = port;
        rig.op.passwords.assign(10, QStringLiteral("123456"));
        CPlexconCELDlg window(rig.context);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.navigationButton(CPlexconCELDlg::SerialPort)->text(), QStringLiteral("Serial port"));

        ChineseTexts texts;
        ModalWatcher watcher(texts);
        auto* serial = static_cast<CPanViewPcCom*>(window.panel(CPlexconCELDlg::SerialPort));
        texts.scan(&window);
        Click(serial, Caption("CPanViewPcCom", "高级"));  // while the port is closed
        Field<QComboBox>(serial, Caption("CPanViewPcCom", "波特率"))->setCurrentIndex(7);
        Field<QComboBox>(serial, Caption("CPanViewPcCom", "数据位"))->setCurrentIndex(3);
        Click(serial, Caption("CPanViewPcCom", "打开串口"));
        QVERIFY(serial->portOpen());
        Click(serial, Caption("CPanViewPcCom", "获取固件类型"));
        texts.scan(&window);

        for (int i = 0; i < CPlexconCELDlg::kPanelCount; ++i) {
            window.showPanel(i);
            Settle();
            texts.scan(&window);
            if (auto* panel = qobject_cast<FamilyPanel*>(window.panel(i))) Walk(panel, texts);
        }

        // Quickmesh: the search dialog, the upgrade dialog, a remote module added by hand and read.
        window.showPanel(CPlexconCELDlg::Quickmesh);
        auto* quickmesh = static_cast<CPanViewCel*>(window.panel(CPlexconCELDlg::Quickmesh));
        Click(quickmesh->localPage(), Caption("CPageListLocalDev", "搜索网络设备"));
        quickmesh->deviceTabs()->setCurrentIndex(FamilyPanel::LocalTab);
        quickmesh->selectCategory(3);
        Click(quickmesh->advPage(), Caption("CPageDevAdvCel", "升级"));
        quickmesh->deviceTabs()->setCurrentIndex(FamilyPanel::RemoteTab);
        CPageListDevRemoteCel* list = quickmesh->remoteCelList();
        const sim::CelModule remote = rig.remote(0);
        Field<QComboBox>(list, Caption("CPageListDevRemoteCel", "通道号"))->setCurrentIndex(remote.liveChannel() - 11);
        Field<QLineEdit>(list, Caption("CPageListDevRemoteCel", "本地网络地址"))
            ->setText(QStringLiteral("0x%1").arg(remote.liveAddress(), 4, 16, QLatin1Char('0')));
        Click(list, Caption("CPageListDevRemoteCel", "添加"));
        QCOMPARE(list->rows()->topLevelItemCount(), 1);
        list->rows()->setCurrentItem(list->rows()->topLevelItem(0));
        for (int row = 0; row < quickmesh->categoryCount(); ++row) {
            quickmesh->selectCategory(row);
            ReadPage(quickmesh->currentPage());
            texts.scan(&window);
        }

        // ORLNET's upgrade dialog (the module is a CEL one: the dialog still opens).
        window.showPanel(CPlexconCELDlg::Orlnet);
        auto* orlnet = static_cast<CPanViewOrlnet*>(window.panel(CPlexconCELDlg::Orlnet));
        orlnet->selectCategory(4);
        Click(orlnet->currentPage(), Caption("CPageDevAdvOrlnet", "升级"));

        // The dialogs the scripted operator stands in for.
        CDlgInputPwd password(&window);
        password.show();
        texts.scan(&password);
        CProgressDlg progress(&window);
        progress.show();
        texts.scan(&progress);

        for (const char* dialog : {"CDlgSearchCel", "CDlgUpgradeCel", "CDlgUpgradeOrlnet", "CSetUSBId"})
            QVERIFY2(watcher.seen.contains(QLatin1String(dialog)), dialog);
        CheckMessages(rig.op, texts);
        QVERIFY2(texts.found().isEmpty(), qPrintable(texts.report()));
    }

    // ORLNET against its simulated network: local and remote pages read, a route looked up, the LED scan.
    void theOrlnetPanelFilledFromItsModules() {
        testsupport::FamilyPanelRig<CPanViewOrlnet, sim::OrlnetModel> rig(std::make_unique<sim::OrlnetModel>(3));
        rig.context.showHidden = true;
        QVERIFY(rig.openPort());
        CPanViewOrlnet* panel = rig.make();
        ChineseTexts texts;
        ModalWatcher watcher(texts);

        panel->selectCategory(3);
        panel->routePage()->addressField()->setText(QStringLiteral("2003"));
        Click(panel->routePage(), Caption("CPageDetectRouter", "开始查找"));
        texts.scan(panel);
        panel->selectCategory(5);
        panel->ledTestPage()->startField()->setText(QStringLiteral("2001"));
        panel->ledTestPage()->endField()->setText(QStringLiteral("2004"));
        Click(panel->ledTestPage(), Caption("CTestLed", "添加路由"));
        QTRY_VERIFY(!panel->ledTestPage()->foundField()->text().isEmpty());
        texts.scan(panel);

        WithLibrary([] { return QVZB_ORLNET_SearchDev(15, 0); });
        panel->refreshRemoteList();
        QVERIFY(panel->remoteOrlnetList()->list()->topLevelItemCount() > 0);
        panel->remoteOrlnetList()->list()->setCurrentItem(panel->remoteOrlnetList()->list()->topLevelItem(0));
        Walk(panel, texts);
        panel->deviceTabs()->setCurrentIndex(FamilyPanel::RemoteTab);
        Click(panel->remoteOrlnetList(), Caption("OrlnetSnapRemoteList", "搜索设备"));

        QVERIFY(watcher.seen.contains(QLatin1String("CDlgSearchOrlnet")));
        CheckMessages(rig.op, texts);
        QVERIFY2(texts.found().isEmpty(), qPrintable(texts.report()));
    }

    // SNAP against simulated modules: entering the empty remote tab opens its search; the pages read.
    void theSnapPanelFilledFromItsModules() {
        sim::ScenarioOptions options;
        options.remotes = 2;
        std::unique_ptr<sim::SnapModel> model(static_cast<sim::SnapModel*>(sim::MakeSnapModel(options).release()));
        testsupport::FamilyPanelRig<CPanViewSnap, sim::SnapModel> rig(std::move(model));
        QVERIFY(rig.openPort());
        CPanViewSnap* panel = rig.make();
        ChineseTexts texts;
        ModalWatcher watcher(texts);

        panel->deviceTabs()->setCurrentIndex(FamilyPanel::RemoteTab);
        Settle();
        QTRY_VERIFY(watcher.seen.contains(QLatin1String("CDlgSearchSnap")));
        panel->deviceTabs()->setCurrentIndex(FamilyPanel::LocalTab);
        WithLibrary([] { return QVZB_SNAP_SearchDev(4, 0); });
        panel->refreshRemoteList();
        QVERIFY(panel->remoteSnapList()->list()->topLevelItemCount() > 0);
        panel->remoteSnapList()->list()->setCurrentItem(panel->remoteSnapList()->list()->topLevelItem(0));
        Walk(panel, texts);

        CheckMessages(rig.op, texts);
        QVERIFY2(texts.found().isEmpty(), qPrintable(texts.report()));
    }
};

REGISTER_TEST_CLASS(ScreensTest);
#include "ScreensTest.moc"
