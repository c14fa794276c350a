// The "安全设置" page against the simulated module: the password stored in the module after a change, and what
// reaches the module (nothing, or only the read) when the change is refused.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <utility>
#include <vector>

#include "cel/CelModel.h"
#include "shell/LibraryLock.h"
#include "shell/CDlgChangePass.h"
#include "support/CelPanelRig.h"
#include "support/TestMain.h"
#include "support/WidgetLookup.h"

using testsupport::Button;
using testsupport::CelPanelRig;
using testsupport::Field;
using Icon = Operator::Icon;

namespace {

constexpr uint8_t kReadLocal = 0xD1;
constexpr uint8_t kWriteConfig = 0xD6;

// Types text as key presses, as an operator (or an input method) would.
void Type(QLineEdit* field, const QString& text) {
    field->setFocus();
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
    }
}

QByteArray Padded(const QByteArray& text) { return text + QByteArray(16 - text.size(), '\0'); }

// Counts Enter and Escape presses that get past the page to the panel.
class KeyWitness : public QObject {
public:
    int seen = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) ++seen;
        }
        return false;
    }
};

// Stands in for the remote module list where a test needs a row selected: the selection is set, not clicked.
void ClickTab(QTabWidget* tabs, int index) {
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

// A Quickmesh panel on its simulated module, the password page selected.
struct PasswordRig {
    explicit PasswordRig(bool open = true) {
        panel = rig.make<CPanViewCel_Change>();
        page = panel->changePassPage();
        panel->selectCategory(4);
        if (open) opened = rig.openPort();
        rig.module->clearLog();
    }

    QLineEdit* current() const { return Field<QLineEdit>(page, QStringLiteral("当前密码：")); }
    QLineEdit* fresh() const { return Field<QLineEdit>(page, QStringLiteral("新密码：")); }
    QLineEdit* confirm() const { return Field<QLineEdit>(page, QStringLiteral("确认新密码：")); }

    void change(const QString& currentText, const QString& newText, const QString& confirmText) {
        for (QLineEdit* f : {current(), fresh(), confirm()}) f->clear();
        Type(current(), currentText);
        Type(fresh(), newText);
        Type(confirm(), confirmText);
        rig.op.clear();
        rig.module->clearLog();
        QTest::mouseClick(Button(page, QStringLiteral("修改密码")), Qt::LeftButton);
    }

    // The 16 password bytes the module keeps.
    QByteArray stored() {
        return rig.withModel([](sim::CelModel& m) {
            const auto& area = m.local().area;
            return QByteArray(reinterpret_cast<const char*>(area.data()) + 16, 16);
        });
    }
    // Command bytes of the frames the module received (after a short wait for stragglers).
    std::vector<uint8_t> commandsSent() const {
        QTest::qWait(40);
        std::vector<uint8_t> commands;
        for (const auto& f : rig.module->frameBytes()) commands.push_back(f.size() > 3 ? f[3] : 0);
        return commands;
    }

    CelPanelRig rig;
    CPanViewCel* panel = nullptr;
    CDlgChangePass* page = nullptr;
    bool opened = false;
};

}  // namespace

class ChangePasswordTest : public QObject {
    Q_OBJECT

private slots:
    void fieldsAreMaskedNameFields() {
        PasswordRig t(false);
        for (QLineEdit* f : {t.current(), t.fresh(), t.confirm()}) {
            QVERIFY(f);
            QCOMPARE(f->echoMode(), QLineEdit::Password);
            // Module text of at most 16 bytes: a 17th byte is refused.
            Type(f, QStringLiteral("0123456789abcdefg"));
            QCOMPARE(f->text(), QStringLiteral("0123456789abcdef"));
        }
    }

    void changesTheLocalPassword_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("short") << QStringLiteral("abc") << Padded("abc");
        QTest::newRow("16 characters, no terminating zero")
            << QStringLiteral("0123456789abcdef") << QByteArray("0123456789abcdef");
        QTest::newRow("empty: 16 zero bytes") << QString() << QByteArray(16, '\0');
        QTest::newRow("Chinese as GBK") << QStringLiteral("密码abc") << Padded("\xC3\xDC\xC2\xEB" "abc");
    }
    void changesTheLocalPassword() {
        QFETCH(QString, password);
        QFETCH(QByteArray, stored);
        PasswordRig t;
        QVERIFY(t.opened);

        t.change(QStringLiteral("123456"), password, password);

        QCOMPARE(t.rig.op.lastText(), QStringLiteral("修改配置成功"));
        QCOMPARE(t.rig.op.lastIcon(), Icon::Information);
        QCOMPARE(t.stored(), stored);
        QCOMPARE(t.commandsSent().front(), kReadLocal);
        // The fields keep their texts.
        QCOMPARE(t.current()->text(), QStringLiteral("123456"));
        QCOMPARE(t.fresh()->text(), password);
        QCOMPARE(t.confirm()->text(), password);
    }

    // A password that fills all 16 bytes matches only when typed whole.
    void sixteenCharacterPasswordIsTypedWhole() {
        PasswordRig t;
        QVERIFY(t.opened);
        const QString sixteen = QStringLiteral("ABCDEFGHIJKLMNOP");
        t.change(QStringLiteral("123456"), sixteen, sixteen);
        QCOMPARE(t.rig.op.lastText(), QStringLiteral("修改配置成功"));

        t.change(sixteen.left(15), QStringLiteral("xyz"), QStringLiteral("xyz"));
        QCOMPARE(t.rig.op.lastText(), QStringLiteral("请确认当前密码是否正确"));
        QCOMPARE(t.stored(), sixteen.toLatin1());

        t.change(sixteen, QStringLiteral("xyz"), QStringLiteral("xyz"));
        QCOMPARE(t.rig.op.lastText(), QStringLiteral("修改配置成功"));
        QCOMPARE(t.stored(), Padded("xyz"));
    }

    // A mismatch is caught before anything is sent; a wrong current password after the read, before any write.
    void refusedChangeWritesNothing_data() {
        QTest::addColumn<QString>("currentText");
        QTest::addColumn<QString>("newText");
        QTest::addColumn<QString>("confirmText");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("currentEmptied");  // else the confirmation is emptied
        QTest::addColumn<bool>("read");

        const QString right = QStringLiteral("123456"), abc = QStringLiteral("abc");
        const QString mismatch = QStringLiteral("新密码和确认新密码不匹配");
        const QString wrong = QStringLiteral("请确认当前密码是否正确");
        QTest::newRow("new and confirmation differ") << right << abc << QStringLiteral("abd") << mismatch << false
                                                     << false;
        QTest::newRow("case differs") << right << abc << QStringLiteral("ABC") << mismatch << false << false;
        QTest::newRow("confirmation empty") << right << abc << QString() << mismatch << false << false;
        QTest::newRow("new empty") << right << QString() << abc << mismatch << false << false;
        QTest::newRow("current shorter") << QStringLiteral("12345") << abc << abc << wrong << true << true;
        QTest::newRow("current longer") << QStringLiteral("1234567") << abc << abc << wrong << true << true;
        QTest::newRow("current with a trailing space") << QStringLiteral("123456 ") << abc << abc << wrong << true
                                                       << true;
        QTest::newRow("current empty") << QString() << abc << abc << wrong << true << true;
    }
    void refusedChangeWritesNothing() {
        QFETCH(QString, currentText);
        QFETCH(QString, newText);
        QFETCH(QString, confirmText);
        QFETCH(QString, message);
        QFETCH(bool, currentEmptied);
        QFETCH(bool, read);
        PasswordRig t;
        QVERIFY(t.opened);

        t.change(currentText, newText, confirmText);

        QCOMPARE(t.rig.op.lastText(), message);
        QCOMPARE(t.rig.op.lastIcon(), Icon::Critical);
        QCOMPARE(t.current()->text(), currentEmptied ? QString() : currentText);
        QCOMPARE(t.fresh()->text(), newText);
        QCOMPARE(t.confirm()->text(), currentEmptied ? confirmText : QString());
        QCOMPARE(t.commandsSent(), read ? std::vector<uint8_t>{kReadLocal} : std::vector<uint8_t>{});
        QCOMPARE(t.stored(), Padded("123456"));
    }

    void portClosedSendsNothing() {
        PasswordRig t(false);
        t.change(QStringLiteral("123456"), QStringLiteral("abc"), QStringLiteral("abc"));
        QCOMPARE(t.rig.op.lastText(), QStringLiteral("操作失败，串口未打开！"));
        QCOMPARE(t.rig.op.lastIcon(), Icon::Plain);
        QVERIFY(t.commandsSent().empty());
    }

    void unreadableModuleIsNotWritten() {
        PasswordRig t;
        QVERIFY(t.opened);
        t.rig.module->injectFault(sim::Fault::noAnswer().onlyWhen(3, kReadLocal));
        t.change(QStringLiteral("123456"), QStringLiteral("abc"), QStringLiteral("abc"));
        QCOMPARE(t.rig.op.lastText(), QStringLiteral("获取设备属性失败!"));
        QCOMPARE(t.rig.op.lastIcon(), Icon::Plain);
        QCOMPARE(t.commandsSent(), std::vector<uint8_t>{kReadLocal});
        QCOMPARE(t.stored(), Padded("123456"));
    }

    void unacknowledgedWriteFails() {
        PasswordRig t;
        QVERIFY(t.opened);
        t.rig.module->injectFault(sim::Fault::noAnswer().onlyWhen(3, kWriteConfig));
        t.change(QStringLiteral("123456"), QStringLiteral("abc"), QStringLiteral("abc"));
        QCOMPARE(t.rig.op.lastText(), QStringLiteral("操作失败..."));
        QCOMPARE(t.rig.op.lastIcon(), Icon::Critical);
    }

    void remoteModeWithoutSelectionSendsNothing() {
        PasswordRig t;
        QVERIFY(t.opened);
        QTabWidget* tabs = t.panel->deviceTabs();
        QCOMPARE(tabs->tabText(1), QStringLiteral("远程模块"));
        ClickTab(tabs, 1);
        QVERIFY(t.panel->remoteMode());

        t.change(QStringLiteral("123456"), QStringLiteral("abc"), QStringLiteral("abc"));

        QCOMPARE(t.rig.op.lastText(), CPanViewCel::NoSelectionMessage());
        QCOMPARE(t.rig.op.lastIcon(), Icon::Critical);
        QVERIFY(t.commandsSent().empty());
    }

    // A module added by hand with the first simulated remote's channel, rate and address (or an address nobody
    // has), selected in the remote tab.
    void changesTheSelectedRemoteModule_data() {
        QTest::addColumn<int>("address");
        QTest::addColumn<QString>("currentText");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("remotePassword");
        QTest::newRow("right password") << 0x0101 << QStringLiteral("123456") << QStringLiteral("修改配置成功")
                                        << int(Icon::Information) << QStringLiteral("abc");
        QTest::newRow("wrong password") << 0x0101 << QStringLiteral("654321") << QStringLiteral("请确认当前密码是否正确")
                                        << int(Icon::Critical) << QStringLiteral("123456");
        QTest::newRow("no module answers") << 0x0999 << QStringLiteral("123456") << QStringLiteral("获取设备属性失败!")
                                           << int(Icon::Plain) << QStringLiteral("123456");
    }
    void changesTheSelectedRemoteModule() {
        QFETCH(int, address);
        QFETCH(QString, currentText);
        QFETCH(QString, message);
        QFETCH(int, icon);
        QFETCH(QString, remotePassword);
        PasswordRig t;
        QVERIFY(t.opened);
        const int channel = t.rig.remote(0).liveChannel();
        QVERIFY(t.rig.addByHand(channel, static_cast<uint16_t>(address)));

        t.change(currentText, QStringLiteral("abc"), QStringLiteral("abc"));

        QCOMPARE(t.rig.op.lastText(), message);
        QCOMPARE(int(t.rig.op.lastIcon()), icon);
        const std::vector<uint8_t> sent = t.commandsSent();
        const bool written = std::find(sent.begin(), sent.end(), kWriteConfig) != sent.end();
        QCOMPARE(written, remotePassword == QStringLiteral("abc"));
        QCOMPARE(t.rig.withModel([](sim::CelModel& m) { return QString::fromStdString(m.remote(0).password()); }),
                 remotePassword);
        QCOMPARE(t.stored(), Padded("123456"));
    }

    void enterAndEscapeDoNothing() {
        PasswordRig t;
        QVERIFY(t.opened);
        KeyWitness witness;
        t.panel->installEventFilter(&witness);
        for (QLineEdit* f : {t.current(), t.fresh(), t.confirm()}) Type(f, QStringLiteral("abc"));
        QList<QWidget*> targets{t.current(), t.fresh(), t.confirm(), t.page->changeButton(), t.page};
        for (QWidget* w : targets)
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) QTest::keyClick(w, key);
        QCOMPARE(witness.seen, 0);
        QVERIFY(t.rig.op.shown.empty());
        QVERIFY(t.commandsSent().empty());
        QVERIFY(t.page->isVisible());
        QCOMPARE(t.current()->text(), QStringLiteral("abc"));
    }
};

REGISTER_TEST_CLASS(ChangePasswordTest);
#include "ChangePasswordTest.moc"
