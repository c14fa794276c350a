// The ORLNET tools against the simulated network: route look-ups (rows added and updated, every status code's
// message, routes of 0 hops, the chain drawing, CSV), the LED test (scan, endless test against a module that
// fails some rounds, log lines, summary) and the data transfer page (parsing and display).
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "orlnet/OrlnetRig.h"
#include "support/WidgetLookup.h"
#include "support/TestMain.h"
#include "tools/CPageDetectRouter.h"
#include "tools/CPageTranData.h"
#include "tools/CTestLed.h"

using namespace orlnettest;
using Icon = Operator::Icon;

namespace {

QStringList RowTexts(const QTreeWidget* list, int row) {
    QStringList texts;
    for (int c = 0; c < list->columnCount(); ++c) texts << list->topLevelItem(row)->text(c);
    return texts;
}

QString ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()) : QString();
}

}  // namespace

class OrlnetToolsTest : public QObject {
    Q_OBJECT

private slots:
    void routeLookUps() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        QVERIFY(rig.openPort());
        CPageDetectRouter* page = panel->routePage();
        QVERIFY(page->remoteTable()->isChecked());
        rig.withModel([](sim::OrlnetModel& m) {
            m.setRoute(1, 0x3000, {static_cast<int8_t>(0xC4), 0x8001, {0x2001, 0x8001, 0x3000}});
            m.setRoute(0, 0x3001, {-50, 0x3001, {}});
        });
        page->addressField()->setText(QStringLiteral("3000"));
        page->detectCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("查找路由表成功!"));
        QCOMPARE(rig.op.lastIcon(), Icon::Plain);
        QCOMPARE(rig.network(0xD3).size(), size_t(1));
        QCOMPARE(RowTexts(page->list(), 0), (QStringList{"3000", "3", "-60dBm (ID：8001)", "2001 8001 3000 "}));
        // The drawing: local module to target, the link into the weakest node marked.
        QCOMPARE(page->chain()->chainText(), QStringLiteral("本地 → 2001 → 8001 → 3000, 最弱链路 -60dBm → 8001"));

        // The same address again updates its row.
        rig.withModel([](sim::OrlnetModel& m) { m.setRoute(1, 0x3000, {-70, 0x3000, {0x3000}}); });
        page->detectCommand();
        QCOMPARE(page->list()->topLevelItemCount(), 1);
        QCOMPARE(RowTexts(page->list(), 0), (QStringList{"3000", "1", "-70dBm (ID：3000)", "3000 "}));
        QCOMPARE(page->chain()->chainText(), QStringLiteral("本地 → 3000, 最弱链路 -70dBm → 3000"));

        // The local table; a route of 0 hops.
        page->localTable()->setChecked(true);
        page->addressField()->setText(QStringLiteral("3001"));
        page->detectCommand();
        QCOMPARE(rig.network(0xD2).size(), size_t(1));
        QCOMPARE(RowTexts(page->list(), 1), (QStringList{"3001", "0", "-50dBm (ID：3001)", ""}));
        QCOMPARE(page->routeIds(), (std::vector<unsigned short>{0x3000, 0x3001}));

        // CSV of the table.
        const QString csv = rig.dir.filePath(QStringLiteral("routes.csv"));
        rig.op.saveFiles = {csv};
        page->saveCsvCommand();
        const QStringList lines = ReadFile(csv).remove(QChar(0xFEFF)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[1], QStringLiteral("3000,1,-70,3000,3000"));
        QCOMPARE(lines[2], QStringLiteral("3001,0,-50,3001,"));

        page->clearCommand();
        QCOMPARE(page->list()->topLevelItemCount(), 0);
        QVERIFY(page->routeIds().empty());
        QVERIFY(page->chain()->chainText().isEmpty());
    }

    void routeFailures_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("A1") << 0xA1 << "查找本地路由表失败";
        QTest::newRow("A2") << 0xA2 << "申请缓存失败";
        QTest::newRow("A3") << 0xA3 << "查找远程路由表超时";
        QTest::newRow("A4") << 0xA4 << "发送数据超时";
        QTest::newRow("A5") << 0xA5 << "设备忙";
        QTest::newRow("other") << 0xB7 << "未知错误";
        QTest::newRow("no answer") << 0 << "查找路由表失败!";
    }
    void routeFailures() {
        QFETCH(int, status);
        QFETCH(QString, message);
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        QVERIFY(rig.openPort());
        CPageDetectRouter* page = panel->routePage();
        page->addressField()->setText(QStringLiteral("2001"));
        page->detectCommand();
        QCOMPARE(page->list()->topLevelItemCount(), 1);
        if (status) rig.withModel([status](sim::OrlnetModel& m) { m.failRoutes(static_cast<uint8_t>(status)); });
        else rig.module->injectFault(sim::Fault::noAnswer());
        rig.withModel([](sim::OrlnetModel& m) { m.setRoute(1, 0x2001, {-20, 0x2001, {}}); });
        page->detectCommand();
        QCOMPARE(rig.op.lastText(), message);
        QCOMPARE(rig.op.lastIcon(), Icon::Plain);
        QCOMPARE(RowTexts(page->list(), 0).at(1), QStringLiteral("1"));  // the failed look-up changed nothing
    }

    void routePortClosed() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        panel->routePage()->detectCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("操作失败，串口未打开！"));
        QCOMPARE(rig.op.lastIcon(), Icon::Critical);
        QCOMPARE(rig.module->frameBytes().size(), size_t(0));
    }

    void ledAddressesAndOrder() {
        const auto scan = CTestLed::ScanAddresses(0x2001, 0x2080);
        QCOMPARE(scan.size(), size_t(9 + 7 * 10 + 1));
        QCOMPARE(scan[8], 0x2009);
        QCOMPARE(scan[9], 0x2010);
        QCOMPARE(scan.back(), 0x2080);
        QVERIFY(std::none_of(scan.begin(), scan.end(), [](unsigned short a) { return (a & 0xF) > 9; }));
        QCOMPARE(CTestLed::RoundOrder({0x2030, 0x2003, 0x2020, 0x2010}),
                 (std::vector<unsigned short>{0x2003, 0x2010, 0x2030, 0x2020}));
        QCOMPARE(CTestLed::RoundOrder({0x2003, 0x2015, 0x2001}), (std::vector<unsigned short>{0x2015, 0x2003, 0x2001}));
        QCOMPARE(CTestLed::SummaryOf({{0x2003, 2, 10}, {0x2010, 0, 5}}),
                 QStringLiteral("2003 (0002/0010) 2010 (0000/0005) "));
    }

    // The scan asks the remote route table for each address of the range (three times for one it does not know),
    // skips what it found before; the endless test counts and logs the failures of a module that fails some
    // rounds, shows the live summary, and "停止测试" writes the total to the log.
    void ledScanAndTest() {
        Rig rig;  // 0x2001 .. 0x2003 are known to the route tables; 0x2002 is on another channel
        CPanViewOrlnet* panel = rig.make();
        QVERIFY(rig.openPort());
        CTestLed* led = panel->ledTestPage();
        led->setTimings(std::chrono::milliseconds(0), 50);
        led->startField()->setText(QStringLiteral("2001"));
        led->endField()->setText(QStringLiteral("2004"));
        led->addRoutesCommand();
        QCOMPARE(led->foundIds(), (std::vector<unsigned short>{0x2001, 0x2002, 0x2003}));
        QCOMPARE(led->foundField()->text(), QStringLiteral("2001 2002 2003 "));
        QCOMPARE(led->failedField()->text(), QStringLiteral("2004 "));
        QCOMPARE(rig.network(0xD3).size(), size_t(3 + 3));

        rig.module->clearLog();
        led->addRoutesCommand();  // found ones are not asked again
        QCOMPARE(rig.network(0xD3).size(), size_t(3));
        QCOMPARE(led->foundField()->text(), QStringLiteral("2001 2002 2003 "));

        // 0x2002 cannot be reached on the local module's channel: it fails every round; 0x2003 fails its first
        // round only (five commands).
        rig.module->injectFault(sim::Fault::noAnswer().onlyWhen(5, 0x03).repeat(5));
        led->startTestCommand();
        QVERIFY(led->running());
        QVERIFY(!testsupport::Button(led, QStringLiteral("开始测试"))->isEnabled());
        QVERIFY(!testsupport::Button(led, QStringLiteral("添加路由"))->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(led->stats().size() == 3 && led->stats()[2].commands >= 10, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(led->summaryField()->toPlainText().startsWith(QStringLiteral("2001 (0000/")), 5000);
        led->stopTestCommand();
        QVERIFY(!led->running());
        QVERIFY(testsupport::Button(led, QStringLiteral("开始测试"))->isEnabled());

        const QString summary = led->summaryField()->toPlainText();
        const QRegularExpression entries(QStringLiteral(
            "^2001 \\(0000/(\\d{4})\\) 2002 \\((\\d{4})/(\\d{4})\\) 2003 \\(0005/(\\d{4})\\) $"));
        const QRegularExpressionMatch m = entries.match(summary);
        QVERIFY2(m.hasMatch(), qPrintable(summary));
        QCOMPARE(m.captured(2), m.captured(3));  // every command to 0x2002 failed
        for (const auto& s : led->stats()) QCOMPARE(s.commands, 0u);  // counts reset after the total is taken

        const QString log = ReadFile(led->logPath());
        // In "log" under the program's log folder.
        QCOMPARE(QFileInfo(led->logPath()).absolutePath(), rig.dir.filePath(QStringLiteral("log")));
        QVERIFY(QFileInfo(led->logPath()).fileName().startsWith(QStringLiteral("testlog_")));
        for (const char* state : {"0x01", "0x02", "0x04", "0x08", "0x00"})
            QCOMPARE(log.count(QStringLiteral("err happened when set status %1 to ID:2003 device\r\n").arg(state)), 1);
        QCOMPARE(log.count(QStringLiteral("ID:2002 device")), m.captured(2).toInt());
        QVERIFY(!log.contains(QStringLiteral("ID:2001")));
        QVERIFY(log.contains(QStringLiteral("test end ,total result:")));
        QVERIFY(log.contains(QStringLiteral("\r\n") + summary));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{8} \\d\\d:\\d\\d:\\d\\d:   err happened")).match(log).hasMatch());

        // The results as CSV.
        const QString csv = rig.dir.filePath(QStringLiteral("led.csv"));
        rig.op.saveFiles = {csv};
        led->saveCsvCommand();
        const QStringList lines = ReadFile(csv).remove(QChar(0xFEFF)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[3], QStringLiteral("2003,5,") + QString::number(m.captured(4).toInt()));
    }

    void ledButtonsCheckFirst() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        panel->ledTestPage()->addRoutesCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("操作失败，串口未打开！"));
        QVERIFY(rig.openPort());
        panel->ledTestPage()->startTestCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("路由表为空，开始测试至少需要一个ID！"));
        QCOMPARE(rig.op.lastIcon(), Icon::Critical);
        QVERIFY(!panel->ledTestPage()->running());
    }

    void dataParsing_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("spaces around") << "  1 a2  FF" << QByteArray("\x01\xA2\xFF", 3);
        QTest::newRow("not a number repeats") << "12 zz 34" << QByteArray("\x12\x12\x34", 3);
        QTest::newRow("first not a number") << "zz 5" << QByteArray("\x00\x05", 2);
        QTest::newRow("low 8 bits") << "1234" << QByteArray("\x34", 1);
        QTest::newRow("0x prefix") << "0x1f 0XaB" << QByteArray("\x1F\xAB", 2);
        QTest::newRow("empty") << "" << QByteArray();
        QTest::newRow("sign is no digit") << "7 -3" << QByteArray("\x07\x07", 2);
    }
    void dataParsing() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(CPageTranData::ParseData(text), bytes);
    }

    void dataParsingStopsAt255() {
        QStringList tokens;
        for (int i = 0; i < 300; ++i) tokens << QString::number(i % 256, 16);
        QCOMPARE(CPageTranData::ParseData(tokens.join(u' ')).size(), 255);
        QCOMPARE(CPageTranData::BytesText(QByteArray("\x01\xA2\xFF", 3)), QStringLiteral("01 A2 FF "));
    }

    void dataSendAndReceive() {
        Rig rig;
        CPanViewOrlnet* panel = rig.make();
        QVERIFY(rig.openPort());
        CPageTranData* page = panel->dataPage();
        page->addressField()->setText(QStringLiteral("2001"));
        page->dataField()->setText(QStringLiteral("  1 a2  FF"));
        page->sendCommand();
        QCOMPARE(page->statusField()->text(), QStringLiteral("操作成功!"));
        QCOMPARE(page->receivedField()->text(), QStringLiteral("A5 01 00 5A "));
        QCOMPARE(rig.withModel([](sim::OrlnetModel& m) { return m.remote(0).received.back(); }),
                 (sim::Bytes{0x01, 0xA2, 0xFF}));
        const auto sent = rig.network(0xD1);
        QCOMPARE(sent.size(), size_t(1));
        QCOMPARE(sent[0], (sim::Bytes{0xA5, 0x06, 0xD1, 0x20, 0x01, 0x01, 0xA2, 0xFF, 0x5A}));

        // Not delivered: the module's answer shows, the outcome is a failure.
        rig.withModel([](sim::OrlnetModel& m) { m.setDataDelivery(false); });
        page->dataField()->clear();  // an empty field sends 0 bytes, the call is still made
        page->sendCommand();
        QCOMPARE(page->statusField()->text(), QStringLiteral("操作失败!"));
        QCOMPARE(page->receivedField()->text(), QStringLiteral("A5 01 A4 5A "));
        QCOMPARE(rig.network(0xD1).size(), size_t(2));

        page->receiveCommand();
        QCOMPARE(page->receivedField()->text(), QStringLiteral("无接收数据"));
        QCOMPARE(page->statusField()->text(), QStringLiteral("操作成功!"));
        rig.module->sendUnasked({0x11, 0x22});
        QTest::qWait(20);
        page->receiveCommand();
        QCOMPARE(page->receivedField()->text(), QStringLiteral("11 22 "));

        page->clearCommand();
        QVERIFY(page->addressField()->text().isEmpty() && page->statusField()->text().isEmpty());
        rig.closePort();
        page->sendCommand();
        QCOMPARE(page->statusField()->text(), QStringLiteral("操作失败!"));
    }
};

REGISTER_TEST_CLASS(OrlnetToolsTest);
#include "OrlnetToolsTest.moc"
