// The port list: devices under a sysfs-like tree plus named ports, sorted by name; the path the library gets.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "support/TestMain.h"
#include "shell/SerialPorts.h"

class SerialPortsTest : public QObject {
    Q_OBJECT

    static void MakeTty(const QDir& root, const QString& name, bool device, const char* type = nullptr) {
        QVERIFY(root.mkpath(name + (device ? QStringLiteral("/device") : QString())));
        if (type) {
            QFile f(root.filePath(name + QStringLiteral("/type")));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(type);
        }
    }

private slots:
    void listsDevicesAndNamedPortsSortedByName() {
        QTemporaryDir tmp;
        QDir root(tmp.path());
        MakeTty(root, QStringLiteral("ttyUSB0"), true);
        MakeTty(root, QStringLiteral("ttyS0"), true, "4\n");
        MakeTty(root, QStringLiteral("ttyS1"), true, "0\n");  // serial-core slot without a UART
        MakeTty(root, QStringLiteral("tty3"), false);          // virtual console
        MakeTty(root, QStringLiteral("serial!ttyX0"), true);  // sysfs spells '/' as '!'
        QStringList extra{QStringLiteral("COM3"), QStringLiteral("/dev/pts/7"), QStringLiteral("COM10"),
                          QStringLiteral("ttyUSB0")};
        QCOMPARE(ListSerialPorts(tmp.path(), extra),
                 (QStringList{"COM10", "COM3", "pts/7", "serial/ttyX0", "ttyS0", "ttyUSB0"}));
    }

    void missingTreeGivesTheNamedPortsOnly() {
        QCOMPARE(ListSerialPorts(QStringLiteral("/nonexistent/tty"), {QStringLiteral("pts/2")}),
                 QStringList{"pts/2"});
    }

    void libraryPath() {
        QCOMPARE(LibraryPortPath(QStringLiteral("ttyUSB0")), QByteArray("\\\\.\\ttyUSB0"));
        QCOMPARE(LibraryPortPath(QString()), QByteArray("\\\\.\\"));
        QCOMPARE(LibraryPortPath(QStringLiteral("/tmp/vport")), QByteArray("/tmp/vport"));
    }
};

REGISTER_TEST_CLASS(SerialPortsTest);
#include "SerialPortsTest.moc"
