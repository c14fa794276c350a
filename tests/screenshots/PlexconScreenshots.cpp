// Takes the pictures in docs/screenshots: Plexcon on simulated modules under an X server (xvfb-run), driven the
// way an operator would, each picture the whole screen. Usage: plexcon-screenshots OUTPUT_FOLDER
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QScreen>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>

#include <QTreeWidget>

#include "discovery/CPageListDevRemoteCel.h"
#include "discovery/CPageListLocalDev.h"
#include "shell/CPanViewCel.h"
#include "shell/CPanViewPcCom.h"
#include "shell/CPlexconCELDlg.h"
#include "shell/DemoModule.h"
#include "support/ScriptedOperator.h"
#include "support/WidgetLookup.h"

namespace {

QString g_out;

void Shot(const QString& name) {
    QTest::qWait(250);
    const QString path = QDir(g_out).filePath(name + QStringLiteral(".png"));
    if (!QGuiApplication::primaryScreen()->grabWindow(0).save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    else std::printf("%s\n", qPrintable(path));
}

void Click(QWidget* root, const QString& caption) {
    if (QAbstractButton* b = testsupport::Button(root, caption)) QTest::mouseClick(b, Qt::LeftButton);
    else std::fprintf(stderr, "no button %s\n", qPrintable(caption));
    QTest::qWait(50);
}

// A window on a demo module of one product line, its port opened at 115200 8N1 and its panel shown.
struct Session {
    Session(const QString& line, int panelIndex) {
        QString error;
        demo = DemoModule::Start(line, 6, &error);
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
        window = std::make_unique<CPlexconCELDlg>(context);
        window->move(0, 0);
        window->show();
        QTest::qWait(100);
        auto* serial = static_cast<CPanViewPcCom*>(window->panel(CPlexconCELDlg::SerialPort));
        testsupport::Field<QComboBox>(serial, QStringLiteral("波特率"))->setCurrentIndex(7);
        testsupport::Field<QComboBox>(serial, QStringLiteral("数据位"))->setCurrentIndex(3);
        Click(serial, QStringLiteral("打开串口"));
        window->showPanel(panelIndex);
        panel = static_cast<CPanViewCel*>(window->panel(panelIndex));
    }
    // Shows category `row` and reads it.
    void read(int row) {
        panel->selectCategory(row);
        Click(panel->currentPage(), QStringLiteral("获取信息"));
    }

    std::unique_ptr<DemoModule> demo;
    QTemporaryDir settings;
    ScriptedOperator op;
    ShellContext context;
    std::unique_ptr<CPlexconCELDlg> window;
    CPanViewCel* panel = nullptr;
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
    Click(s.panel->localPage(), QStringLiteral("搜索网络设备"));
    QTest::qWait(200);
    if (auto* list = s.panel->remoteCelList(); list && list->rows()->topLevelItemCount() > 1) {
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

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Plexcon"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (argc < 2) {
        std::fprintf(stderr, "usage: plexcon-screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[1]);
    ShootQuickmesh();
    ShootLowPower();
    ShootVnet();
    return 0;
}
