#include "cli/PasswordPrompt.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace tavrin::cli {

std::optional<std::string> PasswordPrompt::ask() {
    if (const char* env = std::getenv("TAVRIN_PASSWORD")) return std::string(env);

    // Ask on the terminal itself, so that standard input stays free for JSON.
    int fd = ::open("/dev/tty", O_RDWR | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    const char prompt[] = "Password: ";
    if (::write(fd, prompt, sizeof prompt - 1) < 0) {
        ::close(fd);
        return std::nullopt;
    }
    termios old{};
    bool restore = ::tcgetattr(fd, &old) == 0;
    if (restore) {
        termios quiet = old;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        ::tcsetattr(fd, TCSAFLUSH, &quiet);
    }
    std::string pw;
    char c;
    while (::read(fd, &c, 1) == 1 && c != '\n' && c != '\r')
        pw += c;
    if (restore) ::tcsetattr(fd, TCSAFLUSH, &old);
    if (::write(fd, "\n", 1) < 0) { /* the newline is cosmetic */
    }
    ::close(fd);
    return pw;
}

} // namespace tavrin::cli
