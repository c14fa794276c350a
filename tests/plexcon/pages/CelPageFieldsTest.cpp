// How the CEL pages show and collect particular record values: the record variants without send mode or voice,
// the transmit power list of each panel kind, firmware version text, typed physical addresses, looked-up numbers.
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "pages/CPageDevBaseCel.h"
#include "pages/CPageDevComCel.h"
#include "pages/CPageDevTranCel.h"
#include "support/CelPanelRig.h"
#include "support/TestMain.h"
#include "support/WidgetLookup.h"

using testsupport::CelPanelRig;
using testsupport::Field;

class CelPageFieldsTest : public QObject {
    Q_OBJECT

private slots:
    void recordVariantsDisableWhatTheModuleLacks_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("sendMode");
        QTest::addColumn<bool>("voice");
        QTest::newRow("85 bytes: all") << 85 << true << true;
        QTest::newRow("80 bytes: no voice") << 80 << true << false;
        QTest::newRow("79 bytes: no send mode, no voice") << 79 << false << false;
        QTest::newRow("74 bytes: no voice") << 74 << true << false;
    }
    void recordVariantsDisableWhatTheModuleLacks() {
        QFETCH(int, length);
        QFETCH(bool, sendMode);
        QFETCH(bool, voice);
        CelPanelRig rig(1, size_t(length));
        auto* panel = rig.make<CPanViewCel_Change>();
        QVERIFY(rig.openPort());
        panel->basePage()->getCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("获取设备信息成功..."));
        QCOMPARE(Field<QComboBox>(panel->basePage(), QStringLiteral("发送模式"))->isEnabled(), sendMode);
        for (const char* c : {"采样率", "压缩方式", "语音工作模式", "输出音量", "麦克风音量"})
            QCOMPARE(Field<QComboBox>(panel->basePage(), QString::fromUtf8(c))->isEnabled(), voice);
        // A modify keeps the marks the module reported (no entry stands for them).
        rig.op.passwords = {QStringLiteral("123456")};
        panel->basePage()->modifyCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("修改配置成功"));
        if (!sendMode) QCOMPARE(rig.withModel([](sim::CelModel& m) { return m.local().area.size(); }), size_t(70));
    }

    void transmitPowerPerPanelKind_data() {
        QTest::addColumn<bool>("quickmesh");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("written");
        QTest::newRow("VNET list: code - 2") << false << "0x03: 7     dBm" << 0x04;
        QTest::newRow("Quickmesh list: code") << true << "0x03: 2.5   dbm" << 0x02;
    }
    void transmitPowerPerPanelKind() {
        QFETCH(bool, quickmesh);
        QFETCH(QString, shown);
        QFETCH(int, written);
        CelPanelRig rig(quickmesh ? 1 : 2);
        rig.withModel([](sim::CelModel& m) {
            m.local().setByte(sim::celfield::kTxPower, 3);
            m.protection = false;
        });
        CPanViewCel* panel = quickmesh ? rig.make<CPanViewCel_Change>() : rig.make<CPanViewCel>();
        QVERIFY(rig.openPort());
        panel->tranPage()->getCommand();
        QComboBox* power = Field<QComboBox>(panel->tranPage(), QStringLiteral("发送功率"));
        QCOMPARE(power->currentText(), shown);
        // VNET: the list is display only, so the code written back is the one shown; Quickmesh: the one picked.
        if (quickmesh) power->setCurrentIndex(2);
        else rig.withModel([](sim::CelModel& m) { m.local().setByte(sim::celfield::kTxPower, 4); });
        if (!quickmesh) panel->tranPage()->getCommand();
        rig.op.passwords = {QStringLiteral("123456")};
        panel->tranPage()->modifyCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("修改配置成功"));
        QCOMPARE(int(rig.local().byteAt(sim::celfield::kTxPower)), written);
    }

    void firmwareVersionText_data() {
        QTest::addColumn<int>("version");
        QTest::addColumn<QString>("text");
        QTest::newRow("0x0105") << 0x0105 << "V1.05";
        QTest::newRow("0x1234") << 0x1234 << "V12.34";
        QTest::newRow("0x0F9A") << 0x0F9A << "V15.910";
    }
    void firmwareVersionText() {
        QFETCH(int, version);
        QFETCH(QString, text);
        QCOMPARE(CPageDevBaseCel::FirmwareText(static_cast<unsigned short>(version)), text);
    }

    // The destination address typed group by group is stored in order at offset 48.
    void typedDestinationAddressReachesTheModule() {
        CelPanelRig rig;
        auto* panel = rig.make<CPanViewCel_Change>();
        QVERIFY(rig.openPort());
        panel->basePage()->getCommand();
        auto* dst = Field<QLineEdit>(panel->basePage(), QStringLiteral("目的物理地址"));
        dst->setFocus();
        dst->setSelection(0, 2);  // the first group, as a click on it selects it
        QTest::keyClicks(dst, QStringLiteral("00124b0001020304"));
        QCOMPARE(dst->text(), QStringLiteral("00:12:4b:00:01:02:03:04"));
        rig.op.passwords = {QStringLiteral("123456")};
        panel->basePage()->modifyCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("修改配置成功"));
        const sim::Bytes area = rig.local().area;
        QCOMPARE(sim::Bytes(area.begin() + 48, area.begin() + 56), (sim::Bytes{0x00, 0x12, 0x4B, 0x00, 0x01, 0x02, 0x03, 0x04}));
    }

    // Numbers the serial lists do not hold select their first entry.
    void unknownSerialNumbersSelectTheFirstEntry() {
        CelPanelRig rig;
        rig.withModel([](sim::CelModel& m) {
            m.local().setByte(sim::celfield::kStopBits, 3);
            m.local().setByte(sim::celfield::kDataBits, 9);
        });
        auto* panel = rig.make<CPanViewCel_Change>();
        QVERIFY(rig.openPort());
        panel->comPage()->getCommand();
        QCOMPARE(Field<QComboBox>(panel->comPage(), QStringLiteral("停止位"))->currentText(), QStringLiteral("1"));
        QCOMPARE(Field<QComboBox>(panel->comPage(), QStringLiteral("数据位"))->currentText(), QStringLiteral("5"));
    }

    // The Quickmesh panels write the network addresses the operator types.
    void quickmeshWritesTypedAddresses() {
        CelPanelRig rig;
        auto* panel = rig.make<CPanViewCel_Change>();
        QVERIFY(rig.openPort());
        panel->basePage()->getCommand();
        auto* address = Field<QLineEdit>(panel->basePage(), QStringLiteral("本地网络地址"));
        address->setFocus();
        address->setCursorPosition(int(address->text().size()));
        for (int i = 0; i < 4; ++i) QTest::keyClick(address, Qt::Key_Backspace);  // back to the prefix
        QTest::keyClicks(address, QStringLiteral("beef"));
        rig.op.passwords = {QStringLiteral("123456")};
        panel->basePage()->modifyCommand();
        QCOMPARE(rig.op.lastText(), QStringLiteral("修改配置成功"));
        QCOMPARE(rig.local().netAddress(), uint16_t(0xBEEF));
    }
};

REGISTER_TEST_CLASS(CelPageFieldsTest);
#include "CelPageFieldsTest.moc"
