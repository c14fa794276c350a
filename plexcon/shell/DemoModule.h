// The demo: a simulated CEL module served on a pseudo-terminal inside the program, so that it can be tried with no
// hardware attached.
#pragma once

#include <QString>

#include <memory>

namespace sim {
class SimServer;
}

class DemoModule {
public:
    // line: "quickmesh" (the default), "lowpower", "vnet" or a control word in decimal; remotes: modules on the air.
    // Null with a reason in *error when the line is unknown or the module cannot be served.
    static std::unique_ptr<DemoModule> Start(const QString& line, int remotes, QString* error);
    // family: "orlnet" (a local module with direct and route-only remote modules, route tables, LEDs and data
    // answers) or "snap" (a local module with remote modules on two channels); remotes: modules on the air.
    static std::unique_ptr<DemoModule> StartFamily(const QString& family, int remotes, QString* error);
    ~DemoModule();

    // The port to open, relative to /dev ("pts/3").
    QString portName() const;
    // The configuration password of the simulated modules.
    const QString& password() const { return password_; }

private:
    DemoModule(std::unique_ptr<sim::SimServer> server, QString password);
    std::unique_ptr<sim::SimServer> server_;
    QString password_;
};
