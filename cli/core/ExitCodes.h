// Exit codes of every subcommand; `radlink --help` lists them.
#pragma once

namespace cli {

enum ExitCode : int {
    kExitOk = 0,
    kExitFailed = 1,           // the module did not answer, or an operation it was asked for failed
    kExitUsage = 2,            // bad arguments or input files
    kExitPortUnavailable = 3,  // the port could not be opened
    kExitWrongPassword = 4,    // the configuration password did not match; nothing was written
    kExitNotVerified = 5,      // written, but the read-back shows a field that did not take
};

inline constexpr const char* kExitCodeHelp =
    "Exit codes: 0 done; 1 the module did not answer or an operation failed; 2 bad arguments or input;\n"
    "3 the port could not be opened; 4 wrong configuration password (nothing written);\n"
    "5 written, but a field did not take (see the read-back).";

}  // namespace cli
