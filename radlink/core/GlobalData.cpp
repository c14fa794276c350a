#include "core/GlobalData.h"

namespace radlink {

CGlobalData::CGlobalData() : cel(&channel), snap(&channel), orlnet(&channel) {}

// Members are destroyed in reverse order (orlnet, snap, cel); the channel closes last.
CGlobalData::~CGlobalData() = default;

CGlobalData& Globals() {
    static CGlobalData data;
    return data;
}

}  // namespace radlink
