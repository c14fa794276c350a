#include "shell/DemoModule.h"

#include <exception>

#include "cel/CelModel.h"
#include "core/Scenario.h"
#include "core/SimServer.h"
#include "snap/SnapModel.h"

namespace {

constexpr int kLowPowerRecordLength = 80;  // the record variant with the low-power timings and no voice

bool ScenarioFor(const QString& line, sim::ScenarioOptions& options) {
    const QString l = line.trimmed().toLower();
    if (l == QLatin1String("quickmesh") || l == QLatin1String("vnet")) {
        options.productLine = l.toStdString();
        return true;
    }
    if (l == QLatin1String("lowpower")) {
        options.productLine = "quickmesh";
        options.recordLength = kLowPowerRecordLength;
        return true;
    }
    bool number = false;
    int word = l.toInt(&number);
    if (!number || word < 0 || word > 0xFFFF) return false;
    options.productLine = std::to_string(word);
    return true;
}

// A default search checks 250K only: keep the remote modules on their different channels, all at that rate, so
// that it finds every one of them.
void PutRemotesOnDefaultRate(sim::SimServer& server) {
    server.withModel<sim::CelModel>([](sim::CelModel& model) {
        for (size_t i = 0; i < model.remoteCount(); ++i) {
            sim::CelModule& remote = model.remote(i);
            remote.setByte(sim::celfield::kAirRate, 0);
            remote.live.at(sim::celfield::kAirRate) = 0;
        }
    });
}

}  // namespace

DemoModule::DemoModule(std::unique_ptr<sim::SimServer> server, QString password)
    : server_(std::move(server)), password_(std::move(password)) {}
DemoModule::~DemoModule() = default;

std::unique_ptr<DemoModule> DemoModule::Start(const QString& line, int remotes, QString* error) {
    sim::ScenarioOptions options;
    options.family = "cel";
    options.remotes = remotes;
    if (!ScenarioFor(line, options)) {
        if (error) *error = QStringLiteral("unknown product line \"%1\" (quickmesh, lowpower, vnet or a number)").arg(line);
        return nullptr;
    }
    const sim::FamilyEntry* family = sim::FindFamily(options.family);
    if (!family) {
        if (error) *error = QStringLiteral("the simulator has no CEL module");
        return nullptr;
    }
    try {
        auto server = std::make_unique<sim::SimServer>(family->make(options));
        PutRemotesOnDefaultRate(*server);
        return std::unique_ptr<DemoModule>(
            new DemoModule(std::move(server), QString::fromStdString(options.password)));
    } catch (const std::exception& e) {
        if (error) *error = QString::fromLocal8Bit(e.what());
        return nullptr;
    }
}

std::unique_ptr<DemoModule> DemoModule::StartFamily(const QString& family, int remotes, QString* error) {
    sim::ScenarioOptions options;
    options.family = family.trimmed().toLower().toStdString();
    options.remotes = remotes;
    const sim::FamilyEntry* entry = options.family == "orlnet" || options.family == "snap" ? sim::FindFamily(options.family) : nullptr;
    if (!entry) {
        if (error) *error = QStringLiteral("unknown module family \"%1\" (cel, orlnet or snap)").arg(family);
        return nullptr;
    }
    try {
        auto server = std::make_unique<sim::SimServer>(entry->make(options));
        if (options.family == "snap")  // the radio page's live chart then shows a signal that moves
            server->withModel<sim::SnapModel>([](sim::SnapModel& m) { m.setSignalDrift(true); });
        return std::unique_ptr<DemoModule>(new DemoModule(std::move(server), QString::fromStdString(options.password)));
    } catch (const std::exception& e) {
        if (error) *error = QString::fromLocal8Bit(e.what());
        return nullptr;
    }
}

QString DemoModule::portName() const { return QString::fromStdString(server_->portName()); }
