// The settings file's profile semantics: reads of absent or odd values, writes that create and keep.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <future>

#include "support/TestMain.h"
#include "shell/SettingsFile.h"

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

// Runs `body` where the file at `path` can be written but not read: as a user without root's rights (nobody, in a
// child process) when the test runs as root, since root reads any file; false when body returned false.
bool WithWriteOnlyFile(const QString& path, const std::function<bool()>& body) {
    if (::chmod(QFile::encodeName(path).constData(), 0222) != 0) return false;
    if (::geteuid() != 0) return body();
    const pid_t child = ::fork();
    if (child == 0) {
        const bool ok = ::setegid(65534) == 0 && ::seteuid(65534) == 0 && body();
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Runs `call` and waits for it a while; false when it still had not returned (`unblock` then runs until it
// returns).
bool ReturnsInTime(const std::function<void()>& call, const std::function<void()>& unblock) {
    auto done = std::async(std::launch::async, call);
    if (done.wait_for(std::chrono::seconds(5)) == std::future_status::ready) return true;
    do unblock();
    while (done.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready);
    return false;
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

    // Lines the program does not change are kept byte for byte, also those that are not UTF-8 (GBK text).
    void linesNotChangedKeepTheirBytes() {
        const QByteArray gbkComment = "; \xC9\xE8\xD6\xC3\r\n", gbkValue = "Name=\xD6\xD0\xCE\xC4\r\n";
        Put(path(), gbkComment + "[COM]\r\n" + gbkValue + "BAUD=3\r\n");
        SettingsFile s(path());
        QVERIFY(s.WriteInt(QStringLiteral("COM"), QStringLiteral("BAUD"), 7));
        QVERIFY(s.WriteInt(QStringLiteral("COM"), QStringLiteral("datab"), 2));
        QCOMPARE(Contents(path()), gbkComment + "[COM]\r\n" + gbkValue + "BAUD=7\r\ndatab=2\r\n");
        QCOMPARE(s.ReadInt(QStringLiteral("COM"), QStringLiteral("BAUD")), 7);
    }

    // A file that cannot be read is not written: it would lose every key but the one written.
    void aFileThatCannotBeReadIsNotWritten() {
        const QString folder = dir_.filePath(QStringLiteral("shared"));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(::chmod(QFile::encodeName(dir_.path()).constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0777) == 0);
        const QString file = folder + QStringLiteral("/Plexcon.ini");
        QFile::remove(file);
        Put(file, "[COM]\nBAUD=3\ndatab=1\n");
        QVERIFY(WithWriteOnlyFile(file, [&] {
            SettingsFile s(file);
            return s.ReadText(QStringLiteral("COM"), QStringLiteral("BAUD")) == SettingsFile::kNoValue &&
                   !s.WriteInt(QStringLiteral("COM"), QStringLiteral("Timeout"), 500);
        }));
        QCOMPARE(Contents(file), QByteArray("[COM]\nBAUD=3\ndatab=1\n"));

        // A file too big to be a settings file is not read either.
        QFile::remove(path());
        Put(path(), "[COM]\nBAUD=3\n");
        QFile big(path());
        QVERIFY(big.resize(SettingsFile::kMaxFileSize + 1));
        SettingsFile s(path());
        QCOMPARE(s.ReadInt(QStringLiteral("COM"), QStringLiteral("BAUD")), 0);
        QVERIFY(!s.WriteInt(QStringLiteral("COM"), QStringLiteral("BAUD"), 7));
        QCOMPARE(QFileInfo(path()).size(), SettingsFile::kMaxFileSize + 1);
    }

    // Only a regular file is read: a FIFO would block the open (start-up) for ever, a device be read without end.
    void onlyARegularFileIsRead() {
        const QByteArray fifo = QFile::encodeName(path());
        QVERIFY(::mkfifo(fifo.constData(), 0600) == 0);
        SettingsFile s(path());
        QString text;
        bool written = true;
        const bool inTime = ReturnsInTime(
            [&] {
                text = s.ReadText(QStringLiteral("COM"), QStringLiteral("BAUD"));
                written = s.WriteInt(QStringLiteral("COM"), QStringLiteral("BAUD"), 3);
            },
            [&] {  // a writer lets a waiting open return
                const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) ::close(fd);
            });
        QVERIFY2(inTime, "the settings file's open waited on the FIFO");
        QCOMPARE(text, SettingsFile::kNoValue);
        QVERIFY(!written);
        struct stat st {};
        QVERIFY(::stat(fifo.constData(), &st) == 0 && S_ISFIFO(st.st_mode));  // still the FIFO
        QFile::remove(path());

        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path()));
        QCOMPARE(s.ReadInt(QStringLiteral("COM"), QStringLiteral("BAUD")), 0);
        QVERIFY(!s.WriteInt(QStringLiteral("COM"), QStringLiteral("BAUD"), 3));
        QFile::remove(path());
    }
};

REGISTER_TEST_CLASS(SettingsFileTest);
#include "SettingsFileTest.moc"
