// The main window: start-up state, navigation, panels that keep their state and their place.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "support/TestMain.h"
#include "shell/CPanViewCel.h"
#include "shell/CPanViewPcCom.h"
#include "shell/CPlexconCELDlg.h"
#include "support/ScriptedOperator.h"
#include "support/WidgetLookup.h"

using testsupport::Button;
using testsupport::Field;

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;  // a settings folder of each test's own
    ScriptedOperator op_;
    std::unique_ptr<CPlexconCELDlg> window_;

    void verifyOnlyShown(int index) {
        QCOMPARE(window_->currentPanel(), index);
        for (int i = 0; i < CPlexconCELDlg::kPanelCount; ++i) {
            QCOMPARE(window_->panel(i)->isVisible(), i == index);
            QCOMPARE(window_->navigationButton(i)->isChecked(), i == index);
        }
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        ShellContext c;
        c.op = &op_;
        c.settingsPath = dir_->filePath(QStringLiteral("Plexcon.ini"));
        c.sysTtyRoot = dir_->filePath(QStringLiteral("sys"));
        c.extraPorts = {QStringLiteral("pts/97"), QStringLiteral("pts/98")};
        window_ = std::make_unique<CPlexconCELDlg>(c);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() { window_.reset(); }

    void startsOnTheSerialPortPanel() {
        QCOMPARE(window_->windowTitle(), QStringLiteral("ZigBee"));
        const QStringList captions{"串口", "SNAP", "VNET", "应用案例", "帮助", "ORLNET", "Quickmesh", "LowPower"};
        for (int i = 0; i < CPlexconCELDlg::kPanelCount; ++i) {
            QCOMPARE(window_->navigationButton(i)->text(), captions[i]);
            const bool hidden = i == CPlexconCELDlg::Snap || i == CPlexconCELDlg::Orlnet || i == CPlexconCELDlg::Sample;
            QCOMPARE(window_->navigationButton(i)->isVisible(), !hidden);
        }
        QVERIFY(qobject_cast<CPanViewPcCom*>(window_->panel(CPlexconCELDlg::SerialPort)));
        verifyOnlyShown(CPlexconCELDlg::SerialPort);
        // Left to right: 串口, Quickmesh, LowPower, VNET, 帮助.
        int x = -1;
        for (int i : {CPlexconCELDlg::SerialPort, CPlexconCELDlg::Quickmesh, CPlexconCELDlg::LowPower,
                      CPlexconCELDlg::Vnet, CPlexconCELDlg::Help}) {
            int bx = window_->navigationButton(i)->mapTo(window_.get(), QPoint(0, 0)).x();
            QVERIFY2(bx > x, qPrintable(window_->navigationButton(i)->text()));
            x = bx;
        }
    }

    void navigationShowsOnePanelAndMarksItsButton() {
        for (int i : {CPlexconCELDlg::Quickmesh, CPlexconCELDlg::LowPower, CPlexconCELDlg::Vnet, CPlexconCELDlg::Help,
                      CPlexconCELDlg::SerialPort}) {
            QTest::mouseClick(window_->navigationButton(i), Qt::LeftButton);
            verifyOnlyShown(i);
        }
        // The button of the panel already shown leaves it shown and marked.
        QTest::mouseClick(window_->navigationButton(CPlexconCELDlg::SerialPort), Qt::LeftButton);
        verifyOnlyShown(CPlexconCELDlg::SerialPort);
        // Assistive technology toggles a button rather than clicking it.
        window_->navigationButton(CPlexconCELDlg::Help)->toggle();
        verifyOnlyShown(CPlexconCELDlg::Help);
        window_->navigationButton(CPlexconCELDlg::Help)->toggle();
        verifyOnlyShown(CPlexconCELDlg::Help);
    }

    void panelsKeepTheirStateWhileHidden() {
        QWidget* serial = window_->panel(CPlexconCELDlg::SerialPort);
        auto* baud = Field<QComboBox>(serial, QStringLiteral("波特率"));
        auto* ports = testsupport::Named<QComboBox>(serial, QStringLiteral("本地串口"));
        baud->setCurrentIndex(5);
        ports->setCurrentIndex(1);
        QTest::mouseClick(window_->navigationButton(CPlexconCELDlg::Help), Qt::LeftButton);
        QTest::mouseClick(window_->navigationButton(CPlexconCELDlg::SerialPort), Qt::LeftButton);
        QTest::mouseClick(window_->navigationButton(CPlexconCELDlg::SerialPort), Qt::LeftButton);
        QCOMPARE(baud->currentText(), QStringLiteral("38400"));
        QCOMPARE(ports->currentText(), QStringLiteral("pts/98"));
    }

    void everyPanelFillsTheContentAreaAfterAResize() {
        window_->resize(1200, 820);
        QTest::qWait(20);
        const QRect area = window_->contentRect();
        QVERIFY(area.top() > 0);
        QCOMPARE(area.bottomRight(), window_->rect().bottomRight());
        for (int i = 0; i < CPlexconCELDlg::kPanelCount; ++i)  // shown or not, visited or not
            QCOMPARE(window_->panel(i)->geometry().size(), area.size());
        QTest::mouseClick(window_->navigationButton(CPlexconCELDlg::LowPower), Qt::LeftButton);
        QCOMPARE(QRect(window_->panel(CPlexconCELDlg::LowPower)->mapTo(window_.get(), QPoint(0, 0)),
                       window_->panel(CPlexconCELDlg::LowPower)->size()),
                 area);
    }

    void familyPanelsAreTheirKind() {
        auto kind = [&](int i) { return qobject_cast<CPanViewCel*>(window_->panel(i)); };
        QVERIFY(kind(CPlexconCELDlg::Vnet) && !kind(CPlexconCELDlg::Vnet)->lowPowerKind());
        QVERIFY(qobject_cast<CPanViewCel_Change*>(window_->panel(CPlexconCELDlg::Quickmesh)));
        QVERIFY(kind(CPlexconCELDlg::Quickmesh)->lowPowerKind());
        QVERIFY(qobject_cast<CPanViewCelLowPower*>(window_->panel(CPlexconCELDlg::LowPower)));
        QVERIFY(kind(CPlexconCELDlg::LowPower)->lowPowerKind());
    }

    void helpPanelShowsVersionAndContacts() {
        QWidget* help = window_->panel(CPlexconCELDlg::Help);
        bool version = false;
        for (auto* l : help->findChildren<QLabel*>()) version |= l->text() == QStringLiteral("Plexcon V1.20.2 LowPower");
        QVERIFY(version);
        for (const char* c : {"销售电话", "技术支持电话", "技术支持邮箱", "主页"})
            QVERIFY2(Field<QLabel>(help, QString::fromUtf8(c)), c);
    }

    void enterDoesNothingEscapeCloses() {
        QTest::keyClick(window_.get(), Qt::Key_Return);
        QVERIFY(window_->isVisible());
        QTest::keyClick(window_.get(), Qt::Key_Escape);
        QVERIFY(!window_->isVisible());
    }
};

REGISTER_TEST_CLASS(MainWindowTest);
#include "MainWindowTest.moc"
