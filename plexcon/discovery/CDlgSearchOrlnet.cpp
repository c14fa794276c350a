#include "discovery/CDlgSearchOrlnet.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

#include "discovery/OrlnetSearchRows.h"
#include "radlink.h"
#include "shell/LibraryLock.h"
#include "shell/Operator.h"
#include "shell/SettingsFile.h"

namespace {

const QString kSection = QStringLiteral("Search");
std::atomic<bool> g_searching{false};

// An ID never stored reads as the settings file's fallback text, shown in the operator's language.
QString Shown(const QString& stored) {
    return stored == SettingsFile::kNoValue ? CDlgSearchOrlnet::tr("无初始值") : stored;
}

bool ParseHex(const QString& text, int& value) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 16);
    if (ok) value = v;
    return ok;
}

}  // namespace

CDlgSearchOrlnet::CDlgSearchOrlnet(const ShellContext& context, QWidget* parent)
    : OrlnetSnapSearchDialog(context,
                             {16, 3,
                              {tr("通道速率全选"), true,
                               {tr("通道号"), tr("速率"), tr("网络号"), tr("本地ID"), tr("运行状态")},
                               {70, 70, 100, 100, 100}}},
                             g_searching, parent) {
    idBox_ = new QCheckBox(tr("指定搜索ID: 起始"));
    idBox_->setAccessibleName(tr("指定搜索ID"));
    startId_ = new QLineEdit;
    startId_->setAccessibleName(tr("起始ID"));
    endId_ = new QLineEdit;
    auto* endLabel = new QLabel(tr("结束ID"));
    endLabel->setBuddy(endId_);
    extraFields()->addWidget(idBox_, 0, 0);
    extraFields()->addWidget(startId_, 0, 1);
    extraFields()->addWidget(endLabel, 0, 2);
    extraFields()->addWidget(endId_, 0, 3);

    const SettingsFile settings(context.settingsPath);
    idBox_->setChecked(settings.ReadText(kSection, QStringLiteral("ckDetectID")).startsWith(u'1'));
    startId_->setText(Shown(settings.ReadText(kSection, QStringLiteral("startID"))));
    endId_->setText(Shown(settings.ReadText(kSection, QStringLiteral("endID"))));
    startId_->setEnabled(idBox_->isChecked());
    connect(idBox_, &QCheckBox::toggled, startId_, &QLineEdit::setEnabled);
}

CDlgSearchOrlnet::~CDlgSearchOrlnet() { stopWorker(); }

std::vector<int> CDlgSearchOrlnet::IdentifiersOf(int start, int end) {
    std::vector<int> ids;
    for (int id = start; id <= end; ++id) {
        if ((id & 0xF) > 9) id += 6;
        ids.push_back(id);
    }
    return ids;
}

bool CDlgSearchOrlnet::prepareSearch(const Selection& selection) {
    WithLibrary([] {
        QVZB_ORLNET_ClearSearchArr();
        return 0;
    });
    foundList()->clear();
    if (selection.channels.empty() || selection.rates.empty()) {
        context().op->message(this, tr("请至少选择一组搜索通道和速率组合"), Operator::Icon::Critical);
        return false;
    }
    identifiers_.clear();
    int start = 0, end = 0;
    // Fields that do not hold hexadecimal numbers give the plain search.
    byId_ = idBox_->isChecked() && ParseHex(startId_->text(), start) && ParseHex(endId_->text(), end);
    if (byId_) identifiers_ = IdentifiersOf(start, end);
    return true;
}

void CDlgSearchOrlnet::runSearch(const Selection& selection) {
    if (!WithLibrary([] { return QVZB_ORLNET_LoadInfo(); })) {
        sayLater(tr("获取本地信息失败，请确定你的ZigBee设备已经接到计算机上..."),
                 static_cast<int>(Operator::Icon::Critical));
        return;
    }
    for (int channel : selection.channels) {
        for (int rate : selection.rates) {
            if (stopRequested()) return;
            if (!byId_) {
                WithLibrary([channel, rate] { return QVZB_ORLNET_SearchDev(channel, rate); });
                continue;
            }
            for (int id : identifiers_) {
                if (stopRequested()) return;
                WithLibrary([channel, rate, id] { return QVZB_ORLNET_SearchDevWithID(channel, rate, id); });
            }
        }
    }
}

int CDlgSearchOrlnet::libraryCount() const {
    return WithLibrary([] { return QVZB_ORLNET_GetSearchDevCount(); });
}

QStringList CDlgSearchOrlnet::libraryRow(int index) const { return orlnet::SearchRow(index); }

void CDlgSearchOrlnet::storeExtraSettings() {
    const SettingsFile settings(context().settingsPath);
    settings.WriteText(kSection, QStringLiteral("ckDetectID"), idBox_->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    settings.WriteText(kSection, QStringLiteral("startID"), startId_->text());
    settings.WriteText(kSection, QStringLiteral("endID"), endId_->text());
}
