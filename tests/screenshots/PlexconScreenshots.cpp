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

#include "discovery/RemoteDeviceList.h"
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

// One product line: its demo module, the window on it, the port opened, then the line's panel page by page.
void ShootLine(const QString& line, int panelIndex, const QString& prefix) {
    QString error;
    auto demo = DemoModule::Start(line, 4, &error);
    if (!demo) {
        std::fprintf(stderr, "demo: %s\n", qPrintable(error));
        return;
    }
    QTemporaryDir settings;
    ScriptedOperator op;
    ShellContext context;
    context.op = &op;
    context.settingsPath = settings.filePath(QStringLiteral("Plexcon.ini"));
    context.extraPorts = {demo->portName()};
    context.preferredPort = demo->portName();
    CPlexconCELDlg window(context);
    window.move(0, 0);
    window.show();
    QTest::qWait(100);

    auto* serial = static_cast<CPanViewPcCom*>(window.panel(CPlexconCELDlg::SerialPort));
    testsupport::Field<QComboBox>(serial, QStringLiteral("波特率"))->setCurrentIndex(7);
    testsupport::Field<QComboBox>(serial, QStringLiteral("数据位"))->setCurrentIndex(3);
    Click(serial, QStringLiteral("打开串口"));

    window.showPanel(panelIndex);
    auto* panel = static_cast<CPanViewCel*>(window.panel(panelIndex));
    for (int row = 0; row < panel->categoryCount(); ++row) {
        panel->selectCategory(row);
        Click(panel->currentPage(), QStringLiteral("获取信息"));
        Shot(QStringLiteral("%1-page-%2").arg(prefix).arg(row));
    }
    panel->selectCategory(0);
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
    ShootLine(QStringLiteral("quickmesh"), CPlexconCELDlg::Quickmesh, QStringLiteral("quickmesh"));
    ShootLine(QStringLiteral("lowpower"), CPlexconCELDlg::LowPower, QStringLiteral("lowpower"));
    ShootLine(QStringLiteral("vnet"), CPlexconCELDlg::Vnet, QStringLiteral("vnet"));
    return 0;
}
