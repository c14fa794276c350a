// radlink: configures CEL, ORLNET and SNAP radio modules on serial ports from the command line.
#include <CLI/CLI.hpp>

#include "commands/Commands.h"
#include "core/ExitCodes.h"

int main(int argc, char** argv) {
    CLI::App app{"radlink: configure CEL, ORLNET and SNAP radio modules on serial ports"};
    app.footer(cli::kExitCodeHelp);
    app.require_subcommand(1);
    int exitCode = cli::kExitOk;
    cli::AddPortsCommand(app, exitCode);
    cli::AddIdentifyCommand(app, exitCode);
    cli::AddReadCommand(app, exitCode);
    cli::AddWriteCommand(app, exitCode);
    cli::AddSearchCommand(app, exitCode);
    cli::AddProfileCommand(app, exitCode);
    cli::AddDoctorCommand(app, exitCode);
    cli::AddUpgradeCommand(app, exitCode);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int rc = app.exit(e);
        return rc == 0 ? 0 : cli::kExitUsage;
    }
    return exitCode;
}
