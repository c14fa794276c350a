// The USB virtual serial port identity dialog against a fake bridge, the self-closing progress dialog, and the
// libusb backend on this machine.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <thread>

#include "support/ScriptedOperator.h"
#include "tools/CProgressDlg.h"
#include "tools/CSetUSBId.h"
#include "tools/FakeUsbBridge.h"
#include "tools/LibusbBridge.h"

using namespace std::chrono_literals;

Q_DECLARE_METATYPE(FakeBridgeDevice)

namespace {

// The field a visible caption labels (its buddy), as the operator finds it.
template <typename T>
T* FieldOf(QWidget& dialog, const QString& caption) {
    for (QLabel* label : dialog.findChildren<QLabel*>())
        if (label->text() == caption) return qobject_cast<T*>(label->buddy());
    return nullptr;
}

QPushButton* ButtonOf(QWidget& dialog, const QString& caption) {
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text() == caption) return b;
    return nullptr;
}

QStringList Entries(QComboBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
    return entries;
}

QStringList Texts(const ScriptedOperator& op) {
    QStringList texts;
    for (const auto& s : op.shown) texts << s.text;
    return texts;
}

// The dialog as the operator meets it: shown, its list built.
struct OpenDialog {
    OpenDialog(UsbBridge& bridge, ScriptedOperator& op) : dialog(bridge, op) {
        dialog.setSettleStep(1ms);
        dialog.show();
        QTRY_VERIFY(dialog.isVisible());
        QCoreApplication::processEvents();  // the list is built once the dialog is on screen
        list = FieldOf<QComboBox>(dialog, QStringLiteral("设备列表"));
        identity = FieldOf<QLineEdit>(dialog, QStringLiteral("虚拟串口ID"));
    }
    CSetUSBId dialog;
    QComboBox* list = nullptr;
    QLineEdit* identity = nullptr;
};

}  // namespace

class UsbIdentityTest : public QObject {
    Q_OBJECT
private slots:
    void listsTheBridgesThatAnswer();
    void pickingAnEntryShowsThatBridge();
    void noBridgeReportsNotReady_data();
    void noBridgeReportsNotReady();
    void unreadableIdentityEmptiesTheField();
    void changeWritesResetsAndRelists();
    void progressClosedEarlyStopsTheWait();
    void changeFailures_data();
    void changeFailures();
    void identityFieldHolds63Characters();
    void progressClosesItselfAtTheUpperBound();
    void progressMayBeClosedByTheOperator();
    void stringDescriptors();
    void libusbBackendOnThisMachine();
};

void UsbIdentityTest::listsTheBridgesThatAnswer() {
    FakeUsbBridge bridge;
    bridge.devices = {{QStringLiteral("A1")}, {QStringLiteral("B2")}, {QStringLiteral("C3")}, {QStringLiteral("D4")}};
    bridge.devices[1].present = false;
    bridge.devices[2].openable = false;  // e.g. no permission on the device
    ScriptedOperator op;
    OpenDialog d(bridge, op);

    QVERIFY(d.list && d.identity);
    QCOMPARE(Entries(d.list), (QStringList{QStringLiteral("设备0 (ID：A1)"), QStringLiteral("设备3 (ID：D4)")}));
    QCOMPARE(d.list->currentIndex(), 0);
    QCOMPARE(d.identity->text(), QStringLiteral("A1"));
    QVERIFY(op.shown.empty());
    QCOMPARE(bridge.openIndex, -1);
    QCOMPARE(bridge.overlappingOpens, 0);
}

void UsbIdentityTest::pickingAnEntryShowsThatBridge() {
    FakeUsbBridge bridge;
    bridge.devices = {{QStringLiteral("A1")}, {QStringLiteral("B2")}, {QStringLiteral("C3")}};
    bridge.devices[1].present = false;
    ScriptedOperator op;
    OpenDialog d(bridge, op);

    // The second entry is bridge 2, not bridge 1: the list skips bridges that did not answer.
    bridge.opened.clear();
    d.list->setCurrentIndex(1);
    emit d.list->activated(1);
    QCOMPARE(bridge.opened, std::vector<int>{2});
    QCOMPARE(d.identity->text(), QStringLiteral("C3"));

    // A refresh keeps the operator's choice.
    ButtonOf(d.dialog, QStringLiteral("刷新列表"))->click();
    QCOMPARE(d.list->currentIndex(), 1);
    QCOMPARE(d.identity->text(), QStringLiteral("C3"));

    // The chosen bridge went away: the list falls back to the first entry.
    bridge.devices.pop_back();
    ButtonOf(d.dialog, QStringLiteral("刷新列表"))->click();
    QCOMPARE(Entries(d.list), QStringList{QStringLiteral("设备0 (ID：A1)")});
    QCOMPARE(d.identity->text(), QStringLiteral("A1"));
    QVERIFY(op.shown.empty());
}

void UsbIdentityTest::noBridgeReportsNotReady_data() {
    QTest::addColumn<bool>("countFails");
    QTest::addColumn<bool>("goneAfterListing");
    QTest::newRow("nothing attached") << false << false;
    QTest::newRow("no USB access") << true << false;
    QTest::newRow("bridge unplugged after listing") << false << true;
}

void UsbIdentityTest::noBridgeReportsNotReady() {
    QFETCH(bool, countFails);
    QFETCH(bool, goneAfterListing);
    FakeUsbBridge bridge;
    bridge.countFails = countFails;
    if (goneAfterListing) bridge.devices = {{QStringLiteral("A1")}};
    ScriptedOperator op;
    OpenDialog d(bridge, op);
    if (goneAfterListing) {
        QCOMPARE(d.list->count(), 1);
        bridge.devices[0].openable = false;
        emit d.list->activated(0);
    } else {
        QCOMPARE(d.list->count(), 0);
    }
    QCOMPARE(Texts(op), QStringList{CSetUSBId::NotReady()});
    QCOMPARE(op.lastIcon(), Operator::Icon::Plain);
    QVERIFY(d.dialog.isVisible());  // the dialog stays usable
}

void UsbIdentityTest::unreadableIdentityEmptiesTheField() {
    FakeUsbBridge bridge;
    bridge.devices = {{QStringLiteral("A1")}};
    ScriptedOperator op;
    OpenDialog d(bridge, op);
    QCOMPARE(d.identity->text(), QStringLiteral("A1"));

    bridge.devices[0].readable = false;
    ButtonOf(d.dialog, QStringLiteral("刷新列表"))->click();
    QCOMPARE(Entries(d.list), QStringList{QStringLiteral("设备0 (ID：)")});
    QCOMPARE(d.identity->text(), QString());
    QCOMPARE(Texts(op), QStringList{CSetUSBId::ReadFailed()});
    QCOMPARE(bridge.openIndex, -1);
}

void UsbIdentityTest::changeWritesResetsAndRelists() {
    FakeUsbBridge bridge;
    bridge.devices = {{QStringLiteral("A1")}, {QStringLiteral("B2")}};
    ScriptedOperator op;
    OpenDialog d(bridge, op);
    d.list->setCurrentIndex(1);
    emit d.list->activated(1);

    d.identity->clear();
    QTest::keyClicks(d.identity, QStringLiteral("PORT-7"));
    const int countsBefore = bridge.counts;
    QElapsedTimer clock;
    clock.start();
    ButtonOf(d.dialog, QStringLiteral("修改"))->click();  // runs the progress dialog until it closes itself

    QVERIFY2(clock.elapsed() < 3000, "the progress dialog did not close itself");
    QCOMPARE(bridge.written, QStringList{QStringLiteral("PORT-7")});
    QCOMPARE(bridge.resets, std::vector<int>{1});
    QCOMPARE(Texts(op), QStringList{CSetUSBId::Changed()});
    QCOMPARE(bridge.counts, countsBefore + 1);
    QCOMPARE(Entries(d.list), (QStringList{QStringLiteral("设备0 (ID：A1)"), QStringLiteral("设备1 (ID：PORT-7)")}));
    QCOMPARE(d.list->currentIndex(), 1);
    QCOMPARE(d.identity->text(), QStringLiteral("PORT-7"));
    QCOMPARE(bridge.openIndex, -1);
    QCOMPARE(bridge.overlappingOpens, 0);
}

void UsbIdentityTest::progressClosedEarlyStopsTheWait() {
    FakeUsbBridge bridge;
    bridge.devices = {{QStringLiteral("A1")}};
    ScriptedOperator op;
    OpenDialog d(bridge, op);
    d.dialog.setSettleStep(10s);  // the wait would last minutes
    d.identity->setText(QStringLiteral("B2"));
    bool closed = false;
    QTimer::singleShot(100, [&closed] {
        if (auto* progress = qobject_cast<CProgressDlg*>(QApplication::activeModalWidget())) {
            progress->reject();
            closed = true;
        }
    });
    QElapsedTimer clock;
    clock.start();
    ButtonOf(d.dialog, QStringLiteral("修改"))->click();
    QVERIFY(closed);
    QVERIFY(clock.elapsed() < 3000);  // the worker was stopped, not waited out
    QCOMPARE(Texts(op), QStringList{CSetUSBId::Changed()});
    QCOMPARE(Entries(d.list), QStringList{QStringLiteral("设备0 (ID：B2)")});
}

void UsbIdentityTest::changeFailures_data() {
    QTest::addColumn<FakeBridgeDevice>("device");
    QTest::addColumn<QString>("message");
    FakeBridgeDevice d{QStringLiteral("A1")};
    FakeBridgeDevice noOpen = d;
    noOpen.openable = false;
    FakeBridgeDevice locked = d;
    locked.locked = true;
    FakeBridgeDevice lockUnknown = d;
    lockUnknown.lockReadable = false;
    FakeBridgeDevice noWrite = d;
    noWrite.writable = false;
    QTest::newRow("cannot open") << noOpen << CSetUSBId::OpenFailed();
    QTest::newRow("locked") << locked << CSetUSBId::WriteFailed();
    QTest::newRow("lock unreadable") << lockUnknown << CSetUSBId::WriteFailed();
    QTest::newRow("write refused") << noWrite << CSetUSBId::WriteFailed();
}

void UsbIdentityTest::changeFailures() {
    QFETCH(FakeBridgeDevice, device);
    QFETCH(QString, message);
    FakeUsbBridge bridge;
    bridge.devices = {FakeBridgeDevice{QStringLiteral("A1")}};
    ScriptedOperator op;
    OpenDialog d(bridge, op);
    QCOMPARE(d.identity->text(), QStringLiteral("A1"));

    bridge.devices[0] = device;
    d.identity->setText(QStringLiteral("NEW"));
    const int countsBefore = bridge.counts;
    ButtonOf(d.dialog, QStringLiteral("修改"))->click();

    QCOMPARE(Texts(op), QStringList{message});
    QCOMPARE(bridge.devices[0].identity, QStringLiteral("A1"));
    QVERIFY(bridge.resets.empty());
    QCOMPARE(bridge.counts, countsBefore);  // no refresh after a failure
    QCOMPARE(d.identity->text(), QStringLiteral("NEW"));
    QCOMPARE(bridge.openIndex, -1);
    QVERIFY(d.dialog.isVisible());
}

void UsbIdentityTest::identityFieldHolds63Characters() {
    FakeUsbBridge bridge;
    bridge.devices = {{QStringLiteral("A1")}};
    ScriptedOperator op;
    OpenDialog d(bridge, op);
    d.identity->clear();
    const QString typed = QString(64, u'x');
    QTest::keyClicks(d.identity, typed);
    QCOMPARE(d.identity->text(), typed.left(63));

    ButtonOf(d.dialog, QStringLiteral("修改"))->click();
    QCOMPARE(bridge.written, QStringList{typed.left(63)});
}

void UsbIdentityTest::progressClosesItselfAtTheUpperBound() {
    CProgressDlg progress;
    progress.setRange(0, 50);
    QSignalSpy accepted(&progress, &QDialog::accepted);
    progress.show();
    QCOMPARE(progress.position(), 0);
    QLabel* text = progress.findChild<QLabel*>();
    QVERIFY(text && text->text() == QStringLiteral("正在执行，请稍候……"));

    std::thread([&progress] { progress.setPosition(49); }).join();
    QTest::qWait(CProgressDlg::kTickMs + 200);  // a tick below the upper bound leaves it open
    QCOMPARE(progress.position(), 49);
    QVERIFY(progress.isVisible());

    QElapsedTimer clock;
    clock.start();
    std::thread([&progress] { progress.setPosition(50); }).join();
    QTRY_VERIFY_WITH_TIMEOUT(!progress.isVisible(), 2000);
    QVERIFY(clock.elapsed() < CProgressDlg::kTickMs + 400);
    QCOMPARE(accepted.count(), 1);
}

void UsbIdentityTest::progressMayBeClosedByTheOperator() {
    CProgressDlg progress;
    QSignalSpy accepted(&progress, &QDialog::accepted);
    QSignalSpy rejected(&progress, &QDialog::rejected);
    progress.show();
    progress.step();
    progress.step();
    QTRY_COMPARE(progress.position(), 2);
    QTest::keyClick(&progress, Qt::Key_Escape);
    QVERIFY(!progress.isVisible());
    QCOMPARE(rejected.count(), 1);
    progress.setPosition(50);
    QTest::qWait(CProgressDlg::kTickMs + 200);  // the stopped timer closes nothing again
    QCOMPARE(accepted.count(), 0);
}

void UsbIdentityTest::stringDescriptors() {
    const auto ab = EncodeUsbString(QStringLiteral("AB"));
    QVERIFY(ab);
    QCOMPARE(*ab, QByteArray::fromHex("060341004200"));

    const QString longest = QString(63, u'9');
    const auto full = EncodeUsbString(longest);
    QVERIFY(full);
    QCOMPARE(full->size(), 128);
    QCOMPARE(static_cast<unsigned char>(full->at(0)), 128);
    QVERIFY(!EncodeUsbString(QString(64, u'9')));

    const QString chinese = QStringLiteral("串口ID");
    const auto encoded = EncodeUsbString(chinese);
    const auto* bytes = reinterpret_cast<const unsigned char*>(encoded->constData());
    QCOMPARE(DecodeUsbString(bytes, static_cast<int>(encoded->size())).value_or(QString()), chinese);
    // A descriptor cut short by the device yields what arrived; anything but a string descriptor is refused.
    QCOMPARE(DecodeUsbString(bytes, 6).value_or(QString()), QStringLiteral("串口"));
    const unsigned char notString[] = {4, 1, 0x41, 0};
    QVERIFY(!DecodeUsbString(notString, 4));
    QVERIFY(!DecodeUsbString(bytes, 1));
}

void UsbIdentityTest::libusbBackendOnThisMachine() {
    // Independent count of the CP210x bridges the kernel sees.
    int attached = 0;
    const QDir usb(QStringLiteral("/sys/bus/usb/devices"));
    for (const QString& dev : usb.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        auto attr = [&](const char* name) {
            QFile f(usb.filePath(dev) + u'/' + QLatin1String(name));
            return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed().toLower() : QByteArray();
        };
        static const QList<QByteArray> products = {"ea60", "ea61", "ea63", "ea70", "ea71", "ea7a", "ea7b"};
        if (attr("idVendor") == "10c4" && products.contains(attr("idProduct"))) ++attached;
    }

    std::unique_ptr<UsbBridge> bridge = MakeLibusbBridge();
    int count = -1;
    const UsbStatus status = bridge->count(count);
    if (status == UsbStatus::Unavailable) {
        QVERIFY2(!QDir(QStringLiteral("/dev/bus/usb")).exists(), "libusb failed to start although usbfs exists");
        QCOMPARE(count, 0);
    } else {
        QCOMPARE(status, UsbStatus::Ok);
        QCOMPARE(count, attached);
    }
    QCOMPARE(bridge->open(count), UsbStatus::NoDevice);  // one past the last bridge
    QString identity;
    QCOMPARE(bridge->readIdentity(identity), UsbStatus::NoDevice);

    if (attached > 0) return;  // the dialog part needs a machine without bridges
    ScriptedOperator op;
    OpenDialog d(*bridge, op);
    QCOMPARE(d.list->count(), 0);
    QCOMPARE(Texts(op), QStringList{CSetUSBId::NotReady()});
}

QTEST_MAIN(UsbIdentityTest)
#include "UsbIdentityTest.moc"
