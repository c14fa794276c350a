// The CEL configuration pages' shared flow against the simulated module: get, and modify with the right password,
// a wrong one, a cancelled question, a closed port, a failed record read and a refused write. Every case checks
// what reached the module, not only what the page shows.
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <functional>

#include "pages/CLowPowerDlg.h"
#include "pages/CPageDevBaseCel.h"
#include "pages/CPageDevComCel.h"
#include "pages/CPageDevTranCel.h"
#include "support/CelPanelRig.h"
#include "support/TestMain.h"
#include "support/WidgetLookup.h"

using testsupport::CelPanelRig;
using testsupport::Field;
using namespace testsupport::celcmd;
using Icon = Operator::Icon;

namespace {

// The four record pages of the LowPower panel, by category row.
enum PageRow { Base = 0, Com = 1, Tran = 2, LowPower = 4 };

// An edit an operator makes on a page, and how the module must hold it afterwards.
struct Edit {
    std::function<void(QWidget*)> make;
    std::function<bool(const sim::CelModule&)> taken;
};

// Keystrokes for plain text; other text arrives as an input method would commit it.
void Retype(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    bool plain = true;
    for (QChar c : text) plain &= c.unicode() < 0x80;
    if (plain) QTest::keyClicks(field, text);
    else field->insert(text);
}

Edit EditOf(int row) {
    switch (row) {
        case Base:
            return {[](QWidget* p) { Retype(Field<QLineEdit>(p, QStringLiteral("设备名称")), QStringLiteral("节点-7")); },
                    [](const sim::CelModule& m) { return m.name() == "\xbd\xda\xb5\xe3-7"; }};  // GBK
        case Com:
            return {[](QWidget* p) { Field<QComboBox>(p, QStringLiteral("波特率"))->setCurrentIndex(3); },
                    [](const sim::CelModule& m) { return m.byteAt(sim::celfield::kBaudIndex) == 3; }};
        case Tran:
            return {[](QWidget* p) { Retype(Field<QLineEdit>(p, QStringLiteral("发送重试次数")), QStringLiteral("9")); },
                    [](const sim::CelModule& m) { return m.byteAt(sim::celfield::kRetryCount) == 9; }};
        default:
            return {[](QWidget* p) { Retype(Field<QLineEdit>(p, QStringLiteral("休眠时间(ms)")), QStringLiteral("2500")); },
                    [](const sim::CelModule& m) { return m.wordAt(sim::celfield::kSleepTime) == 2500; }};
    }
}

}  // namespace

class CelPagesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CelPanelRig> rig_;
    CelConfigPage* page_ = nullptr;

    void start(int row) {
        rig_ = std::make_unique<CelPanelRig>(1, 80);
        auto* panel = rig_->make<CPanViewCelLowPower>();
        QVERIFY(rig_->openPort());
        panel->selectCategory(row);
        page_ = qobject_cast<CelConfigPage*>(panel->currentPage());
        QVERIFY(page_);
    }

    static void addPageRows() {
        QTest::addColumn<int>("row");
        QTest::newRow("basic") << int(Base);
        QTest::newRow("serial") << int(Com);
        QTest::newRow("radio") << int(Tran);
        QTest::newRow("low-power") << int(LowPower);
    }

private slots:
    void cleanup() { rig_.reset(); }

    void getFillsThePage_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shown");
        QTest::newRow("basic: name") << int(Base) << "设备名称" << "QuickMesh-Local";
        QTest::newRow("basic: PAN ID") << int(Base) << "网络号(PanID)" << "0x1a2b";
        QTest::newRow("basic: address") << int(Base) << "本地网络地址" << "0x0010";
        QTest::newRow("basic: physical address") << int(Base) << "本地物理地址" << "00:12:4b:00:0a:0b:0c:01";
        QTest::newRow("basic: channel") << int(Base) << "通道号" << "Channel 15 (2425MHz)";
        QTest::newRow("basic: firmware") << int(Base) << "固件版本号" << "V1.23";
        QTest::newRow("serial: baud") << int(Com) << "波特率" << "115200";
        QTest::newRow("serial: data bits") << int(Com) << "数据位" << "8";
        QTest::newRow("serial: stop bits") << int(Com) << "停止位" << "1";
        QTest::newRow("serial: parity") << int(Com) << "校验位" << "无";
        QTest::newRow("radio: rate") << int(Tran) << "速率" << "250 K";
        QTest::newRow("radio: power (Quickmesh list)") << int(Tran) << "发送功率" << "0x02: -9    dbm";
        QTest::newRow("radio: retries") << int(Tran) << "发送重试次数" << "3";
        QTest::newRow("radio: interval") << int(Tran) << "重试间隔时间(单位ms)" << "5";
        QTest::newRow("low-power: sleep") << int(LowPower) << "休眠时间(ms)" << "1000";
        QTest::newRow("low-power: receive") << int(LowPower) << "接收延时(ms)" << "50";
        QTest::newRow("low-power: forward") << int(LowPower) << "转发延时(ms)" << "20";
    }
    void getFillsThePage() {
        QFETCH(int, row);
        QFETCH(QString, caption);
        QFETCH(QString, shown);
        start(row);
        page_->getCommand();
        QCOMPARE(rig_->op.lastText(), QStringLiteral("获取设备信息成功..."));
        QCOMPARE(rig_->op.lastIcon(), Icon::Information);
        QWidget* field = Field(page_, caption);
        QVERIFY2(field, qPrintable(caption));
        if (auto* box = qobject_cast<QComboBox*>(field)) QCOMPARE(box->currentText(), shown);
        else QCOMPARE(qobject_cast<QLineEdit*>(field)->text(), shown);
        QCOMPARE(rig_->framesWith(kReadLocal), size_t(1));
    }

    void getFailsWithoutAnswer_data() { addPageRows(); }
    void getFailsWithoutAnswer() {
        QFETCH(int, row);
        start(row);
        page_->getCommand();  // fill once
        auto* anyField = page_->findChild<QLineEdit*>();
        const QString before = anyField ? anyField->text() : QString();
        rig_->module->injectFault(sim::Fault::noAnswer().onlyWhen(3, kReadLocal));
        page_->getCommand();
        QCOMPARE(rig_->op.lastText(), QStringLiteral("获取设备信息失败"));
        QCOMPARE(rig_->op.lastIcon(), Icon::Critical);
        if (anyField) QCOMPARE(anyField->text(), before);
    }

    void modifyWritesThePageFields_data() { addPageRows(); }
    void modifyWritesThePageFields() {
        QFETCH(int, row);
        start(row);
        page_->getCommand();
        const Edit edit = EditOf(row);
        edit.make(page_);
        rig_->op.passwords = {QStringLiteral("123456")};
        rig_->module->clearLog();
        page_->modifyCommand();
        QCOMPARE(rig_->op.lastText(), QStringLiteral("修改配置成功"));
        QCOMPARE(rig_->op.lastIcon(), Icon::Information);
        QCOMPARE(rig_->op.passwordQuestions, 1);
        QCOMPARE(rig_->framesWith(kWriteConfig), size_t(1));
        QCOMPARE(rig_->framesWith(kRestart), size_t(1));
        QVERIFY(edit.taken(rig_->local()));
        // Every modify asks again, also right after a successful one.
        page_->modifyCommand();
        QCOMPARE(rig_->op.passwordQuestions, 2);
    }

    void modifyEndsEarly_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("ending");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        const int err = int(Icon::Critical), none = int(Icon::Plain);
        for (auto [row, name] : {std::pair{Base, "basic"}, {Com, "serial"}, {Tran, "radio"}, {LowPower, "low-power"}}) {
            const QByteArray n(name);
            QTest::newRow(n + ": wrong password") << int(row) << "wrong" << "密码错误!操作失败" << err;
            QTest::newRow(n + ": question cancelled") << int(row) << "cancel" << "" << 0;
            QTest::newRow(n + ": port closed") << int(row) << "closed" << "操作失败，串口未打开！"
                                               << (row == Base ? err : none);
            QTest::newRow(n + ": record read fails") << int(row) << "noread" << "获取设备属性失败!" << err;
            QTest::newRow(n + ": write refused") << int(row) << "nowrite"
                                                 << (row == Com ? "修改配置失败" : "操作失败...") << err;
        }
    }
    void modifyEndsEarly() {
        QFETCH(int, row);
        QFETCH(QString, ending);
        QFETCH(QString, message);
        QFETCH(int, icon);
        start(row);
        page_->getCommand();
        EditOf(row).make(page_);
        rig_->op.clear();
        const sim::CelModule before = rig_->local();
        if (ending == "wrong") rig_->op.passwords = {QStringLiteral("12345")};
        if (ending == "noread" || ending == "nowrite") rig_->op.passwords = {QStringLiteral("123456")};
        if (ending == "closed") WithLibrary([] { return QVZB_CloseCom(); });
        if (ending == "noread") rig_->module->injectFault(sim::Fault::noAnswer().onlyWhen(3, kReadLocal));
        if (ending == "nowrite") rig_->module->injectFault(sim::Fault::noAnswer().onlyWhen(3, kWriteConfig));
        rig_->module->clearLog();

        page_->modifyCommand();

        if (message.isEmpty()) {
            QVERIFY(rig_->op.shown.empty());
        } else {
            QCOMPARE(rig_->op.lastText(), message);
            QCOMPARE(int(rig_->op.lastIcon()), icon);
        }
        QCOMPARE(rig_->op.passwordQuestions, ending == "closed" || ending == "noread" ? 0 : 1);
        if (ending != "nowrite") {
            QCOMPARE(rig_->framesWith(kWriteConfig), size_t(0));
            QVERIFY(rig_->local().area == before.area);
        }
    }

    // Remote mode: the row selected in the remote list is the module read and written, through the local one.
    void remoteGetAndModify_data() { addPageRows(); }
    void remoteGetAndModify() {
        QFETCH(int, row);
        start(row);
        page_->getCommand();  // the local module, so that its own name is known below
        QVERIFY(rig_->addRemoteByHand(0));
        const sim::CelModule localBefore = rig_->local();
        page_->getCommand();
        QCOMPARE(rig_->op.lastText(), QStringLiteral("获取设备信息成功..."));
        QCOMPARE(rig_->framesWith(kReadConfig), size_t(1));
        QCOMPARE(rig_->framesWith(kReadLocal), size_t(0));
        if (row == Base)
            QCOMPARE(Field<QLineEdit>(page_, QStringLiteral("设备名称"))->text(), QStringLiteral("Remote-1"));

        const Edit edit = EditOf(row);
        edit.make(page_);
        rig_->op.passwords = {QStringLiteral("123456")};
        rig_->module->clearLog();
        page_->modifyCommand();
        QCOMPARE(rig_->op.lastText(), QStringLiteral("修改配置成功"));
        QVERIFY(edit.taken(rig_->remote(0)));
        QVERIFY(rig_->local().area == localBefore.area);
        const auto frames = rig_->module->frameBytes();
        const auto write = std::find_if(frames.begin(), frames.end(),
                                        [](const sim::Bytes& f) { return f.size() > 6 && f[3] == kWriteConfig; });
        QVERIFY(write != frames.end());
        QCOMPARE(int((*write)[4] << 8 | (*write)[5]), 0x0101);
        // Tuned back to the local module's own channel afterwards.
        QCOMPARE(int(rig_->withModel([](sim::CelModel& m) { return m.tunedChannel(); })), 15);
    }

    void remoteEndings_data() {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::newRow("get: no row selected") << "get-none" << CPanViewCel::NoSelectionMessage() << int(Icon::Critical);
        QTest::newRow("get: no answer") << "get-silent" << "获取设备信息失败" << int(Icon::Critical);
        QTest::newRow("modify: no row selected") << "modify-none" << CPanViewCel::NoSelectionMessage()
                                                 << int(Icon::Critical);
        QTest::newRow("modify: record read fails") << "modify-silent" << "获取设备属性失败!" << int(Icon::Plain);
    }
    void remoteEndings() {
        QFETCH(QString, ending);
        QFETCH(QString, message);
        QFETCH(int, icon);
        start(Base);
        page_->getCommand();
        QVERIFY(rig_->addRemoteByHand(0));
        if (ending.endsWith("none")) rig_->panel->remoteCelList()->rows()->clearSelection();
        if (ending.endsWith("silent")) rig_->module->injectFault(sim::Fault::noAnswer().onlyWhen(3, kReadConfig));
        rig_->op.passwords = {QStringLiteral("123456")};
        if (ending.startsWith("get")) page_->getCommand();
        else page_->modifyCommand();
        QCOMPARE(rig_->op.lastText(), message);
        QCOMPARE(int(rig_->op.lastIcon()), icon);
        QCOMPARE(rig_->op.passwordQuestions, 0);
        QCOMPARE(rig_->framesWith(kWriteConfig), size_t(0));
        if (ending.endsWith("none")) QCOMPARE(rig_->framesWith(kReadConfig), size_t(0));
    }

    // A password of 16 characters has no terminating zero in the record: typed whole, it matches.
    void sixteenCharacterPasswordMatches() {
        start(Com);
        rig_->withModel([](sim::CelModel& m) { m.local().setText(sim::celfield::kPassword, "0123456789abcdef"); });
        rig_->op.passwords = {QStringLiteral("0123456789abcde"), QStringLiteral("0123456789abcdef")};
        page_->modifyCommand();
        QCOMPARE(rig_->op.lastText(), QStringLiteral("密码错误!操作失败"));
        page_->modifyCommand();
        QCOMPARE(rig_->op.lastText(), QStringLiteral("修改配置成功"));
    }
};

REGISTER_TEST_CLASS(CelPagesTest);
#include "CelPagesTest.moc"
