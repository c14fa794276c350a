// The settings file's profile semantics: reads of absent or odd values, writes that create and keep.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "support/TestMain.h"
#include "shell/SettingsFile.h"
#include "shell/SettingsLocation.h"

namespace {

QByteArray Contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString path() const { return dir_.filePath(QStringLiteral("Plexcon.ini")); }

private slots:
    void init() { QFile::remove(path()); }

    void reads_data() {
        QTest::addColumn<QByteArray>("file");  // empty: no file at all
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        const QString none = SettingsFile::kNoValue;
        QTest::newRow("no file") << QByteArray() << "COM" << "BAUD" << 0 << none;
        QTest::newRow("plain") << QByteArray("[COM]\nBAUD=3\n") << "COM" << "BAUD" << 3 << "3";
        QTest::newRow("names ignore case and spaces")
            << QByteArray("[ com ]\r\n  baud = 7 \r\n") << "COM" << "BAUD" << 7 << "7";
        QTest::newRow("negative") << QByteArray("[COM]\nCOM=-1\n") << "COM" << "COM" << -1 << "-1";
        QTest::newRow("leading digits count") << QByteArray("[COM]\nTimeout=250ms\n") << "COM" << "Timeout" << 250
                                              << "250ms";
        QTest::newRow("not a number") << QByteArray("[COM]\nTimeout=abc\n") << "COM" << "Timeout" << 0 << "abc";
        QTest::newRow("empty value is not absent") << QByteArray("[Search]\nRate=\n") << "Search" << "Rate" << 0
                                                   << "";
        QTest::newRow("key of another section") << QByteArray("[COM]\nRate=101\n[Search]\nChannel=1\n")
                                                << "Search" << "Rate" << 0 << none;
        QTest::newRow("too big for an int") << QByteArray("[COM]\nBAUD=99999999999\n") << "COM" << "BAUD"
                                            << 2147483647 << "99999999999";
        QTest::newRow("quotes stripped") << QByteArray("[Search]\nstartID=\"0x10\"\n") << "Search" << "startID" << 0
                                         << "0x10";
        QTest::newRow("first of two keys") << QByteArray("[COM]\nBAUD=2\nBAUD=5\n") << "COM" << "BAUD" << 2 << "2";
        QTest::newRow("long text cut at 259")
            << QByteArray("[Search]\nChannel=") + QByteArray(300, '1') + "\n"
            << "Search" << "Channel" << 2147483647 << QString(259, u'1');
    }
    void reads() {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        if (!file.isEmpty()) Put(path(), file);
        SettingsFile s(path());
        QTEST(s.ReadInt(section, key), "number");
        QTEST(s.ReadText(section, key), "text");
    }

    void firstWriteCreatesTheFile() {
        SettingsFile s(path());
        QVERIFY(s.WriteInt(QStringLiteral("COM"), QStringLiteral("Timeout"), -1));
        QCOMPARE(Contents(path()), QByteArray("[COM]\nTimeout=-1\n"));
        QCOMPARE(s.ReadInt(QStringLiteral("COM"), QStringLiteral("Timeout")), -1);
    }

    void writesKeepTheRestOfTheFile() {
        Put(path(), "; kept\r\n[COM]\r\nBAUD=3\r\n\r\n[Search]\r\nRate=110\r\n");
        SettingsFile s(path());
        QVERIFY(s.WriteInt(QStringLiteral("com"), QStringLiteral("baud"), 7));         // replaced where it stands
        QVERIFY(s.WriteInt(QStringLiteral("COM"), QStringLiteral("datab"), 3));        // added to its section
        QVERIFY(s.WriteText(QStringLiteral("Scan"), QStringLiteral("Last"), "pts/3"));  // a new section at the end
        QCOMPARE(Contents(path()), QByteArray("; kept\r\n[COM]\r\nBAUD=7\r\ndatab=3\r\n\r\n[Search]\r\nRate=110\r\n"
                                              "[Scan]\r\nLast=pts/3\r\n"));
    }

    void lineBreaksCannotAddKeys() {
        SettingsFile s(path());
        QVERIFY(s.WriteText(QStringLiteral("Search"), QStringLiteral("startID"), "1\n[COM]\nBAUD=9"));
        QCOMPARE(s.ReadInt(QStringLiteral("COM"), QStringLiteral("BAUD")), 0);
        QCOMPARE(s.ReadText(QStringLiteral("Search"), QStringLiteral("startID")), QStringLiteral("1 [COM] BAUD=9"));
    }

    void unwritableFileLosesTheValue() {
        SettingsFile s(dir_.filePath(QStringLiteral("missing/folder/Plexcon.ini")));
        QVERIFY(!s.WriteInt(QStringLiteral("COM"), QStringLiteral("BAUD"), 3));
        QCOMPARE(s.ReadInt(QStringLiteral("COM"), QStringLiteral("BAUD")), 0);
    }

    void folderOfTheFile() {
        const QString named = dir_.filePath(QStringLiteral("named"));
        QCOMPARE(SettingsFolder(named, dir_.path()), named);         // named outright: taken as it stands
        QCOMPARE(SettingsFolder(QString(), dir_.path()), dir_.path());  // a writable program folder
        // No usable program folder: the user's config folder, created on the way.
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", dir_.filePath(QStringLiteral("xdg")).toLocal8Bit());
        const QString folder = SettingsFolder(QString(), dir_.filePath(QStringLiteral("no/such/folder")));
        if (saved.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", saved);
        QCOMPARE(folder, dir_.filePath(QStringLiteral("xdg/Plexcon")));
        QVERIFY(QDir(folder).exists());
        QCOMPARE(SettingsFilePath(folder), folder + QStringLiteral("/Plexcon.ini"));
    }
};

REGISTER_TEST_CLASS(SettingsFileTest);
#include "SettingsFileTest.moc"
