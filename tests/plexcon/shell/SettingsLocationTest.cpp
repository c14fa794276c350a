// Where "Plexcon.ini" and the logs go: beside a portable build, in the XDG folders for an installed program (told by
// the layout around the executable, or by a folder that cannot be written), and wherever a folder is named outright.
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "support/TestMain.h"
#include "shell/SettingsLocation.h"

class SettingsLocationTest : public QObject {
    Q_OBJECT
    QTemporaryDir root_;
    QByteArray savedConfig_, savedData_;

    // "@" stands for the test's own folder.
    QString at(const QString& path) const {
        return path.isEmpty() ? path : QString(path).replace(QLatin1Char('@'), root_.path());
    }

private slots:
    void initTestCase() {
        savedConfig_ = qgetenv("XDG_CONFIG_HOME");
        savedData_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_CONFIG_HOME", root_.filePath(QStringLiteral("home/config")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", root_.filePath(QStringLiteral("home/data")).toLocal8Bit());
        // A portable build: the executable alone in a folder. An installed one: bin/ beside share/plexcon, as the
        // install lays it out (writable here, as /usr/bin is for root).
        QVERIFY(QDir().mkpath(root_.filePath(QStringLiteral("portable"))));
        QVERIFY(QDir().mkpath(root_.filePath(QStringLiteral("usr/bin"))));
        QVERIFY(QDir().mkpath(root_.filePath(QStringLiteral("usr/share/plexcon"))));
    }
    void cleanupTestCase() {
        const auto restore = [](const char* name, const QByteArray& saved) {
            if (saved.isNull())
                qunsetenv(name);
            else
                qputenv(name, saved);
        };
        restore("XDG_CONFIG_HOME", savedConfig_);
        restore("XDG_DATA_HOME", savedData_);
    }

    void folders_data() {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("namedSettings");
        QTest::addColumn<QString>("namedLogs");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("logs");
        const QString config = QStringLiteral("@/home/config/Plexcon"), data = QStringLiteral("@/home/data/Plexcon");
        QTest::newRow("portable") << "@/portable" << "" << "" << false << "@/portable" << "@/portable";
        QTest::newRow("installed layout") << "@/usr/bin" << "" << "" << true << config << data;
        QTest::newRow("folder not writable") << "@/no/such/bin" << "" << "" << true << config << data;
        QTest::newRow("settings named, installed")
            << "@/usr/bin" << "@/named" << "" << true << "@/named" << "@/named";
        QTest::newRow("logs named, installed") << "@/usr/bin" << "" << "@/logs" << true << config << "@/logs";
        QTest::newRow("logs named, portable") << "@/portable" << "" << "@/logs" << false << "@/portable" << "@/logs";
        QTest::newRow("both named") << "@/usr/bin" << "@/named/" << "@/logs/" << true << "@/named" << "@/logs";
    }
    void folders() {
        QFETCH(QString, executable);
        QFETCH(QString, namedSettings);
        QFETCH(QString, namedLogs);
        QFETCH(bool, installed);
        QFETCH(QString, settings);
        QFETCH(QString, logs);
        QCOMPARE(IsInstalled(at(executable)), installed);
        const ProgramFolders folders = FoldersFor(at(namedSettings), at(namedLogs), at(executable));
        QCOMPARE(folders.settings, at(settings));
        QCOMPARE(folders.logs, at(logs));
        QVERIFY(QDir(folders.settings).exists());  // created on the way
        QVERIFY(QDir(folders.logs).exists());
        QCOMPARE(SettingsFilePath(folders.settings), at(settings) + QStringLiteral("/Plexcon.ini"));
    }
};

REGISTER_TEST_CLASS(SettingsLocationTest);
#include "SettingsLocationTest.moc"
