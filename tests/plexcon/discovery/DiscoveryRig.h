// What the search and remote-list tests share: the search settings, what the simulated module was asked to
// search, remote modules moved to the default rate, and the search dialog's idle state.
#pragma once

#include <QAbstractButton>
#include <QTest>

#include <initializer_list>
#include <utility>
#include <vector>

#include "cel/CelModel.h"
#include "discovery/CDlgSearchCel.h"
#include "radlink.h"
#include "shell/LibraryLock.h"
#include "shell/SettingsFile.h"
#include "support/CelPanelRig.h"
#include "support/WidgetLookup.h"

namespace testsupport {

// The stored "Channel" text with these channels checked.
inline QString ChannelText(std::initializer_list<int> channels) {
    QString text(16, u'0');
    for (int c : channels) text[c - 11] = u'1';
    return text;
}

inline void StoreSearchSettings(const CelPanelRig& rig, const QString& channels, const QString& rates) {
    const SettingsFile settings(rig.context.settingsPath);
    settings.WriteText(QStringLiteral("Search"), QStringLiteral("Channel"), channels);
    settings.WriteText(QStringLiteral("Search"), QStringLiteral("Rate"), rates);
}

// (channel, rate) of every SEARCH frame the module received, in order: the tuning frames before it say where.
inline std::vector<std::pair<int, int>> SearchedPairs(const CelPanelRig& rig) {
    std::vector<std::pair<int, int>> pairs;
    int channel = -1, rate = -1;
    for (const auto& f : rig.module->frameBytes()) {
        if (f.size() < 5 || f[0] != 0xAB || f[1] != 0xBC || f[2] != 0xCD) continue;
        if (f[3] == 0xD2 && f.size() == 6) channel = f[4];
        if (f[3] == 0xD3 && f.size() == 6) rate = f[4];
        if (f[3] == 0xD4 && f.size() == 5) pairs.emplace_back(channel, rate);
    }
    return pairs;
}

// Frames with this configuration command addressed to `address`.
inline int FramesTo(const CelPanelRig& rig, uint8_t command, uint16_t address) {
    int n = 0;
    for (const auto& f : rig.module->frameBytes())
        if (f.size() >= 7 && f[0] == 0xAB && f[3] == command && (f[4] << 8 | f[5]) == address) ++n;
    return n;
}

// Every simulated remote module on air rate 0 (250K), on its own channel as before.
inline void PutRemotesOnRate0(CelPanelRig& rig) {
    rig.withModel([](sim::CelModel& m) {
        for (size_t i = 0; i < m.remoteCount(); ++i) {
            m.remote(i).setByte(sim::celfield::kAirRate, 0);
            m.remote(i).live.at(sim::celfield::kAirRate) = 0;
        }
    });
}

inline void ClearLibraryList() {
    WithLibrary([] { return QVZB_CEL_ClearSearchArr(); });
}

inline int LibraryCount() {
    return WithLibrary([] { return QVZB_CEL_GetSearchDevCount(); });
}

inline bool DialogIdle(const QWidget* dialog) {
    return !CDlgSearchCel::Searching() && Button(dialog, QStringLiteral("搜索"))->isEnabled() &&
           !Button(dialog, QStringLiteral("停止"))->isEnabled() && Button(dialog, QStringLiteral("退出"))->isEnabled();
}

// The rows of a list as "a|b|c|d|e".
inline QStringList RowTexts(const QTreeWidget* list) {
    QStringList rows;
    for (const QStringList& r : CelSearchRows::Shown(list)) rows << r.join(u'|');
    return rows;
}

}  // namespace testsupport
