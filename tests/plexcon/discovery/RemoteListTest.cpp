// The Quickmesh panel's remote module list against the simulated module: search through the dialog, dynamic and
// static search, manual add, the row menu, and reads and resets of the selected row through the panel.
#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "controls/CDataEdit.h"
#include "discovery/CPageListDevRemoteCel.h"
#include "discovery/DiscoveryRig.h"
#include "pages/CPageDevBaseCel.h"
#include "support/TestMain.h"

using namespace testsupport;
using Icon = Operator::Icon;

namespace {

enum class Ending { Exit, CloseBox };

// "搜索设备"; in the dialog "搜索", and once the search has ended "退出" or the close box.
void SearchThrough(CPageListDevRemoteCel* list, Ending ending) {
    WhenModal([ending](QWidget* dialog) {
        QTimer::singleShot(60000, dialog, &QWidget::close);  // a failing test must not hang
        Button(dialog, QStringLiteral("搜索"))->click();
        auto* poll = new QTimer(dialog);
        poll->setInterval(20);
        QObject::connect(poll, &QTimer::timeout, dialog, [dialog, poll, ending] {
            if (!DialogIdle(dialog)) return;
            poll->stop();
            if (ending == Ending::Exit) Button(dialog, QStringLiteral("退出"))->click();
            else dialog->close();
        });
        poll->start();
    });
    Button(list, QStringLiteral("搜索设备"))->click();
}

// Manual add of one module: channel and address as the operator picks and types them.
void AddByHand(CPageListDevRemoteCel* list, int channel, const QString& hexDigits) {
    auto* channels = Field<QComboBox>(list, QStringLiteral("通道号"));
    channels->setCurrentIndex(channels->findText(QStringLiteral("Channel %1 (%2MHz)").arg(channel).arg(2405 + 5 * (channel - 11))));
    auto* address = Field<CDataEdit>(list, QStringLiteral("本地网络地址"));
    address->setFocus();
    address->end(false);
    while (address->text().size() > 2) QTest::keyClick(address, Qt::Key_Backspace);
    QTest::keyClicks(address, hexDigits);
    Button(list, QStringLiteral("添加"))->click();
}

// The library's entries as the rows show them.
QStringList LibraryRows() {
    QStringList rows;
    for (const CelSearchEntry& e : WithLibrary([] { return CelSearchRows::ReadLibrary(); }))
        rows << CelSearchRows::Columns(e).join(u'|');
    return rows;
}

// Right click on a row and "删除此项" in its menu; the menu's entries in *entries.
void DeleteThroughRowMenu(QTreeWidget* rows, int row, QStringList* entries) {
    QTimer::singleShot(20, [entries] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        for (QAction* a : menu->actions()) *entries << a->text();
        for (QAction* a : menu->actions())
            if (a->text() == QStringLiteral("删除此项")) a->trigger();
        menu->close();
    });
    const QPoint at = rows->visualItemRect(rows->topLevelItem(row)).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, rows->viewport()->mapToGlobal(at));
    QApplication::sendEvent(rows->viewport(), &click);
}

const QString k12 = QStringLiteral("12|250k|1a2b|0101|正常模式");
const QString k15 = QStringLiteral("15|250k|1a2b|0102|正常模式");
const QString k18 = QStringLiteral("18|250k|1a2b|0103|正常模式");
const QString kHand = QStringLiteral("20|250k|1a2b|0abc|正常模式");

}  // namespace

class RemoteListTest : public QObject {
    Q_OBJECT

    struct Rig : CelPanelRig {
        Rig() {
            ClearLibraryList();
            panel = make<CPanViewCel_Change>();
            list = panel->remoteCelList();
            panel->deviceTabs()->setCurrentIndex(FamilyPanel::RemoteTab);
            PutRemotesOnRate0(*this);
        }
        CPanViewCel_Change* panel = nullptr;
        CPageListDevRemoteCel* list = nullptr;
    };

private slots:
    void searchRebuildsTheRowsFromTheLibrary() {
        Rig rig;
        QVERIFY(rig.openPort());
        StoreSearchSettings(rig, ChannelText({12, 15, 18}), "1");
        SearchThrough(rig.list, Ending::Exit);
        QCOMPARE(SearchedPairs(rig), (std::vector<std::pair<int, int>>{{12, 0}, {15, 0}, {18, 0}}));
        QCOMPARE(RowTexts(rig.list->rows()), (QStringList{k12, k15, k18}));
        QCOMPARE(rig.list->selectedRow(), -1);
        QStringList headers;
        for (int c = 0; c < rig.list->rows()->columnCount(); ++c) headers << rig.list->rows()->headerItem()->text(c);
        QCOMPARE(headers, (QStringList{"通道号", "速 率", "网络号", "本地网络地址", "状 态"}));
        QCOMPARE(rig.list->rows()->topLevelItem(2)->data(3, Qt::AccessibleTextRole).toString(), QStringLiteral("0103"));
    }

    // Rows before the search: one hand-added module; the search finds the module on channel 12.
    void searchModesAndEndings_data() {
        QTest::addColumn<bool>("staticSearch");
        QTest::addColumn<int>("ending");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("static, 退出: earlier rows stay") << true << int(Ending::Exit) << QStringList{kHand, k12};
        QTest::newRow("dynamic, 退出: a fresh list") << false << int(Ending::Exit) << QStringList{k12};
        QTest::newRow("static, close box: rows as they were") << true << int(Ending::CloseBox) << QStringList{kHand};
        // The dynamic search emptied the library's list, so the old rows would stand for other modules.
        QTest::newRow("dynamic, close box: rows follow the emptied list")
            << false << int(Ending::CloseBox) << QStringList{k12};
    }
    void searchModesAndEndings() {
        QFETCH(bool, staticSearch);
        QFETCH(int, ending);
        QFETCH(QStringList, rows);
        Rig rig;
        QVERIFY(rig.openPort());
        AddByHand(rig.list, 20, QStringLiteral("abc"));
        QCOMPARE(RowTexts(rig.list->rows()), QStringList{kHand});
        StoreSearchSettings(rig, ChannelText({12}), "1");
        Button(rig.list, staticSearch ? QStringLiteral("静态搜索") : QStringLiteral("动态搜索"))->click();
        SearchThrough(rig.list, static_cast<Ending>(ending));
        QCOMPARE(RowTexts(rig.list->rows()), rows);
        // Every row is the library entry at its position.
        QCOMPARE(LibraryRows().mid(0, rows.size()), rows);
    }

    void manualAddAndItsDuplicate() {
        Rig rig;
        QVERIFY(rig.openPort());
        QCOMPARE(Field<QComboBox>(rig.list, QStringLiteral("通道号"))->currentText(),
                 QStringLiteral("Channel 11 (2405MHz)"));
        AddByHand(rig.list, 20, QStringLiteral("abc"));
        QCOMPARE(RowTexts(rig.list->rows()), QStringList{kHand});
        QCOMPARE(LibraryRows(), QStringList{kHand});
        QVERIFY(rig.op.shown.empty());
        // The PAN ID comes from the local module's record, read for the add.
        QVERIFY(!rig.module->frameBytes().empty());
        QCOMPARE(rig.module->frameBytes().front()[3], uint8_t{0xD1});

        AddByHand(rig.list, 20, QStringLiteral("abc"));
        QCOMPARE(rig.op.lastText(), QStringLiteral("手动添加数据已存在，请重新添加"));
        QCOMPARE(rig.op.lastIcon(), Icon::Plain);
        QCOMPARE(RowTexts(rig.list->rows()), QStringList{kHand});
        QCOMPARE(LibraryCount(), 1);
    }

    void deletingAMiddleRowThenReadingTheRowAfterIt() {
        Rig rig;
        QVERIFY(rig.openPort());
        AddByHand(rig.list, 12, QStringLiteral("101"));
        AddByHand(rig.list, 15, QStringLiteral("102"));
        AddByHand(rig.list, 18, QStringLiteral("103"));
        QStringList entries;
        DeleteThroughRowMenu(rig.list->rows(), 1, &entries);
        QCOMPARE(entries, QStringList{QStringLiteral("删除此项")});
        QCOMPARE(RowTexts(rig.list->rows()), (QStringList{k12, k18}));
        QCOMPARE(LibraryRows(), (QStringList{k12, k18}));

        rig.list->rows()->topLevelItem(1)->setSelected(true);
        QCOMPARE(rig.panel->selectedRemote(), 1);
        rig.module->clearLog();
        Button(rig.panel->basePage(), QStringLiteral("获取信息"))->click();
        QCOMPARE(rig.op.lastText(), QStringLiteral("获取设备信息成功..."));
        QCOMPARE(FramesTo(rig, 0xD5, 0x0103), 1);  // READ_CONFIG to the module of the row after the deleted one
        QCOMPARE(FramesTo(rig, 0xD5, 0x0102), 0);
        QCOMPARE(Field<QLineEdit>(rig.panel->basePage(), QStringLiteral("本地网络地址"))->text(),
                 QStringLiteral("0x0103"));
    }

    void resetFromTheRemoteTab_data() {
        QTest::addColumn<bool>("select");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("restarts");
        QTest::newRow("row selected") << true << "复位命令发送成功" << int(Icon::Information) << 1;
        QTest::newRow("nothing selected") << false << CPanViewCel::NoSelectionMessage() << int(Icon::Critical) << 0;
    }
    void resetFromTheRemoteTab() {
        QFETCH(bool, select);
        QFETCH(QString, message);
        QFETCH(int, icon);
        QFETCH(int, restarts);
        Rig rig;
        QVERIFY(rig.openPort());
        AddByHand(rig.list, 12, QStringLiteral("101"));
        if (select) rig.list->rows()->topLevelItem(0)->setSelected(true);
        rig.module->clearLog();
        Button(rig.list, QStringLiteral("复位设备"))->click();
        QVERIFY(rig.op.lastText() != message);  // the panel's command runs after the click handler
        CelPanelRig::settle();
        QCOMPARE(rig.op.lastText(), message);
        QCOMPARE(int(rig.op.lastIcon()), icon);
        QCOMPARE(FramesTo(rig, 0xD9, 0x0101), restarts);
        QCOMPARE(rig.withModel([](sim::CelModel& m) { return m.remote(0).restarts; }), restarts);
    }

    void portClosedMessages_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("搜索设备") << "搜索设备" << "操作失败,串口未打开...";
        QTest::newRow("复位设备") << "复位设备" << "操作失败，串口未打开...";
        QTest::newRow("添加") << "添加" << "操作失败，串口未打开...";
    }
    void portClosedMessages() {
        QFETCH(QString, button);
        QFETCH(QString, message);
        Rig rig;
        Button(rig.list, button)->click();
        CelPanelRig::settle();
        QCOMPARE(rig.op.lastText(), message);
        QCOMPARE(rig.op.lastIcon(), Icon::Critical);
        QCOMPARE(rig.op.shown.size(), size_t{1});
        QVERIFY(rig.module->frameBytes().empty());
        QCOMPARE(rig.list->rows()->topLevelItemCount(), 0);
    }
};

REGISTER_TEST_CLASS(RemoteListTest);
#include "RemoteListTest.moc"
