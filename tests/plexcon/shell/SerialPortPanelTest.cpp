// The serial port panel against the real library and simulated CEL modules on ptys.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

#include "support/TestMain.h"
#include "radlink.h"
#include "shell/CPanViewPcCom.h"
#include "shell/DemoModule.h"
#include "shell/LibraryLock.h"
#include "shell/SettingsFile.h"
#include "support/CelSimulator.h"
#include "support/ScriptedOperator.h"
#include "support/WidgetLookup.h"
#include "tools/UsbBridge.h"

using testsupport::Button;
using testsupport::Field;
using testsupport::WhenModal;
using Icon = Operator::Icon;

namespace {

const QString kNoPortOpen = QStringLiteral("没有打开任何的串口");

bool LibraryPortOpen() { return WithLibrary([] { return QVZB_ComCheckOpen(); }) == 1; }

// The configuration read request the module received.
bool ReceivedConfigurationRead(const sim::SimServer& module) {
    const sim::Bytes read{0xAB, 0xBC, 0xCD, 0xD1, 0x05};
    auto frames = module.frameBytes();
    return std::find(frames.begin(), frames.end(), read) != frames.end();
}

// Holds a port the way another program holding it open would.
class PortHolder {
public:
    explicit PortHolder(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY)) {
        if (fd_ >= 0) ::flock(fd_, LOCK_EX | LOCK_NB);
    }
    ~PortHolder() {
        if (fd_ >= 0) ::close(fd_);
    }
    bool holding() const { return fd_ >= 0; }

private:
    int fd_;
};

// A machine with no USB bridge plugged in.
class NoBridges : public UsbBridge {
public:
    UsbStatus count(int& bridges) override {
        bridges = 0;
        return UsbStatus::Ok;
    }
    UsbStatus probe(int) override { return UsbStatus::NoDevice; }
    UsbStatus open(int) override { return UsbStatus::NoDevice; }
    UsbStatus readIdentity(QString&) override { return UsbStatus::NoDevice; }
    UsbStatus readLocked(bool&) override { return UsbStatus::NoDevice; }
    UsbStatus writeIdentity(const QString&) override { return UsbStatus::NoDevice; }
    void reset() override {}
    void close() override {}
};

}  // namespace

class SerialPortPanelTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<ScriptedOperator> op_;
    std::unique_ptr<sim::SimServer> module_;
    std::unique_ptr<CPanViewPcCom> panel_;
    NoBridges bridges_;

    QString settingsPath() const { return dir_->filePath(QStringLiteral("Plexcon.ini")); }
    QString sysRoot() const { return dir_->filePath(QStringLiteral("sys")); }
    QString modulePort() const { return QString::fromStdString(module_->portName()); }

    CPanViewPcCom* makePanel(const QStringList& ports, const QString& preferred = QString()) {
        ShellContext c;
        c.op = op_.get();
        c.settingsPath = settingsPath();
        c.sysTtyRoot = sysRoot();
        c.extraPorts = ports;
        c.preferredPort = preferred;
        c.usbBridge = &bridges_;
        panel_ = std::make_unique<CPanViewPcCom>(c);
        panel_->show();
        return panel_.get();
    }
    QComboBox* portList() const { return testsupport::Named<QComboBox>(panel_.get(), QStringLiteral("本地串口")); }
    QComboBox* list(const char* caption) const { return Field<QComboBox>(panel_.get(), QString::fromUtf8(caption)); }
    QLineEdit* timeout() const { return Field<QLineEdit>(panel_.get(), QStringLiteral("超时(ms)")); }
    QString status() const { return panel_->findChild<QLabel*>(QStringLiteral("statusLine"))->text(); }
    void click(const char* caption) {
        QAbstractButton* b = Button(panel_.get(), QString::fromUtf8(caption));
        QVERIFY2(b, caption);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void setTimeout(const QString& ms) {
        timeout()->selectAll();
        QTest::keyClick(timeout(), Qt::Key_Backspace);
        QTest::keyClicks(timeout(), ms);
    }
    // The port open on the module with a short read time-out.
    void openOnModule() {
        portList()->setCurrentIndex(portList()->findText(modulePort()));
        setTimeout(QStringLiteral("60"));
        click("打开串口");
        QVERIFY(LibraryPortOpen());
        module_->clearLog();
    }
    // Enabled state of each control, open state expected or not.
    void verifyControls(bool open) {
        for (const char* c : {"打开串口", "重新扫描", "高级"})
            QVERIFY2(Button(panel_.get(), QString::fromUtf8(c))->isEnabled() == !open, c);
        for (const char* c : {"关闭串口", "获取固件类型"})
            QVERIFY2(Button(panel_.get(), QString::fromUtf8(c))->isEnabled() == open, c);
        for (QWidget* w : std::initializer_list<QWidget*>{portList(), list("波特率"), list("数据位"), list("校验位"),
                                                          list("停止位"), timeout()})
            QCOMPARE(w->isEnabled(), !open);
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        op_ = std::make_unique<ScriptedOperator>();
        module_ = testsupport::StartCelModule();
    }
    void cleanup() {
        panel_.reset();
        WithLibrary([] { return QVZB_CloseCom(); });
        module_.reset();
    }

    void firstRunShowsTheDefaults() {
        makePanel({modulePort(), QStringLiteral("COM9")});
        QCOMPARE(portList()->currentText(), QStringLiteral("COM9"));
        QCOMPARE(list("波特率")->currentText(), QStringLiteral("1200"));
        QCOMPARE(list("数据位")->currentText(), QStringLiteral("5"));
        QCOMPARE(list("校验位")->currentText(), QStringLiteral("无"));
        QCOMPARE(list("停止位")->currentText(), QStringLiteral("1"));
        QCOMPARE(timeout()->text(), QStringLiteral("100"));
        QCOMPARE(status(), kNoPortOpen);
        verifyControls(false);
        QVERIFY(!QFile::exists(settingsPath()));  // nothing is written before the panel goes
    }

    void storedSettings_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("port");  // empty: nothing selected
        QTest::addColumn<QStringList>("selected");  // baud, data bits, stop bits, parity, time-out
        QTest::newRow("positions, not values")
            << QByteArray("[COM]\nCOM=1\nBAUD=3\ndatab=3\nstopb=1\nparty=2\nTimeout=250\n") << "COM3"
            << QStringList{"9600", "8", "1.5", "偶校验", "250"};
        QTest::newRow("stored time-out 0 means 100")
            << QByteArray("[COM]\nCOM=0\nBAUD=9\nTimeout=0\n") << "COM10"
            << QStringList{"460800", "5", "1", "无", "100"};
        QTest::newRow("positions outside the lists")
            << QByteArray("[COM]\nCOM=2\nBAUD=10\ndatab=-1\nstopb=7\nparty=3\nTimeout=-20\n") << ""
            << QStringList{"1200", "5", "1", "无", "100"};
        QTest::newRow("time-out beyond the field") << QByteArray("[COM]\nTimeout=90000\n") << "COM10"
                                                   << QStringList{"1200", "5", "1", "无", "5000"};
    }
    void storedSettings() {
        QFETCH(QByteArray, file);
        QFETCH(QString, port);
        QFETCH(QStringList, selected);
        QFile f(settingsPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file);
        f.close();
        makePanel({QStringLiteral("COM3"), QStringLiteral("COM10")});
        QCOMPARE(portList()->currentIndex() >= 0 ? portList()->currentText() : QString(), port);
        QCOMPARE((QStringList{list("波特率")->currentText(), list("数据位")->currentText(),
                              list("停止位")->currentText(), list("校验位")->currentText(), timeout()->text()}),
                 selected);
    }

    void settingsAreWrittenWhenThePanelGoes() {
        makePanel({QStringLiteral("COM3"), QStringLiteral("COM10")});
        portList()->setCurrentIndex(1);
        list("波特率")->setCurrentIndex(7);
        list("数据位")->setCurrentIndex(3);
        list("停止位")->setCurrentIndex(2);
        list("校验位")->setCurrentIndex(1);
        timeout()->clear();
        panel_.reset();
        SettingsFile s(settingsPath());
        const QString com = QStringLiteral("COM");
        QCOMPARE((QList<int>{s.ReadInt(com, "COM"), s.ReadInt(com, "BAUD"), s.ReadInt(com, "datab"),
                             s.ReadInt(com, "stopb"), s.ReadInt(com, "party"), s.ReadInt(com, "Timeout")}),
                 (QList<int>{1, 7, 3, 2, 1, 0}));
        QCOMPARE(s.ReadText(com, "Timeout"), QStringLiteral("0"));  // the emptied field is stored as 0

        makePanel({QStringLiteral("COM3"), QStringLiteral("COM10")});
        QCOMPARE(portList()->currentText(), QStringLiteral("COM3"));
        QCOMPARE(list("波特率")->currentText(), QStringLiteral("115200"));
        QCOMPARE(timeout()->text(), QStringLiteral("100"));
    }

    void rescanListsNewPortsAndSelectsTheStoredPosition() {
        makePanel({QStringLiteral("pts/90"), QStringLiteral("pts/91")});
        portList()->setCurrentIndex(1);
        QVERIFY(QDir().mkpath(sysRoot() + QStringLiteral("/ttyACM0/device")));
        click("重新扫描");
        QCOMPARE(portList()->count(), 3);
        QCOMPARE(portList()->currentIndex(), 0);
        QCOMPARE(portList()->currentText(), QStringLiteral("pts/90"));
        QCOMPARE(portList()->itemText(2), QStringLiteral("ttyACM0"));
    }

    void advancedRunsTheUsbIdentityDialogThenRescans() {
        makePanel({QStringLiteral("pts/90")});
        QString title;
        WhenModal([&](QWidget* dialog) {
            title = dialog->windowTitle();
            QVERIFY(QDir().mkpath(sysRoot() + QStringLiteral("/ttyUSB3/device")));  // the bridge came back
            dialog->close();
        });
        click("高级");
        QCOMPARE(title, QStringLiteral("修改虚拟串口配置"));
        QCOMPARE(portList()->count(), 2);
        QCOMPARE(portList()->itemText(1), QStringLiteral("ttyUSB3"));
    }

    void openAndClose() {
        makePanel({modulePort()});
        list("波特率")->setCurrentIndex(3);
        list("数据位")->setCurrentIndex(3);
        list("校验位")->setCurrentIndex(2);
        list("停止位")->setCurrentIndex(1);
        setTimeout(QStringLiteral("60"));
        click("打开串口");
        QVERIFY(op_->shown.empty());
        QVERIFY(LibraryPortOpen());
        QCOMPARE(status(), QStringLiteral("串口打开成功，串口号:%1; 波特率:9600; 数据位:8;校验位:2; 停止位:1; "
                                          "超时:60毫秒")
                               .arg(modulePort()));
        verifyControls(true);

        click("关闭串口");
        QVERIFY(!LibraryPortOpen());
        QCOMPARE(status(), kNoPortOpen);
        verifyControls(false);
    }

    void openFailures_data() {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::newRow("port held by another program") << "held" << "打开串口失败" << int(Icon::Warning);
        QTest::newRow("no port in the list") << "no port" << "打开串口失败" << int(Icon::Warning);
        QTest::newRow("empty time-out") << "no time-out" << "超时间不能位空！" << int(Icon::Question);
    }
    void openFailures() {
        QFETCH(QString, situation);
        // Another module's port is open in the library: a failed open must not leave it open.
        auto other = testsupport::StartCelModule();
        PortHolder holder(module_->devicePath());
        QVERIFY(holder.holding());
        makePanel(situation == "no port" ? QStringList() : QStringList{modulePort()});
        if (situation == "no time-out") timeout()->clear();
        const std::string otherPath = "\\\\.\\" + other->portName();
        QVERIFY(WithLibrary([&] { return QVZB_OpenCom(otherPath.c_str(), 9600, 8, 0, 0, 0, 0, 0, 0, 50); }));

        click("打开串口");
        QCOMPARE(op_->shown.size(), size_t(1));
        QTEST(op_->lastText(), "message");
        QTEST(int(op_->lastIcon()), "icon");
        QCOMPARE(status(), kNoPortOpen);
        verifyControls(false);
        if (situation != "no time-out") QVERIFY(!LibraryPortOpen());
        WithLibrary([] { return QVZB_CloseCom(); });
    }

    void identify_data() {
        QTest::addColumn<QByteArray>("productLine");
        QTest::addColumn<int>("recordLength");
        QTest::addColumn<QString>("message");  // empty: none at all
        QTest::newRow("control word 1") << QByteArray("quickmesh") << 85 << "此串口接的设备是Quickmesh设备";
        QTest::newRow("control word 1, short record") << QByteArray("quickmesh") << 74
                                                      << "此串口接的设备是Quickmesh设备";
        QTest::newRow("control word 2") << QByteArray("vnet") << 80 << "此串口接的设备是VNET通用设备";
        QTest::newRow("control word 7") << QByteArray("7") << 85 << "";
    }
    void identify() {
        QFETCH(QByteArray, productLine);
        QFETCH(int, recordLength);
        QFETCH(QString, message);
        module_ = testsupport::StartCelModule(productLine.toStdString(), recordLength);
        makePanel({modulePort()});
        openOnModule();
        click("获取固件类型");
        QVERIFY(ReceivedConfigurationRead(*module_));
        if (message.isEmpty()) {
            QVERIFY(op_->shown.empty());
        } else {
            QCOMPARE(op_->shown.size(), size_t(1));
            QCOMPARE(op_->lastText(), message);
            QCOMPARE(op_->lastIcon(), Icon::Information);
        }
    }

    void identifyFailures() {
        makePanel({modulePort()});
        openOnModule();
        module_->injectFault(sim::Fault::noAnswer().repeat(-1));
        click("获取固件类型");
        QVERIFY(ReceivedConfigurationRead(*module_));
        QCOMPARE(op_->lastText(), QStringLiteral("不能获取到设备信息..."));
        QCOMPARE(op_->lastIcon(), Icon::Critical);

        // Another screen may have closed the port: nothing is sent.
        WithLibrary([] { return QVZB_CloseCom(); });
        module_->clearLog();
        click("获取固件类型");
        QCOMPARE(op_->lastText(), QStringLiteral("操作失败，串口未打开"));
        QCOMPARE(op_->lastIcon(), Icon::Warning);
        QVERIFY(module_->frames().empty());
        QCOMPARE(op_->shown.size(), size_t(2));
    }

    void demoModuleIsSelectedAndAnswers() {
        QString error;
        QVERIFY(!DemoModule::Start(QStringLiteral("zigzag"), 1, &error));
        QVERIFY(error.contains(QStringLiteral("zigzag")));

        auto demo = DemoModule::Start(QStringLiteral("vnet"), 2, &error);
        QVERIFY2(demo, qPrintable(error));
        makePanel({QStringLiteral("COM1"), demo->portName(), QStringLiteral("ttyZ9")}, demo->portName());
        QCOMPARE(portList()->currentText(), demo->portName());
        setTimeout(QStringLiteral("60"));
        click("打开串口");
        click("获取固件类型");
        QCOMPARE(op_->lastText(), QStringLiteral("此串口接的设备是VNET通用设备"));
        panel_.reset();  // closes the port before the demo module goes
    }
};

REGISTER_TEST_CLASS(SerialPortPanelTest);
#include "SerialPortPanelTest.moc"
