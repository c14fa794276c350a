// The CEL basic page against the simulated module: read, modify, and the messages of each way it can end.
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "cel/CelModel.h"
#include "pages/CPageDevBaseCel.h"
#include "support/CelPanelRig.h"
#include "support/TestMain.h"
#include "support/WidgetLookup.h"

using testsupport::Button;
using testsupport::CelPanelRig;
using testsupport::Field;
using Icon = Operator::Icon;

class BasePageTest : public QObject {
    Q_OBJECT

private slots:
    void getFillsTheFieldsFromTheLocalModule() {
        CelPanelRig rig;
        auto* panel = rig.make<CPanViewCel_Change>();
        QVERIFY(rig.openPort());
        QTest::mouseClick(Button(panel->basePage(), QStringLiteral("获取信息")), Qt::LeftButton);
        QCOMPARE(rig.op.lastText(), QStringLiteral("获取设备信息成功..."));
        QCOMPARE(rig.op.lastIcon(), Icon::Information);
        QCOMPARE(Field<QLineEdit>(panel->basePage(), QStringLiteral("本地网络地址"))->text(), QStringLiteral("0x0010"));
        QCOMPARE(Field<QComboBox>(panel->basePage(), QStringLiteral("通道号"))->currentText(),
                 QStringLiteral("Channel 15 (2425MHz)"));
    }
};

REGISTER_TEST_CLASS(BasePageTest);
#include "BasePageTest.moc"
