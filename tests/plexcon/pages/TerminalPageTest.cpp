// The VNET terminal page against the simulated module: the parameter frames it sends, the module's access check
// before every command, and the messages of each way a command can end.
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <map>
#include <vector>

#include "cel/CelModel.h"
#include "pages/CPageDevTerminalVnet.h"
#include "support/CelPanelRig.h"
#include "support/TestMain.h"
#include "support/WidgetLookup.h"

using testsupport::Button;
using testsupport::CelPanelRig;
using testsupport::Field;
using Icon = Operator::Icon;

namespace {

constexpr uint8_t kSleep = 0xDB, kOnline = 0xDC, kPolling = 0xDD;
const QString kCaptions[3] = {QStringLiteral("终端休眠时间"), QStringLiteral("终端在线时间"),
                              QStringLiteral("终端轮询时间")};

// A frame as "AB BC CD ..." (readable in a failed comparison).
QString Hex(const std::vector<uint8_t>& bytes) {
    QStringList parts;
    for (uint8_t b : bytes) parts << QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(u' ');
}

// AB BC CD, the body, and the sum of all bytes before the check byte.
QString Frame(std::vector<uint8_t> body) {
    std::vector<uint8_t> f{0xAB, 0xBC, 0xCD};
    f.insert(f.end(), body.begin(), body.end());
    uint8_t sum = 0;
    for (uint8_t b : f) sum = static_cast<uint8_t>(sum + b);
    f.push_back(sum);
    return Hex(f);
}

const QString kStateQuery = QStringLiteral("AB BC CD DE 00 01 13");
const QString kReadRecord = QStringLiteral("AB BC CD D1 05");
QString PasswordFrame(const QByteArray& text) {
    std::vector<uint8_t> body{0xDF};
    for (int i = 0; i < 16; ++i) body.push_back(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
    return Frame(body);
}
QString ParameterFrame(uint8_t code, uint8_t operation, uint16_t value) {
    return Frame({code, operation, static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value & 0xFF)});
}

bool IsParameterFrame(const QString& frame) {
    return frame.startsWith(QStringLiteral("AB BC CD DB")) || frame.startsWith(QStringLiteral("AB BC CD DC")) ||
           frame.startsWith(QStringLiteral("AB BC CD DD"));
}

enum class QueryFault { None, ZeroLead, BadStatus, Silent };

// The VNET panel on its simulated module (control word 2), the terminal page selected.
struct TerminalRig {
    explicit TerminalRig(bool protection, bool open = true) {
        panel = rig.make<CPanViewCel>();
        page = panel->terminalPage();
        panel->selectCategory(4);
        rig.withModel([&](sim::CelModel& m) { m.protection = protection; });
        if (open) opened = rig.openPort();
        rig.module->clearLog();
    }

    QLineEdit* field(int i) const { return Field<QLineEdit>(page, kCaptions[i]); }
    void get() const { QTest::mouseClick(Button(page, QStringLiteral("获取信息")), Qt::LeftButton); }
    void set() const { QTest::mouseClick(Button(page, QStringLiteral("更改配置")), Qt::LeftButton); }
    void setFields(const QString& sleep, const QString& online, const QString& polling) const {
        field(0)->setText(sleep);
        field(1)->setText(online);
        field(2)->setText(polling);
    }
    // The frames the module received; waits for `expected` of them first (the last one may still be on its way).
    QStringList sent(size_t expected = 0) const {
        rig.module->waitForFrames(expected, std::chrono::seconds(2));
        QStringList frames;
        for (const auto& f : rig.module->frameBytes()) frames << Hex(f);
        return frames;
    }
    std::map<uint8_t, uint16_t> terminal() {
        return rig.withModel([](sim::CelModel& m) { return m.terminal; });
    }
    int passwordFrames() {
        return rig.withModel([](sim::CelModel& m) { return m.passwordFrames; });
    }

    CelPanelRig rig{2};
    CPanViewCel* panel = nullptr;
    CPageDevTerminalVnet* page = nullptr;
    bool opened = false;
};

}  // namespace

class TerminalPageTest : public QObject {
    Q_OBJECT

private slots:
    void getReadsTheThreeParameters() {
        TerminalRig t(false);
        QVERIFY(t.opened);
        t.rig.withModel([](sim::CelModel& m) { m.terminal = {{kSleep, 0x0190}, {kOnline, 50}, {kPolling, 65535}}; });
        for (int i = 0; i < 3; ++i) QCOMPARE(t.field(i)->text(), QStringLiteral("0"));

        t.get();

        QCOMPARE(t.sent(4), (QStringList{kStateQuery, QStringLiteral("AB BC CD DB 00 00 00 0F"),
                                         ParameterFrame(kOnline, 0, 0), ParameterFrame(kPolling, 0, 0)}));
        QCOMPARE(t.field(0)->text(), QStringLiteral("400"));
        QCOMPARE(t.field(1)->text(), QStringLiteral("50"));
        QCOMPARE(t.field(2)->text(), QStringLiteral("65535"));
        QCOMPARE(t.rig.op.lastText(), QStringLiteral("获取设备信息成功..."));
        QCOMPARE(t.rig.op.lastIcon(), Icon::Information);
        QCOMPARE(t.rig.op.passwordQuestions, 0);
    }

    void setWritesTheThreeParametersInOrder() {
        TerminalRig t(false);
        QVERIFY(t.opened);
        // An emptied field stands for 0.
        t.setFields(QStringLiteral("65535"), QString(), QStringLiteral("300"));

        t.set();

        QCOMPARE(t.sent(5), (QStringList{kStateQuery, kReadRecord, QStringLiteral("AB BC CD DB 01 FF FF 0E"),
                                         ParameterFrame(kOnline, 1, 0), ParameterFrame(kPolling, 1, 300)}));
        QCOMPARE(t.terminal(), (std::map<uint8_t, uint16_t>{{kSleep, 65535}, {kOnline, 0}, {kPolling, 300}}));
        QCOMPARE(t.rig.op.lastText(), QStringLiteral("修改配置成功"));
        QCOMPARE(t.rig.op.lastIcon(), Icon::Information);
    }

    void accessCheck_data() {
        QTest::addColumn<bool>("setCommand");
        QTest::addColumn<bool>("protection");
        QTest::addColumn<int>("queryFault");
        QTest::addColumn<QString>("password");  // null: the operator cancels the question
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<QString>("refusal");  // the message when it does not go on; empty for none

        const QString wrong = QStringLiteral("密码错误!操作失败");
        for (bool set : {false, true}) {
            const char* c = set ? "set: " : "get: ";
            auto row = [&](const char* name) { return &QTest::newRow((QByteArray(c) + name).constData()); };
            *row("unprotected, no question") << set << false << int(QueryFault::None) << QString() << false << true
                                             << QString();
            *row("protected, right password") << set << true << int(QueryFault::None) << QStringLiteral("123456")
                                              << true << true << QString();
            *row("protected, wrong password") << set << true << int(QueryFault::None) << QStringLiteral("12345")
                                              << true << false << wrong;
            *row("protected, password longer") << set << true << int(QueryFault::None)
                                               << QStringLiteral("1234567") << true << false << wrong;
            *row("protected, question cancelled") << set << true << int(QueryFault::None) << QString() << true
                                                  << false << QString();
            // A state reply that does not say "enabled" lets the command go on without a question.
            *row("state reply with a zero lead") << set << false << int(QueryFault::ZeroLead) << QString() << false
                                                 << true << QString();
            *row("state reply with a bad status") << set << false << int(QueryFault::BadStatus) << QString()
                                                  << false << true << QString();
            *row("state query unanswered") << set << false << int(QueryFault::Silent) << QString() << false << true
                                           << QString();
        }
    }
    void accessCheck() {
        QFETCH(bool, setCommand);
        QFETCH(bool, protection);
        QFETCH(int, queryFault);
        QFETCH(QString, password);
        QFETCH(bool, asked);
        QFETCH(bool, goesOn);
        QFETCH(QString, refusal);

        TerminalRig t(protection);
        QVERIFY(t.opened);
        const std::map<uint8_t, uint16_t> before = t.terminal();
        switch (static_cast<QueryFault>(queryFault)) {
            case QueryFault::ZeroLead: t.rig.module->injectFault(sim::Fault::setByte(0, 0).onlyWhen(3, 0xDE)); break;
            case QueryFault::BadStatus: t.rig.module->injectFault(sim::Fault::setByte(5, 1).onlyWhen(3, 0xDE)); break;
            case QueryFault::Silent: t.rig.module->injectFault(sim::Fault::noAnswer().onlyWhen(3, 0xDE)); break;
            case QueryFault::None: break;
        }
        if (!password.isNull()) t.rig.op.passwords.push_back(password);
        t.setFields(QStringLiteral("11"), QStringLiteral("22"), QStringLiteral("33"));

        if (setCommand) t.set();
        else t.get();

        QCOMPARE(t.rig.op.passwordQuestions, asked ? 1 : 0);
        const bool passwordSent = asked && !password.isNull();
        QCOMPARE(t.passwordFrames(), passwordSent ? 1 : 0);
        QStringList expected{kStateQuery};
        if (passwordSent) expected << PasswordFrame(password.toLatin1());
        if (!goesOn) {
            // Nothing after the query and the password.
            QTest::qWait(60);
            QCOMPARE(t.sent(), expected);
            if (refusal.isEmpty()) {
                QVERIFY(t.rig.op.shown.empty());
            } else {
                QCOMPARE(t.rig.op.lastText(), refusal);
                QCOMPARE(t.rig.op.lastIcon(), Icon::Critical);
            }
            QCOMPARE(t.terminal(), before);
            QCOMPARE(t.field(0)->text(), QStringLiteral("11"));
            return;
        }
        if (setCommand) expected << kReadRecord;
        for (uint8_t code : {kSleep, kOnline, kPolling})
            expected << ParameterFrame(code, setCommand ? 1 : 0,
                                       setCommand ? static_cast<uint16_t>(11 * (code - kSleep + 1)) : 0);
        QCOMPARE(t.sent(static_cast<size_t>(expected.size())), expected);
        QCOMPARE(t.rig.op.shown.size(), size_t(1));
        QCOMPARE(t.rig.op.lastIcon(), Icon::Information);
        if (setCommand) {
            QCOMPARE(t.rig.op.lastText(), QStringLiteral("修改配置成功"));
            QCOMPARE(t.terminal(), (std::map<uint8_t, uint16_t>{{kSleep, 11}, {kOnline, 22}, {kPolling, 33}}));
        } else {
            QCOMPARE(t.rig.op.lastText(), QStringLiteral("获取设备信息成功..."));
            QCOMPARE(t.field(0)->text(), QString::number(before.at(kSleep)));
        }
    }

    // Nothing is remembered: every command asks again and sends the password again.
    void protectedModuleAsksOnEveryCommand() {
        TerminalRig t(true);
        QVERIFY(t.opened);
        for (int i = 0; i < 3; ++i) t.rig.op.passwords.push_back(QStringLiteral("123456"));
        t.get();
        t.set();
        t.get();
        QCOMPARE(t.rig.op.passwordQuestions, 3);
        QCOMPARE(t.passwordFrames(), 3);
        QCOMPARE(t.rig.op.shown.size(), size_t(3));
        QCOMPARE(t.rig.op.lastText(), QStringLiteral("获取设备信息成功..."));
        QCOMPARE(t.sent(5 + 6 + 5).count(kStateQuery), 3);
    }

    void portClosed_data() {
        QTest::addColumn<bool>("setCommand");
        QTest::addColumn<int>("icon");
        QTest::newRow("get") << false << int(Icon::Critical);
        QTest::newRow("set") << true << int(Icon::Plain);
    }
    void portClosed() {
        QFETCH(bool, setCommand);
        QFETCH(int, icon);
        TerminalRig t(true, false);
        if (setCommand) t.set();
        else t.get();
        QCOMPARE(t.rig.op.lastText(), QStringLiteral("操作失败，串口未打开！"));
        QCOMPARE(int(t.rig.op.lastIcon()), icon);
        QCOMPARE(t.rig.op.passwordQuestions, 0);
        QTest::qWait(20);
        QVERIFY(t.sent().isEmpty());
    }

    // The module stops answering at the online time: a get changes no field, a set leaves the sleep time written.
    void failureOnTheSecondParameter_data() {
        QTest::addColumn<bool>("setCommand");
        QTest::newRow("get") << false;
        QTest::newRow("set") << true;
    }
    void failureOnTheSecondParameter() {
        QFETCH(bool, setCommand);
        TerminalRig t(false);
        QVERIFY(t.opened);
        const std::map<uint8_t, uint16_t> before = t.terminal();
        t.rig.module->injectFault(sim::Fault::noAnswer().onlyWhen(3, kOnline));
        t.setFields(QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"));

        if (setCommand) t.set();
        else t.get();

        QCOMPARE(t.rig.op.lastText(), QStringLiteral("获取设备信息失败"));
        QCOMPARE(t.rig.op.lastIcon(), Icon::Critical);
        QTest::qWait(60);
        const QStringList sent = t.sent();
        QCOMPARE(sent.last(), ParameterFrame(kOnline, setCommand ? 1 : 0, setCommand ? 8 : 0));
        QVERIFY(std::none_of(sent.begin(), sent.end(),
                             [](const QString& f) { return f.startsWith(QStringLiteral("AB BC CD DD")); }));
        // (The online time itself may or may not have been taken: only its answer is missing.)
        std::map<uint8_t, uint16_t> after = t.terminal();
        QCOMPARE(after[kSleep], setCommand ? uint16_t(7) : before.at(kSleep));
        QCOMPARE(after[kPolling], before.at(kPolling));
        QCOMPARE(t.field(0)->text(), QStringLiteral("7"));
        QCOMPARE(t.field(1)->text(), QStringLiteral("8"));
    }

    // Set first checks that a module answers on the port: a silent one gets no parameter frame.
    void setWithoutModuleWritesNothing() {
        TerminalRig t(false);
        QVERIFY(t.opened);
        t.rig.module->injectFault(sim::Fault::noAnswer().onlyWhen(3, 0xD1));
        t.set();
        QCOMPARE(t.rig.op.lastText(), QStringLiteral("获取设备属性失败!"));
        QCOMPARE(t.rig.op.lastIcon(), Icon::Plain);
        QTest::qWait(60);
        const QStringList sent = t.sent();
        QCOMPARE(sent, (QStringList{kStateQuery, kReadRecord}));
        QVERIFY(std::none_of(sent.begin(), sent.end(), IsParameterFrame));
    }
};

REGISTER_TEST_CLASS(TerminalPageTest);
#include "TerminalPageTest.moc"
