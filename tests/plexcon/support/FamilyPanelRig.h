// An ORLNET or SNAP panel against the real library and a simulated module of its family on its own pty.
#pragma once

#include <memory>
#include <vector>

#include "support/SimulatedPortRig.h"

namespace testsupport {

template <typename Panel, typename Model>
struct FamilyPanelRig : SimulatedPortRig {
    explicit FamilyPanelRig(std::unique_ptr<Model> model) : SimulatedPortRig(std::move(model)) {}
    ~FamilyPanelRig() {
        panel.reset();
        WithLibrary([] {
            QVZB_ORLNET_ClearSearchArr();
            QVZB_SNAP_ClearSearchArr();
            return QVZB_CloseCom();
        });
    }

    Panel* make() {
        panel = std::make_unique<Panel>(context);
        panel->resize(1100, 640);
        panel->show();
        return panel.get();
    }

    void closePort() {
        WithLibrary([] { return QVZB_CloseCom(); });
    }

    template <typename F>
    auto withModel(F&& f) {
        return module->withModel<Model>(std::forward<F>(f));
    }

    // Frames the module received that satisfy pred.
    template <typename Pred>
    std::vector<sim::Bytes> frames(Pred pred) const {
        std::vector<sim::Bytes> out;
        for (const sim::Bytes& f : module->frameBytes())
            if (pred(f)) out.push_back(f);
        return out;
    }

    std::unique_ptr<Panel> panel;
};

}  // namespace testsupport
