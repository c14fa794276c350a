// What a firmware upgrade tells its caller as it goes, and how the caller asks it to stop; shared by both
// families' upgrades and by the RADLINK_ exports that offer them with progress.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>

#include "core/ImageFile.h"
#include "radlink.h"

namespace radlink {

// Called before the upgrade sends anything (accepted 0) and after each block the module accepted; `total` is the
// image's block count. Returning false asks the upgrade to stop before its next block. Empty: no one listens.
using UpgradeObserver = std::function<bool(size_t accepted, size_t total)>;

// Tells `observer` (when there is one); true to go on.
inline bool Report(const UpgradeObserver& observer, size_t accepted, size_t total) {
    return !observer || observer(accepted, total);
}

// A RADLINK_ upgrade with progress: loads the image with `load` (path, ImageRefusal*), then runs `run` (image,
// observer) with the caller's callback as the observer, and gives the RADLINK_UPGRADE_ result.
template <typename Load, typename Run>
int UpgradeWithProgress(const char* path, RADLINK_UpgradeProgress progress, void* context, Load&& load, Run&& run) {
    ImageRefusal why = ImageRefusal::Unreadable;
    const auto image = load(path, &why);
    if (!image) return why == ImageRefusal::TooShort ? RADLINK_UPGRADE_SHORT_IMAGE : RADLINK_UPGRADE_NO_FILE;
    bool stopRequested = false;
    const UpgradeObserver observer = [&](size_t accepted, size_t total) {
        if (progress && !stopRequested && progress(context, static_cast<int>(accepted), static_cast<int>(total)) == 0)
            stopRequested = true;
        return !stopRequested;
    };
    if (run(*image, observer)) return RADLINK_UPGRADE_DONE;
    return stopRequested ? RADLINK_UPGRADE_STOPPED : RADLINK_UPGRADE_FAILED;
}

}  // namespace radlink
