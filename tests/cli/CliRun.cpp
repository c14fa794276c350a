#include "CliRun.h"

#include <fcntl.h>
#include <pty.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

extern char** environ;

namespace clitest {

namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& args, const std::vector<std::string>& env, bool stderrTerminal) {
    TempDir dir;
    const std::string outPath = dir.file("out"), errPath = dir.file("err");
    int master = -1, slave = -1;
    if (stderrTerminal && openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (stderrTerminal) posix_spawn_file_actions_adddup2(&actions, slave, 2);
    else posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    // A new session: no controlling terminal, so the tool can never ask on one.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);

    std::vector<std::string> argv{RADLINK_CLI};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> cargv;
    for (auto& a : argv) cargv.push_back(a.data());
    cargv.push_back(nullptr);
    std::vector<std::string> envs = env;  // getenv takes the first entry of a name
    for (char** e = environ; *e; ++e) envs.emplace_back(*e);
    std::vector<char*> cenv;
    for (auto& e : envs) cenv.push_back(e.data());
    cenv.push_back(nullptr);

    CliResult r;
    pid_t pid = 0;
    if (posix_spawn(&pid, RADLINK_CLI, &actions, &attr, cargv.data(), cenv.data()) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    r.out = Slurp(outPath);
    if (stderrTerminal) {
        ::close(slave);
        fcntl(master, F_SETFL, O_NONBLOCK);
        char buffer[4096];
        for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0;) r.err.append(buffer, static_cast<size_t>(n));
        ::close(master);
    } else {
        r.err = Slurp(errPath);
    }
    return r;
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "radlink-cli-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? pattern : std::string();
}

TempDir::~TempDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

std::string TempDir::write(const std::string& name, const std::string& content) const {
    std::ofstream(file(name)) << content;
    return file(name);
}

}  // namespace clitest
