// Runs this program again as a child process (one per port on a provisioning bench: the library holds one port
// per process).
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace cli {

class ChildProcess {
public:
    // Starts `radlink args...` with its standard output and error in `logPath`, and `env` added to the
    // environment; false when it could not be started.
    bool start(const std::vector<std::string>& args, const std::vector<std::string>& env, const std::string& logPath);
    // Waits for it; its exit code (128 + signal when it was killed).
    int wait();

private:
    pid_t pid_ = -1;
};

}  // namespace cli
