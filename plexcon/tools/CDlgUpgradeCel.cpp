#include "tools/CDlgUpgradeCel.h"

#include <cstring>

#include "pages/CelConfigPage.h"

namespace {

// The configuration area, offsets 0 to 75; the tail (run state, control word, firmware version) is the module's.
constexpr int kConfigurationArea = 76;
constexpr int kLastProperty = 27;

}  // namespace

CDlgUpgradeCel::CDlgUpgradeCel(const ShellContext& context, QWidget* parent)
    : UpgradeDialog(context, QStringLiteral("CEL"), RADLINK_CEL_UpdateWithProgress, parent) {}

QByteArray CDlgUpgradeCel::readConfiguration(int index) {
    CelRecord record{};
    const int read = index < 0 ? QVZB_CEL_GetPropertyAll(&record) : QVZB_CEL_GetRemoteDevPropertyAll(&record, index);
    if (read != 1) return {};
    return QByteArray(reinterpret_cast<const char*>(&record), sizeof record);
}

bool CDlgUpgradeCel::writeConfiguration(int index, const QByteArray& bytes) {
    if (bytes.size() != static_cast<qsizetype>(sizeof(CelRecord))) return false;
    CelRecord record{};
    std::memcpy(&record, bytes.constData(), sizeof record);
    // The module is read first: the write needs the record it has now.
    CelRecord current{};
    if ((index < 0 ? QVZB_CEL_GetPropertyAll(&current) : QVZB_CEL_GetRemoteDevPropertyAll(&current, index)) != 1)
        return false;
    for (int property = 1; property <= kLastProperty; ++property) {
        unsigned int width = 0;
        const unsigned char* field = CelPropertyBytes(record, property, &width);
        if (!field) continue;
        if (index < 0) QVZB_CEL_SetProperty(property, field, width);
        else QVZB_CEL_SetRemoteDevProperty(index, property, field, width);
    }
    return (index < 0 ? QVZB_CEL_SubmitInfo() : QVZB_CEL_SubmitRemoteDevInfo(index)) == 1;
}

int CDlgUpgradeCel::configurationBytes() const { return kConfigurationArea; }
