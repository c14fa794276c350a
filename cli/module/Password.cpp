#include "module/Password.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>


namespace cli {

bool PasswordMatches(const std::string& entryGbk, const std::string& stored) {
    constexpr size_t kLongest = 16;
    return entryGbk.size() <= kLongest && entryGbk == stored;
}

std::optional<std::string> AskPassword(const std::string& prompt) {
    const int tty = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (tty < 0) return std::nullopt;
    termios saved{};
    const bool isTerminal = tcgetattr(tty, &saved) == 0;
    if (!isTerminal) {
        ::close(tty);
        return std::nullopt;
    }
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(tty, TCSAFLUSH, &quiet);
    (void)!::write(tty, prompt.data(), prompt.size());
    std::string entry;
    char c = 0;
    while (::read(tty, &c, 1) == 1 && c != '\n' && c != '\r') entry += c;
    tcsetattr(tty, TCSAFLUSH, &saved);
    (void)!::write(tty, "\n", 1);
    ::close(tty);
    return entry;
}

}  // namespace cli
