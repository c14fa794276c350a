// The password question and the production operator's dialogs, driven as an operator would.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include "support/TestMain.h"
#include "shell/CDlgInputPwd.h"
#include "shell/QtOperator.h"
#include "support/WidgetLookup.h"

using testsupport::Button;
using testsupport::Field;
using testsupport::WhenModal;

namespace {

void TypeText(QWidget* field, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
    }
}

}  // namespace

class PasswordDialogTest : public QObject {
    Q_OBJECT

private slots:
    void okGivesTheTypedText() {
        QtOperator op;
        QString seen;
        WhenModal([&](QWidget* dialog) {
            seen = dialog->windowTitle();
            auto* field = Field<QLineEdit>(dialog, QStringLiteral("密码"));
            QVERIFY(field);
            QCOMPARE(field->echoMode(), QLineEdit::Password);
            QVERIFY(field->text().isEmpty());
            QTest::keyClicks(field, QStringLiteral("Pass 16 chars!!!"));
            QTest::mouseClick(Button(dialog, QStringLiteral("OK")), Qt::LeftButton);
        });
        QString password = QStringLiteral("before");
        QVERIFY(op.askPassword(nullptr, password));
        QCOMPARE(seen, QStringLiteral("输入密码"));
        QCOMPARE(password, QStringLiteral("Pass 16 chars!!!"));
    }

    void cancelAndCloseBoxGiveNothing() {
        QtOperator op;
        for (bool closeBox : {false, true}) {
            WhenModal([closeBox](QWidget* dialog) {
                QTest::keyClicks(Field<QLineEdit>(dialog, QStringLiteral("密码")), QStringLiteral("typed"));
                if (closeBox)
                    dialog->close();
                else
                    QTest::mouseClick(Button(dialog, QStringLiteral("Cancel")), Qt::LeftButton);
            });
            QString password = QStringLiteral("unchanged");
            QVERIFY(!op.askPassword(nullptr, password));
            QCOMPARE(password, QStringLiteral("unchanged"));
        }
    }

    void fieldHoldsSixteenBytesOfModuleText() {
        CDlgInputPwd dialog;
        QLineEdit* field = dialog.field();
        QTest::keyClicks(field, QStringLiteral("0123456789abcdefXYZ"));
        QCOMPARE(field->text(), QStringLiteral("0123456789abcdef"));
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QStringLiteral("0123456789abcde"));

        field->clear();
        TypeText(field, QStringLiteral("配置密码一二三四五"));  // two GBK bytes each: eight fit
        QCOMPARE(field->text(), QStringLiteral("配置密码一二三四"));
        QCOMPARE(dialog.password(), field->text());
    }

    void messagesCarryTheirIcon_data() {
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("boxIcon");
        QTest::newRow("information") << int(Operator::Icon::Information) << int(QMessageBox::Information);
        QTest::newRow("warning") << int(Operator::Icon::Warning) << int(QMessageBox::Warning);
        QTest::newRow("error") << int(Operator::Icon::Critical) << int(QMessageBox::Critical);
        QTest::newRow("question") << int(Operator::Icon::Question) << int(QMessageBox::Question);
        QTest::newRow("plain") << int(Operator::Icon::Plain) << int(QMessageBox::NoIcon);
    }
    void messagesCarryTheirIcon() {
        QFETCH(int, icon);
        QtOperator op;
        QString text, description;
        int shownIcon = -1;
        WhenModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            text = box->text();
            description = box->accessibleDescription();
            shownIcon = box->icon();
            box->accept();
        });
        op.message(nullptr, QStringLiteral("打开串口失败"), static_cast<Operator::Icon>(icon));
        QCOMPARE(text, QStringLiteral("打开串口失败"));
        QCOMPARE(description, text);
        QTEST(shownIcon, "boxIcon");
    }

    void askAnswersYesOrNo() {
        QtOperator op;
        for (auto answer : {QMessageBox::Yes, QMessageBox::No}) {
            WhenModal([answer](QWidget* w) {
                QTest::mouseClick(qobject_cast<QMessageBox*>(w)->button(answer), Qt::LeftButton);
            });
            QCOMPARE(op.ask(nullptr, QStringLiteral("确定吗？"), Operator::Icon::Question), answer == QMessageBox::Yes);
        }
    }
};

REGISTER_TEST_CLASS(PasswordDialogTest);
#include "PasswordDialogTest.moc"
