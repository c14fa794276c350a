// Test support: runs the radlink executable with arguments and environment, and gives its exit code and output.
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace clitest {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
    nlohmann::ordered_json json() const { return nlohmann::ordered_json::parse(out); }
};

// Runs `radlink args...` with the extra environment entries ("NAME=value") added; standard input is /dev/null.
// With `stderrTerminal` its standard error is a pseudo-terminal (a few kilobytes of output at most).
CliResult RunCli(const std::vector<std::string>& args, const std::vector<std::string>& env = {},
                 bool stderrTerminal = false);

// A fresh directory under the test temp folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    std::string write(const std::string& name, const std::string& content) const;

private:
    std::string path_;
};

}  // namespace clitest
