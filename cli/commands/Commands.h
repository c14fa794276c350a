// One function per subcommand: adds it to the application; its callback stores the exit code in `exitCode`.
#pragma once

namespace CLI {
class App;
}

namespace cli {

void AddPortsCommand(CLI::App& app, int& exitCode);
void AddIdentifyCommand(CLI::App& app, int& exitCode);
void AddReadCommand(CLI::App& app, int& exitCode);
void AddWriteCommand(CLI::App& app, int& exitCode);
void AddSearchCommand(CLI::App& app, int& exitCode);
void AddProfileCommand(CLI::App& app, int& exitCode);
void AddDoctorCommand(CLI::App& app, int& exitCode);
void AddUpgradeCommand(CLI::App& app, int& exitCode);

}  // namespace cli
