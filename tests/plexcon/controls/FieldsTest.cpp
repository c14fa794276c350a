// The validated input fields driven keystroke by keystroke, as the operator types into them.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QInputMethodEvent>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

#include "controls/CDataEdit.h"
#include "controls/CDevNameEdit.h"
#include "controls/CEditMacAdd.h"
#include "controls/CNumEdit.h"
#include "controls/COutTimeEdit.h"
#include "controls/CTerminalEdit.h"
#include "shell/ModuleText.h"
#include "support/ScriptedOperator.h"

namespace {

const QString kEmptyAddress = QStringLiteral("  :  :  :  :  :  :  :  ");

// Keys in a compact notation: '<' Left, '>' Right, '\b' Backspace, '~' Delete, '^' Home; anything else is typed.
void Press(QWidget* w, const QString& keys) {
    for (QChar c : keys) {
        switch (c.unicode()) {
        case u'<': QTest::keyClick(w, Qt::Key_Left); break;
        case u'>': QTest::keyClick(w, Qt::Key_Right); break;
        case u'\b': QTest::keyClick(w, Qt::Key_Backspace); break;
        case u'~': QTest::keyClick(w, Qt::Key_Delete); break;
        case u'^': QTest::keyClick(w, Qt::Key_Home); break;
        default:
            if (c.unicode() < 0x80) {
                QTest::keyClick(w, c.toLatin1());
            } else {  // a character no key of the keyboard carries directly
                QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                QApplication::sendEvent(w, &press);
            }
        }
    }
}

void Select(QLineEdit* field, int cursor, int selStart, int selLength) {
    if (selLength > 0)
        field->setSelection(selStart, selLength);
    else
        field->setCursorPosition(cursor < 0 ? static_cast<int>(field->text().size()) : cursor);
}

QStringList Texts(const ScriptedOperator& op) {
    QStringList texts;
    for (const auto& s : op.shown) texts << s.text;
    return texts;
}

// Where the caret at `position` is drawn, for clicks (moves the caret: take points before selecting).
QPoint PointOf(QLineEdit* field, int position) {
    const int saved = field->cursorPosition();
    field->setCursorPosition(position);
    QPoint p = field->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    field->setCursorPosition(saved);
    return p;
}

}  // namespace

class FieldsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void numericFieldsJudgeTheResultingText_data();
    void numericFieldsJudgeTheResultingText();
    void changesOtherThanKeysAreJudgedToo_data();
    void changesOtherThanKeysAreJudgedToo();
    void altCombinationsStayInTheField_data();
    void altCombinationsStayInTheField();
    void fullFieldsLeaveEnterAndEscapeToTheDialog_data();
    void fullFieldsLeaveEnterAndEscapeToTheDialog();
    void nameFieldCountsModuleBytes_data();
    void nameFieldCountsModuleBytes();
    void nameFieldTakesInputMethodTextWithinTheLimit();
    void hexWordKeepsItsPrefix_data();
    void hexWordKeepsItsPrefix();
    void hexWordTypingAndLeaving();
    void addressTyping_data();
    void addressTyping();
    void addressCompletedOnLeaving();
    void addressMouseStaysInOneGroup();
    void readOnlyAddressTakesNoDigits();

private:
    std::unique_ptr<QLineEdit> make(const QString& kind);
    void leave(QLineEdit* field);

    ScriptedOperator op_;
    std::unique_ptr<QWidget> window_;
    QLineEdit* other_ = nullptr;  // where the focus goes when a field is left
};

void FieldsTest::init() {
    op_ = ScriptedOperator();
    window_ = std::make_unique<QWidget>();
    new QVBoxLayout(window_.get());
    other_ = new QLineEdit(window_.get());
    window_->layout()->addWidget(other_);
    window_->show();
    QApplication::setActiveWindow(window_.get());
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void FieldsTest::cleanup() { window_.reset(); }

std::unique_ptr<QLineEdit> FieldsTest::make(const QString& kind) {
    std::unique_ptr<QLineEdit> f;
    if (kind == u"num") f = std::make_unique<CNumEdit>(op_);
    if (kind == u"time") f = std::make_unique<COutTimeEdit>(op_);
    if (kind == u"term") f = std::make_unique<CTerminalEdit>(op_);
    if (kind == u"name") f = std::make_unique<CDevNameEdit>();
    if (kind == u"data") f = std::make_unique<CDataEdit>();
    if (kind == u"mac") f = std::make_unique<CEditMacAdd>();
    if (!f) qFatal("unknown field kind");
    f->setParent(window_.get());
    window_->layout()->addWidget(f.get());
    f->show();
    f->setFocus();
    return f;
}

void FieldsTest::leave(QLineEdit* field) {
    QVERIFY(field->hasFocus());
    other_->setFocus();
    QVERIFY(!field->hasFocus());
}

void FieldsTest::numericFieldsJudgeTheResultingText_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("cursor");  // -1: at the end
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("message");
    const QString r255 = QStringLiteral("您的输入有误，输入范围0-255");
    const QString r5000 = QStringLiteral("您的输入有误，输入范围0-5000");
    const QString r65535 = QStringLiteral("您的输入不正确，请输入0-65535以内的值");
    // clang-format off
    QTest::newRow("255: 25 then 6")          << "num" << "25" << -1 << 0 << 0 << "6" << "255" << r255;
    QTest::newRow("255: 25 then 5")          << "num" << "25" << -1 << 0 << 0 << "5" << "255" << "";
    QTest::newRow("255: selection replaced") << "num" << "255" << 0 << 0 << 3 << "9" << "9" << "";
    QTest::newRow("255: digit at the front") << "num" << "15" << 0 << 0 << 0 << "3" << "255" << r255;
    QTest::newRow("255: goes in at caret")   << "num" << "5" << 0 << 0 << 0 << "2" << "25" << "";
    QTest::newRow("255: part selection")     << "num" << "199" << 0 << 0 << 1 << "3" << "255" << r255;
    QTest::newRow("255: full length")        << "num" << "255" << -1 << 0 << 0 << "1" << "255" << "";
    QTest::newRow("255: full length home")   << "num" << "255" << -1 << 0 << 0 << "^\b" << "25" << "";
    QTest::newRow("255: backspace at full")  << "num" << "255" << -1 << 0 << 0 << "\b" << "25" << "";
    QTest::newRow("255: only digits")        << "num" << "" << -1 << 0 << 0 << "a1-b.2 " << "12" << "";
    QTest::newRow("255: typed over")         << "num" << "" << -1 << 0 << 0 << "2561" << "255" << r255;
    QTest::newRow("5000: 500 then 1")        << "time" << "500" << -1 << 0 << 0 << "1" << "5000" << r5000;
    QTest::newRow("5000: 500 then 0")        << "time" << "500" << -1 << 0 << 0 << "0" << "5000" << "";
    QTest::newRow("5000: full length")       << "time" << "5000" << -1 << 0 << 0 << "7" << "5000" << "";
    QTest::newRow("5000: digit at the front") << "time" << "100" << 0 << 0 << 0 << "6" << "5000" << r5000;
    QTest::newRow("65535: 6553 then 6")      << "term" << "6553" << -1 << 0 << 0 << "6" << "6553" << r65535;
    QTest::newRow("65535: 6553 then 5")      << "term" << "6553" << -1 << 0 << 0 << "5" << "65535" << "";
    QTest::newRow("65535: selection")        << "term" << "65535" << 0 << 0 << 5 << "1" << "1" << "";
    QTest::newRow("65535: digit at front")   << "term" << "1000" << 0 << 0 << 0 << "7" << "1000" << r65535;
    QTest::newRow("65535: only digits")      << "term" << "" << -1 << 0 << 0 << "x1y2-" << "12" << "";
    QTest::newRow("65535: caret keys work")  << "term" << "65535" << -1 << 0 << 0 << "^\b~" << "5535" << "";
    // clang-format on
}

void FieldsTest::numericFieldsJudgeTheResultingText() {
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(int, cursor);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    QFETCH(QString, message);
    auto field = make(kind);
    field->setText(text);
    Select(field.get(), cursor, selStart, selLength);
    Press(field.get(), keys);
    QCOMPARE(field->text(), expected);
    QCOMPARE(Texts(op_), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty()) QCOMPARE(op_.lastIcon(), Operator::Icon::Plain);
}

void FieldsTest::changesOtherThanKeysAreJudgedToo_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<QString>("inserted");  // as pasted or dropped
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("255 refuses 300")        << "num"  << "" << false << "300" << "";
    QTest::newRow("255 takes 200")          << "num"  << "" << false << "200" << "200";
    QTest::newRow("255 refuses a letter")   << "num"  << "1" << false << "1a" << "1";
    QTest::newRow("5000 refuses 5 digits")  << "time" << "" << false << "00001" << "";
    QTest::newRow("65535 refuses 70000")    << "term" << "" << false << "70000" << "";
    QTest::newRow("65535 takes 65535")      << "term" << "" << false << "65535" << "65535";
    QTest::newRow("name refuses 17 bytes")  << "name" << "abcdefghijklmno" << false << "中" << "abcdefghijklmno";
    QTest::newRow("name takes 16 bytes")    << "name" << "abcdefghijklmn" << false << "中" << "abcdefghijklmn中";
    QTest::newRow("word keeps its prefix")  << "data" << "0x12" << true << "34" << "0x12";
    QTest::newRow("word refuses a 5th")     << "data" << "0x1234" << false << "5" << "0x1234";
    QTest::newRow("word refuses non-hex")   << "data" << "0x12" << false << "g" << "0x12";
    QTest::newRow("address keeps its form") << "mac"  << kEmptyAddress << false << "1" << kEmptyAddress;
    // clang-format on
}

void FieldsTest::changesOtherThanKeysAreJudgedToo() {
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(bool, selectAll);
    QFETCH(QString, inserted);
    QFETCH(QString, expected);
    auto field = make(kind);
    field->setText(text);
    if (selectAll) field->selectAll();
    field->insert(inserted);  // the route of paste and drop: validated as a whole
    QCOMPARE(field->text(), expected);
}

void FieldsTest::altCombinationsStayInTheField_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("triggered");
    QTest::newRow("CNumEdit") << "num" << 0;
    QTest::newRow("COutTimeEdit") << "time" << 0;
    QTest::newRow("CDevNameEdit") << "name" << 0;
    QTest::newRow("CDataEdit") << "data" << 0;
    QTest::newRow("CEditMacAdd") << "mac" << 0;
    QTest::newRow("CTerminalEdit lets them through") << "term" << 1;
}

void FieldsTest::altCombinationsStayInTheField() {
    QFETCH(QString, kind);
    QFETCH(int, triggered);
    auto* accelerator = new QAction(window_.get());
    accelerator->setShortcut(QKeySequence(Qt::ALT | Qt::Key_S));
    window_->addAction(accelerator);
    int fired = 0;
    connect(accelerator, &QAction::triggered, [&fired] { ++fired; });
    auto field = make(kind);
    const QString before = field->text();
    QTest::keyClick(field.get(), Qt::Key_S, Qt::AltModifier);
    QTest::keyClick(field.get(), Qt::Key_1, Qt::AltModifier);
    QCOMPARE(fired, triggered);
    QCOMPARE(field->text(), before);
}

void FieldsTest::fullFieldsLeaveEnterAndEscapeToTheDialog_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::newRow("name at 16 bytes") << "name" << "abcdefghijklmnop";
    QTest::newRow("255 at 3 digits") << "num" << "255";
    QTest::newRow("full hex word") << "data" << "0x12ab";
    QTest::newRow("address") << "mac" << "12:34:56:78:9a:bc:de:f0";
}

void FieldsTest::fullFieldsLeaveEnterAndEscapeToTheDialog() {
    QFETCH(QString, kind);
    QFETCH(QString, text);
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        QDialog dialog;
        auto* layout = new QVBoxLayout(&dialog);
        auto field = make(kind);
        field->setParent(&dialog);
        layout->addWidget(field.get());
        auto* ok = new QPushButton(QStringLiteral("确定"), &dialog);
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        layout->addWidget(ok);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        field->setText(text);
        field->setFocus();
        QTest::keyClick(field.get(), key);
        QCOMPARE(dialog.result(), key == Qt::Key_Return ? QDialog::Accepted : QDialog::Rejected);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(field->text(), text);
        field.release();  // the dialog owns the field now and deletes it
    }
}

void FieldsTest::nameFieldCountsModuleBytes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selLength");  // selection from the start; 0: caret at the end
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    const QString sixteen = QStringLiteral("abcdefghijklmnop");
    const QString eightChinese = QStringLiteral("一二三四五六七八");
    // clang-format off
    QTest::newRow("16 characters: no more")       << sixteen << 0 << "q" << sixteen;
    QTest::newRow("16 characters: caret stays")   << sixteen << 0 << "^x" << sixteen;
    QTest::newRow("16 characters: backspace")     << sixteen << 0 << "\b\bx" << "abcdefghijklmnx";
    QTest::newRow("16 characters: selection")     << sixteen << 2 << "Z" << "Zcdefghijklmnop";
    QTest::newRow("8 Chinese fill it")            << "" << 0 << "一二三四五六七八九" << eightChinese;
    QTest::newRow("8 Chinese: no letter")         << eightChinese << 0 << "a" << eightChinese;
    QTest::newRow("no half character at 15")      << "abcdefghijklmno" << 0 << "中p" << "abcdefghijklmnop";
    QTest::newRow("Chinese over two letters")     << sixteen << 2 << "中" << "中cdefghijklmnop";
    QTest::newRow("Chinese over one letter")      << sixteen << 1 << "中" << sixteen;
    // clang-format on
}

void FieldsTest::nameFieldCountsModuleBytes() {
    QFETCH(QString, text);
    QFETCH(int, selLength);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    auto field = make(QStringLiteral("name"));
    field->setText(text);
    Select(field.get(), -1, 0, selLength);
    Press(field.get(), keys);
    QCOMPARE(field->text(), expected);
    QVERIFY(ModuleTextBytes(field->text()) <= CDevNameEdit::kMaxBytes);
}

void FieldsTest::nameFieldTakesInputMethodTextWithinTheLimit() {
    auto field = make(QStringLiteral("name"));
    field->setText(QStringLiteral("一二三四五六"));  // 12 bytes
    auto commit = [&](const QString& s) {
        QInputMethodEvent e;
        e.setCommitString(s);
        QApplication::sendEvent(field.get(), &e);
    };
    commit(QStringLiteral("七八九"));  // 18 bytes: refused whole
    QCOMPARE(field->text(), QStringLiteral("一二三四五六"));
    commit(QStringLiteral("七八"));
    QCOMPARE(field->text(), QStringLiteral("一二三四五六七八"));
}

void FieldsTest::hexWordKeepsItsPrefix_data() {
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("expectedCursor");
    // Every row starts from "0x12ab".
    // clang-format off
    QTest::newRow("backspace after prefix")  << 2 << 0 << 0 << "\b" << "0x12ab" << 2;
    QTest::newRow("left after prefix")       << 2 << 0 << 0 << "<" << "0x12ab" << 2;
    QTest::newRow("delete inside prefix")    << 1 << 0 << 0 << "~" << "0x12ab" << 2;
    QTest::newRow("backspace on a digit")    << 4 << 0 << 0 << "\b" << "0x1ab" << 3;
    QTest::newRow("selection across prefix") << 0 << 0 << 4 << "\b" << "0xab" << 2;
    QTest::newRow("selection in prefix")     << 0 << 0 << 2 << "\b" << "0x12ab" << 2;
    QTest::newRow("typing over everything")  << 0 << 0 << 6 << "7" << "0x7" << 3;
    QTest::newRow("full: no more digits")    << 6 << 0 << 0 << "3" << "0x12ab" << 6;
    QTest::newRow("other keys swallowed")    << 3 << 0 << 0 << "g >^" << "0x12ab" << 3;
    QTest::newRow("selection, then digit")   << 0 << 4 << 2 << "F" << "0x12F" << 5;
    // clang-format on
}

void FieldsTest::hexWordKeepsItsPrefix() {
    QFETCH(int, cursor);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    QFETCH(int, expectedCursor);
    auto field = make(QStringLiteral("data"));
    field->setText(QStringLiteral("0x12ab"));
    Select(field.get(), cursor, selStart, selLength);
    Press(field.get(), keys);
    QCOMPARE(field->text(), expected);
    QCOMPARE(field->cursorPosition(), expectedCursor);
}

void FieldsTest::hexWordTypingAndLeaving() {
    auto owned = make(QStringLiteral("data"));
    auto* field = static_cast<CDataEdit*>(owned.get());
    QCOMPARE(field->text(), QStringLiteral("0x"));
    Press(field, QStringLiteral("12aB3"));
    QCOMPARE(field->text(), QStringLiteral("0x12aB"));
    QCOMPARE(field->value(), 0x12AB);

    // A click before the prefix puts the caret after it.
    QTest::mouseClick(field, Qt::LeftButton, {}, PointOf(field, 0));
    QCOMPARE(field->cursorPosition(), 2);

    Press(field, QStringLiteral(">>>>\b\b\b\b"));  // Right is swallowed, so Backspace meets the prefix
    QCOMPARE(field->text(), QStringLiteral("0x12aB"));
    field->setCursorPosition(6);
    Press(field, QStringLiteral("\b\b\b\b\b"));
    QCOMPARE(field->text(), QStringLiteral("0x"));
    leave(field);
    QCOMPARE(field->text(), QStringLiteral("0x0000"));

    field->setFocus();
    field->setText(QStringLiteral("0x1"));
    leave(field);
    QCOMPARE(field->text(), QStringLiteral("0x1"));
    field->setValue(0x0a05);
    QCOMPARE(field->text(), QStringLiteral("0x0a05"));
}

void FieldsTest::addressTyping_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("expectedCursor");
    QTest::addColumn<QString>("expectedSelection");
    const QString e = kEmptyAddress;
    const QString full = QStringLiteral("12:34:56:78:9a:bc:de:f0");
    // clang-format off
    QTest::newRow("first digit")             << e << 0 << "1"  << "1 :  :  :  :  :  :  :  " << 1 << "";
    QTest::newRow("full group moves on")     << e << 0 << "12" << "12:  :  :  :  :  :  :  " << 3 << "";
    QTest::newRow("all eight groups")        << e << 0 << "123456789abcdeF0" << "12:34:56:78:9a:bc:de:F0" << 23 << "";
    QTest::newRow("moves on selecting")      << "  :34:56:78:9a:bc:de:f0" << 0 << "ab" << "ab:34:56:78:9a:bc:de:f0" << 5 << "34";
    QTest::newRow("full group takes none")   << full << 2 << "5" << full << 2 << "";
    QTest::newRow("back to previous group")  << e << 0 << "12\b" << "12:  :  :  :  :  :  :  " << 2 << "";
    QTest::newRow("backspace within group")  << e << 0 << "12\b\b" << "1 :  :  :  :  :  :  :  " << 1 << "";
    QTest::newRow("remaining digit moves")   << full << 1 << "\b" << "2 :34:56:78:9a:bc:de:f0" << 0 << "";
    QTest::newRow("nothing before group 0")  << full << 0 << "\b" << full << 0 << "";
    QTest::newRow("left selects group")      << full << 7 << "<" << full << 5 << "34";
    QTest::newRow("first group is a limit")  << full << 4 << "<<<" << full << 2 << "12";
    QTest::newRow("last group is a limit")   << full << 19 << ">>>" << full << 23 << "f0";
    QTest::newRow("right to an empty group") << e << 0 << "1>" << "1 :  :  :  :  :  :  :  " << 3 << "";
    QTest::newRow("typing over a selection") << full << 4 << "<5" << "5 :34:56:78:9a:bc:de:f0" << 1 << "";
    QTest::newRow("other keys swallowed")    << e << 0 << "1g -~^" << "1 :  :  :  :  :  :  :  " << 1 << "";
    // clang-format on
}

void FieldsTest::addressTyping() {
    QFETCH(QString, text);
    QFETCH(int, cursor);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    QFETCH(int, expectedCursor);
    QFETCH(QString, expectedSelection);
    auto field = make(QStringLiteral("mac"));
    QCOMPARE(field->text(), kEmptyAddress);
    field->setText(text);
    field->setCursorPosition(cursor);
    Press(field.get(), keys);
    QCOMPARE(field->text(), expected);
    QCOMPARE(field->cursorPosition(), expectedCursor);
    QCOMPARE(field->selectedText(), expectedSelection);
}

void FieldsTest::addressCompletedOnLeaving() {
    auto owned = make(QStringLiteral("mac"));
    auto* field = static_cast<CEditMacAdd*>(owned.get());
    leave(field);
    QCOMPARE(field->text(), QStringLiteral("00:00:00:00:00:00:00:00"));
    QCOMPARE(field->address(), CEditMacAdd::Address{});

    field->setText(kEmptyAddress);
    field->setFocus();
    field->setCursorPosition(0);
    Press(field, QStringLiteral("5>ab>c"));
    leave(field);
    QCOMPARE(field->text(), QStringLiteral("05:ab:00:0c:00:00:00:00"));
    QCOMPARE(field->address(), (CEditMacAdd::Address{0x05, 0xab, 0, 0x0c, 0, 0, 0, 0}));

    field->setAddress({0x00, 0x12, 0x4b, 0x00, 0x01, 0x02, 0xfe, 0xff});
    QCOMPARE(field->text(), QStringLiteral("00:12:4b:00:01:02:fe:ff"));
}

void FieldsTest::addressMouseStaysInOneGroup() {
    auto field = make(QStringLiteral("mac"));
    field->setText(QStringLiteral("12:34:5 :  :  :  :  :  "));
    // Double-click selects the digits of the clicked group.
    QTest::mouseDClick(field.get(), Qt::LeftButton, {}, PointOf(field.get(), 4));
    QCOMPARE(field->selectedText(), QStringLiteral("34"));
    // A click on the empty half of a group puts the caret after its digits.
    QTest::mouseClick(field.get(), Qt::LeftButton, {}, PointOf(field.get(), 8));
    QVERIFY(!field->hasSelectedText());
    QCOMPARE(field->cursorPosition(), 7);
    // A drag across groups selects within the group it started in.
    const QPoint from = PointOf(field.get(), 3);
    const QPoint to = PointOf(field.get(), 20);
    QTest::mousePress(field.get(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, field->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field.get(), &move);
    QTest::mouseRelease(field.get(), Qt::LeftButton, {}, to);
    QCOMPARE(field->selectedText(), QStringLiteral("34"));
}

void FieldsTest::readOnlyAddressTakesNoDigits() {
    auto field = make(QStringLiteral("mac"));
    field->setText(QStringLiteral("12:34:56:78:9a:bc:de:f0"));
    field->setReadOnly(true);
    field->setCursorPosition(0);
    Press(field.get(), QStringLiteral("99\b>"));
    QCOMPARE(field->text(), QStringLiteral("12:34:56:78:9a:bc:de:f0"));
    QCOMPARE(field->selectedText(), QStringLiteral("34"));  // moving between groups still works
}

QTEST_MAIN(FieldsTest)
#include "FieldsTest.moc"
