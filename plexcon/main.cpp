// Plexcon: configures ZigBee radio modules on a serial port.
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QLocale>
#include <QProcessEnvironment>
#include <QSocketNotifier>
#include <QStyleFactory>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>

#include "shell/CPlexconCELDlg.h"
#include "shell/DemoModule.h"
#include "shell/Language.h"
#include "shell/QtOperator.h"
#include "shell/SettingsLocation.h"

namespace {

bool HasEnv(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
}

bool AsksForHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        for (const char* h : {"-h", "--help", "-help", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], h) == 0) return true;
    return false;
}

bool DisplayAvailable(int argc, char** argv) {
    if (HasEnv("DISPLAY") || HasEnv("WAYLAND_DISPLAY") || HasEnv("QT_QPA_PLATFORM")) return true;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return true;
    return false;
}

void SayNoDisplay() {
    std::fputs(
        "plexcon: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set, nor "
        "QT_QPA_PLATFORM).\n"
        "Run it under a virtual X server:   xvfb-run -a plexcon [options]\n"
        "or with no window at all:          QT_QPA_PLATFORM=offscreen plexcon [options]\n",
        stderr);
}

struct Options {
    QCommandLineOption demo{QStringLiteral("demo"),
                            QStringLiteral("Serve a simulated CEL module inside the program and select its port.")};
    QCommandLineOption demoLine{QStringLiteral("demo-line"),
                                QStringLiteral("Product line of the demo module: quickmesh (default), lowpower, vnet, "
                                               "or a control word in decimal. Implies --demo."),
                                QStringLiteral("line"), QStringLiteral("quickmesh")};
    QCommandLineOption demoFamily{QStringLiteral("demo-family"),
                                  QStringLiteral("Module family of the demo: cel (default), orlnet or snap. orlnet and "
                                                 "snap imply --demo and --show-hidden."),
                                  QStringLiteral("family"), QStringLiteral("cel")};
    QCommandLineOption demoRemotes{QStringLiteral("demo-remotes"),
                                   QStringLiteral("Remote modules on the demo module's air (default 3)."),
                                   QStringLiteral("n"), QStringLiteral("3")};
    QCommandLineOption port{QStringLiteral("port"),
                            QStringLiteral("Add a port to the port list (\"pts/3\", \"/dev/ttyUSB0\"); may be given "
                                           "more than once. PLEXCON_PORTS adds more, separated by ':'."),
                            QStringLiteral("name")};
    QCommandLineOption settingsDir{QStringLiteral("settings-dir"),
                                   QStringLiteral("Folder of Plexcon.ini (also PLEXCON_SETTINGS_DIR). Default: the "
                                                  "program's folder (a portable build), or ~/.config/Plexcon when "
                                                  "installed."),
                                   QStringLiteral("dir")};
    QCommandLineOption showHidden{QStringLiteral("show-hidden"),
                                  QStringLiteral("Show the screens the standard navigation hides: the SNAP and ORLNET "
                                                 "panels, the IO and analogue-input pages of the CEL panels, and the "
                                                 "CEL firmware upgrade.")};
    QCommandLineOption lang{QStringLiteral("lang"),
                            QStringLiteral("Language of the screens: en (English) or zh (Chinese). Default: English "
                                           "when the first of the system's preferred languages that Plexcon speaks "
                                           "is English, otherwise Chinese."),
                            QStringLiteral("en|zh")};
    QCommandLineOption quitAfterShown{QStringLiteral("quit-after-shown"),
                                      QStringLiteral("Print the time from start to the first painted window, then "
                                                     "quit (start-up measurement).")};

    void addTo(QCommandLineParser& parser) const {
        parser.setApplicationDescription(QStringLiteral("Configures ZigBee radio modules on a serial port."));
        parser.addHelpOption();
        parser.addVersionOption();
        for (const auto* o : {&demo, &demoLine, &demoFamily, &demoRemotes, &port, &settingsDir, &showHidden, &lang,
                              &quitAfterShown})
            parser.addOption(*o);
    }
};

// SIGTERM and SIGINT end the program the way the close box does, so the settings are saved and the port closed.
int g_terminatePipe[2] = {-1, -1};

void OnTerminate(int) {
    const char c = 1;
    [[maybe_unused]] ssize_t n = ::write(g_terminatePipe[1], &c, 1);
}

std::unique_ptr<QSocketNotifier> QuitOnTerminate() {
    if (::pipe2(g_terminatePipe, O_CLOEXEC | O_NONBLOCK) != 0) return nullptr;
    auto notifier = std::make_unique<QSocketNotifier>(g_terminatePipe[0], QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, qApp, &QCoreApplication::quit);
    struct sigaction action = {};
    action.sa_handler = OnTerminate;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    return notifier;
}

// Reports the first paint of the main window, then quits.
class FirstPaintProbe : public QObject {
public:
    explicit FirstPaintProbe(const QElapsedTimer& sinceStart) : sinceStart_(sinceStart) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !reported_) {
            reported_ = true;
            std::printf("plexcon: first window painted %lld ms after start\n",
                        static_cast<long long>(sinceStart_.elapsed()));
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer& sinceStart_;
    bool reported_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    const bool help = AsksForHelp(argc, argv);
    if (!help && !DisplayAvailable(argc, argv)) {
        SayNoDisplay();
        return 2;
    }
    std::unique_ptr<QCoreApplication> app;
    if (help)
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("plexcon"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.20.2"));

    Options options;
    QCommandLineParser parser;
    options.addTo(parser);
    parser.process(*app);  // --help and --version end here

    Language language = LanguageFor(QLocale::system().uiLanguages());
    if (parser.isSet(options.lang)) {
        const auto named = LanguageNamed(parser.value(options.lang));
        if (!named) {
            std::fprintf(stderr, "plexcon: --lang wants en or zh, not \"%s\"\n",
                         qPrintable(parser.value(options.lang)));
            return 2;
        }
        language = *named;
    }
    if (!InstallTranslators(language)) std::fputs("plexcon: a translation catalogue did not load\n", stderr);

    QApplication::setApplicationDisplayName(QStringLiteral("Plexcon"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    ShellContext context;
    QtOperator op;
    context.op = &op;
    QString namedFolder = parser.value(options.settingsDir);
    if (namedFolder.isEmpty()) namedFolder = env.value(QStringLiteral("PLEXCON_SETTINGS_DIR"));
    const ProgramFolders folders = FoldersFor(namedFolder, env.value(QStringLiteral("PLEXCON_LOG_DIR")),
                                              QCoreApplication::applicationDirPath());
    context.settingsPath = SettingsFilePath(folders.settings);
    context.logFolder = folders.logs;
    context.extraPorts = parser.values(options.port);
    context.showHidden = parser.isSet(options.showHidden);
    context.extraPorts += env.value(QStringLiteral("PLEXCON_PORTS")).split(u':', Qt::SkipEmptyParts);

    std::unique_ptr<DemoModule> demo;  // outlives the window, which closes the port on its way out
    const QString demoFamily = parser.value(options.demoFamily).trimmed().toLower();
    const bool otherFamily = demoFamily != QLatin1String("cel");
    if (parser.isSet(options.demo) || parser.isSet(options.demoLine) || otherFamily) {
        bool ok = false;
        int remotes = parser.value(options.demoRemotes).toInt(&ok);
        QString error;
        if (!ok || remotes < 0) error = QStringLiteral("--demo-remotes wants a number");
        else if (otherFamily) demo = DemoModule::StartFamily(demoFamily, remotes, &error);
        else demo = DemoModule::Start(parser.value(options.demoLine), remotes, &error);
        // The SNAP and ORLNET panels are reached through the hidden navigation entries.
        if (demo && otherFamily) context.showHidden = true;
        if (!demo) {
            std::fprintf(stderr, "plexcon: cannot start the demo module: %s\n", qPrintable(error));
            return 1;
        }
        context.extraPorts << demo->portName();
        context.preferredPort = demo->portName();
        std::printf("plexcon: demo module on /dev/%s, configuration password \"%s\"\n", qPrintable(demo->portName()),
                    qPrintable(demo->password()));
        std::fflush(stdout);
    }

    const auto terminateNotifier = QuitOnTerminate();
    CPlexconCELDlg window(context);
    FirstPaintProbe probe(sinceStart);
    if (parser.isSet(options.quitAfterShown)) window.installEventFilter(&probe);
    window.show();
    return app->exec();
}
