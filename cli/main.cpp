// radlink: configures CEL, ORLNET and SNAP radio modules on serial ports from the command line.
#include <CLI/CLI.hpp>

#include "commands/Commands.h"
#include "core/ExitCodes.h"
#include "radlink.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    CLI::App app{"radlink: configure CEL, ORLNET and SNAP radio modules on serial ports"};
    app.footer(cli::kExitCodeHelp);
    app.require_subcommand(1);
    int exitCode = cli::kExitOk;
    std::string trace;
    app.add_option("--trace", trace,
                   "record every exchange with the module into FILE: pcapng when its name ends in .pcapng (open "
                   "it in Wireshark with radlink/wireshark/radlink.lua), text otherwise; RADLINK_TRACE=FILE too")
        ->type_name("FILE")
        ->each([](const std::string& path) {
            if (!RADLINK_SetTrace(path.c_str(), path.ends_with(".pcapng") ? RADLINK_TRACE_PCAPNG : RADLINK_TRACE_TEXT))
                std::fprintf(stderr, "radlink: cannot write the trace to %s\n", path.c_str());
        });
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
