// Takes the pictures in docs/screenshots: Plexcon on simulated modules under an X server (xvfb-run), driven the
// way an operator would, each picture the whole screen. Usage: plexcon-screenshots OUTPUT_FOLDER [english]
// (english: only the pictures of the English screens).
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QScreen>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <memory>

#include <QLineEdit>
#include <QTabWidget>
#include <QTreeWidget>

#include "discovery/CPageListDevRemoteCel.h"
#include "discovery/CPageListLocalDev.h"
#include "discovery/CPageListDevRemoteOrlnet.h"
#include "discovery/CPageListDevRemoteSnap.h"
#include "shell/CPanViewCel.h"
#include "shell/CPanViewOrlnet.h"
#include "shell/CPanViewSnap.h"
#include "shell/CPanViewPcCom.h"
#include "shell/CPlexconCELDlg.h"
#include "shell/DemoModule.h"
#include "shell/Language.h"
#include "support/ScriptedOperator.h"
#include "support/WidgetLookup.h"
#include "tools/CPageDetectRouter.h"
#include "tools/CPageTranData.h"
#include "tools/CTestLed.h"

namespace {

QString g_out;

void Shot(const QString& name) {
    QTest::qWait(250);
    const QString path = QDir(g_out).filePath(name + QStringLiteral(".png"));
    if (!QGuiApplication::primaryScreen()->grabWindow(0).save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    else std::printf("%s\n", qPrintable(path));
}

void Click(QWidget* root, const QString& caption) {
    QAbstractButton* b = testsupport::Button(root, caption);
    if (b && b->isCheckable()) b->click();  // a box's centre may lie beyond its caption
    else if (b) QTest::mouseClick(b, Qt::LeftButton);
    else std::fprintf(stderr, "no button %s\n", qPrintable(caption));
    QTest::qWait(50);
}

// A window on a demo module of one CEL product line (or, with `family`, of the ORLNET or SNAP family), its port
// opened at 115200 8N1 and its panel shown.
struct Session {
    Session(const QString& line, int panelIndex, const QString& family = {}) {
        QString error;
        demo = family.isEmpty() ? DemoModule::Start(line, 6, &error) : DemoModule::StartFamily(family, 6, &error);
        if (!demo) {
            std::fprintf(stderr, "demo: %s\n", qPrintable(error));
            return;
        }
        op.passwords.assign(20, demo->password());
        context.op = &op;
        context.settingsPath = settings.filePath(QStringLiteral("Plexcon.ini"));
        context.logFolder = settings.path();
        context.extraPorts = {demo->portName()};
        context.preferredPort = demo->portName();
        context.showHidden = !family.isEmpty();
        window = std::make_unique<CPlexconCELDlg>(context);
        window->move(0, 0);
        window->show();
        QTest::qWait(100);
        auto* serial = static_cast<CPanViewPcCom*>(window->panel(CPlexconCELDlg::SerialPort));
        testsupport::Field<QComboBox>(serial, testsupport::Caption("CPanViewPcCom", "波特率"))->setCurrentIndex(7);
        testsupport::Field<QComboBox>(serial, testsupport::Caption("CPanViewPcCom", "数据位"))->setCurrentIndex(3);
        Click(serial, testsupport::Caption("CPanViewPcCom", "打开串口"));
        window->showPanel(panelIndex);
        panel = static_cast<FamilyPanel*>(window->panel(panelIndex));
    }
    template <typename Panel>
    Panel* as() const {
        return static_cast<Panel*>(panel);
    }
    // Shows category `row` and reads it.
    void read(int row, const QString& command = testsupport::Caption("CelConfigPage", "获取信息")) {
        panel->selectCategory(row);
        Click(panel->currentPage(), command);
    }

    std::unique_ptr<DemoModule> demo;
    QTemporaryDir settings;
    ScriptedOperator op;
    ShellContext context;
    std::unique_ptr<CPlexconCELDlg> window;
    FamilyPanel* panel = nullptr;
};

void ShootQuickmesh() {
    Session s(QStringLiteral("quickmesh"), CPlexconCELDlg::Quickmesh);
    s.read(0);
    Shot(QStringLiteral("quickmesh-basic"));
    s.read(1);
    Shot(QStringLiteral("quickmesh-serial"));
    s.read(2);
    Shot(QStringLiteral("quickmesh-radio"));
    s.panel->selectCategory(3);
    Shot(QStringLiteral("quickmesh-advanced"));
    s.panel->selectCategory(4);
    Shot(QStringLiteral("quickmesh-security"));

    // The search dialog (a first run checks no box): every channel at 250K, pictured mid-search, then closed with "退出".
    testsupport::WhenModal([](QWidget* dialog) {
        Click(dialog, QStringLiteral("全选"));
        Click(dialog, QStringLiteral("250K"));
        Click(dialog, QStringLiteral("搜索"));
        QTest::qWait(1500);
        Shot(QStringLiteral("quickmesh-search"));
        for (int i = 0; i < 200 && !testsupport::Button(dialog, QStringLiteral("退出"))->isEnabled(); ++i)
            QTest::qWait(100);
        Click(dialog, QStringLiteral("退出"));
    });
    Click(s.as<CPanViewCel>()->localPage(), QStringLiteral("搜索网络设备"));
    QTest::qWait(200);
    if (auto* list = s.as<CPanViewCel>()->remoteCelList(); list && list->rows()->topLevelItemCount() > 1) {
        list->rows()->setCurrentItem(list->rows()->topLevelItem(1));
        s.read(0);
    }
    Shot(QStringLiteral("quickmesh-remote-basic"));
}

void ShootLowPower() {
    Session s(QStringLiteral("lowpower"), CPlexconCELDlg::LowPower);
    s.read(4);
    Shot(QStringLiteral("lowpower-page"));
}

void ShootVnet() {
    Session s(QStringLiteral("vnet"), CPlexconCELDlg::Vnet);
    s.read(0);
    Shot(QStringLiteral("vnet-basic"));
    s.read(4);
    Shot(QStringLiteral("vnet-terminal"));
}

// Runs the search dialog the next click opens: every box ticked by `selectAll`, then "搜索"; the dialog closes
// itself when the search has ended.
void SearchAll(QWidget* origin, const QString& command, const QString& selectAll) {
    testsupport::WhenModal([selectAll](QWidget* dialog) {
        Click(dialog, selectAll);
        Click(dialog, QStringLiteral("搜索"));
    });
    Click(origin, command);
    QTest::qWait(300);
}

void ShootOrlnet() {
    Session s(QString(), CPlexconCELDlg::Orlnet, QStringLiteral("orlnet"));
    auto* panel = s.as<CPanViewOrlnet>();
    s.read(0);
    Shot(QStringLiteral("orlnet-base-local"));
    s.read(1);
    Shot(QStringLiteral("orlnet-com"));
    s.read(2, QStringLiteral("获取"));
    Shot(QStringLiteral("orlnet-tran"));
    panel->selectCategory(4);
    Shot(QStringLiteral("orlnet-adv"));

    // Route tables: a module reached over two relays, drawn as a chain.
    panel->selectCategory(3);
    panel->routePage()->addressField()->setText(QStringLiteral("2003"));
    Click(panel->routePage(), QStringLiteral("开始查找"));
    Shot(QStringLiteral("orlnet-route-chain"));

    // The LED test: the scan of 2001..2006, then the endless test pictured while it runs.
    panel->selectCategory(5);
    CTestLed* led = panel->ledTestPage();
    led->startField()->setText(QStringLiteral("2001"));
    led->endField()->setText(QStringLiteral("2006"));
    Click(led, QStringLiteral("添加路由"));
    Click(led, QStringLiteral("开始测试"));
    QTest::qWait(3000);
    Shot(QStringLiteral("orlnet-led-test-running"));
    Click(led, QStringLiteral("停止测试"));

    panel->selectCategory(6);
    panel->dataPage()->addressField()->setText(QStringLiteral("2001"));
    panel->dataPage()->dataField()->setText(QStringLiteral("48 65 6C 6C 6F"));
    Click(panel->dataPage(), QStringLiteral("发送"));
    Click(panel->dataPage(), QStringLiteral("接收"));
    Shot(QStringLiteral("orlnet-data"));

    // A remote module found by the search, read through the local one.
    panel->deviceTabs()->setCurrentIndex(1);
    QTest::qWait(100);
    SearchAll(panel->remoteOrlnetList(), QStringLiteral("搜索设备"), QStringLiteral("通道速率全选"));
    if (QTreeWidget* rows = panel->remoteOrlnetList()->list(); rows->topLevelItemCount() > 0)
        rows->setCurrentItem(rows->topLevelItem(0));
    s.read(0);
    Shot(QStringLiteral("orlnet-base-remote"));
}

void ShootSnap() {
    Session s(QString(), CPlexconCELDlg::Snap, QStringLiteral("snap"));
    s.read(0);
    Shot(QStringLiteral("snap-base-local"));
    s.read(2, QStringLiteral("获取"));
    Click(s.panel->currentPage(), QStringLiteral("实时更新信号强度"));
    QTest::qWait(20000);  // the signal chart fills while the page is shown (a value a second)
    Shot(QStringLiteral("snap-tran-signal-chart"));
    s.panel->selectCategory(3);
    Click(s.panel->currentPage(), QStringLiteral("读EEPROOM"));
    Shot(QStringLiteral("snap-adv-eeprom"));

    // Entering the empty remote tab opens the search.
    testsupport::WhenModal([](QWidget* dialog) {
        Click(dialog, QStringLiteral("全选"));
        Click(dialog, QStringLiteral("搜索"));
    });
    s.panel->deviceTabs()->setCurrentIndex(1);
    QTest::qWait(300);
    for (int i = 0; i < 300 && QApplication::activeModalWidget(); ++i) QTest::qWait(100);
    if (QTreeWidget* rows = s.as<CPanViewSnap>()->remoteSnapList()->list(); rows->topLevelItemCount() > 0)
        rows->setCurrentItem(rows->topLevelItem(0));
    s.read(1);
    Shot(QStringLiteral("snap-com-remote"));
}

// The English screens (--lang en).
void ShootEnglish() {
    InstallTranslators(Language::English);
    Session s(QStringLiteral("quickmesh"), CPlexconCELDlg::Quickmesh);
    s.read(0);
    Shot(QStringLiteral("english-quickmesh-basic"));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Plexcon"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (argc < 2 || (argc > 2 && std::strcmp(argv[2], "english") != 0)) {
        std::fprintf(stderr, "usage: plexcon-screenshots OUTPUT_FOLDER [english]\n");
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[1]);
    if (argc > 2) {
        ShootEnglish();
        return 0;
    }
    ShootQuickmesh();
    ShootLowPower();
    ShootVnet();
    ShootOrlnet();
    ShootSnap();
    ShootEnglish();  // last: the translators stay installed
    return 0;
}
