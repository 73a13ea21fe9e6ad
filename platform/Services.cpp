#include "platform/Services.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/CodePage.h"
#include "platform/Errors.h"

namespace ostrel {

namespace {

template <class T>
struct TServiceSlot {
    std::shared_ptr<T> Installed;
    std::shared_ptr<T> Default;
};

TServiceSlot<IShellService>& ShellSlot() {
    static TServiceSlot<IShellService> slot{nullptr, std::make_shared<TDesktopShell>()};
    return slot;
}
TServiceSlot<IClipboardService>& ClipboardSlot() {
    static TServiceSlot<IClipboardService> slot{nullptr, std::make_shared<TCommandClipboard>()};
    return slot;
}
TServiceSlot<IFontMetrics>& FontSlot() {
    static TServiceSlot<IFontMetrics> slot{nullptr, std::make_shared<TApproximateFontMetrics>()};
    return slot;
}

bool InPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string p = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= p.size()) {
        size_t end = p.find(':', start);
        if (end == std::string::npos) end = p.size();
        std::string dir = p.substr(start, end - start);
        if (dir.empty()) dir = ".";
        if (::access((dir + "/" + program).c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

bool HasEnv(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
}

// The clipboard program to copy with (index 0) and to paste with (index 1), or empty.
std::vector<std::vector<std::string>> ClipboardCommands() {
    if (HasEnv("WAYLAND_DISPLAY") && InPath("wl-copy") && InPath("wl-paste"))
        return {{"wl-copy"}, {"wl-paste", "--no-newline"}};
    if (HasEnv("DISPLAY") && InPath("xclip"))
        return {{"xclip", "-selection", "clipboard", "-in"}, {"xclip", "-selection", "clipboard", "-out"}};
    if (HasEnv("DISPLAY") && InPath("xsel"))
        return {{"xsel", "--clipboard", "--input"}, {"xsel", "--clipboard", "--output"}};
    return {};
}

const char* kNoClipboard =
    "No clipboard is available: a display and one of wl-copy, xclip or xsel are needed";

// Runs argv with a pipe to its standard input (toChild) or from its standard output.
// Returns the exit status; `output` receives what the program printed.
int RunPiped(const std::vector<std::string>& argv, const std::string* toChild, std::string* output) {
    int fds[2];
    if (::pipe(fds) != 0) throw EOstrelError(kNoClipboard);
    pid_t pid = ::fork();
    if (pid < 0) throw EOstrelError(kNoClipboard);
    if (pid == 0) {
        if (toChild) ::dup2(fds[0], 0);
        else ::dup2(fds[1], 1);
        ::close(fds[0]);
        ::close(fds[1]);
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    struct sigaction ignore {}, old {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGPIPE, &ignore, &old);
    if (toChild) {
        ::close(fds[0]);
        size_t done = 0;
        while (done < toChild->size()) {
            ssize_t n = ::write(fds[1], toChild->data() + done, toChild->size() - done);
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        ::close(fds[1]);
    } else {
        ::close(fds[1]);
        char buf[4096];
        ssize_t n;
        while ((n = ::read(fds[0], buf, sizeof buf)) > 0) output->append(buf, static_cast<size_t>(n));
        ::close(fds[0]);
    }
    ::sigaction(SIGPIPE, &old, nullptr);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

IShellService& ShellService() {
    auto& s = ShellSlot();
    return s.Installed ? *s.Installed : *s.Default;
}
IClipboardService& ClipboardService() {
    auto& s = ClipboardSlot();
    return s.Installed ? *s.Installed : *s.Default;
}
IFontMetrics& FontMetrics() {
    auto& s = FontSlot();
    return s.Installed ? *s.Installed : *s.Default;
}
void SetShellService(std::shared_ptr<IShellService> service) { ShellSlot().Installed = std::move(service); }
void SetClipboardService(std::shared_ptr<IClipboardService> service) {
    ClipboardSlot().Installed = std::move(service);
}
void SetFontMetrics(std::shared_ptr<IFontMetrics> service) { FontSlot().Installed = std::move(service); }

void TDesktopShell::Perform(const std::string& verb, const std::string& fileName) {
    std::vector<std::string> argv;
    if (verb == "open") argv = {"xdg-open", fileName};
    else if (verb == "print") argv = {"lp", fileName};
    else return;
    // Double fork: the program runs on its own and leaves no zombie behind.
    pid_t pid = ::fork();
    if (pid < 0) return;
    if (pid == 0) {
        ::setsid();
        if (::fork() == 0) {
            int devnull = ::open("/dev/null", O_RDWR);
            if (devnull >= 0) {
                ::dup2(devnull, 0);
                ::dup2(devnull, 1);
                ::dup2(devnull, 2);
            }
            std::vector<char*> args;
            for (auto& a : argv) args.push_back(a.data());
            args.push_back(nullptr);
            ::execvp(args[0], args.data());
        }
        ::_exit(0);
    }
    int status;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

void TCommandClipboard::SetText(const std::string& text) {
    auto commands = ClipboardCommands();
    if (commands.empty()) throw EOstrelError(kNoClipboard);
    int rc = RunPiped(commands[0], &text, nullptr);
    if (rc != 0)
        throw EOstrelError("Unable to set the clipboard text: " + commands[0][0] +
                           " exited with code " + std::to_string(rc));
}

std::string TCommandClipboard::GetText() {
    auto commands = ClipboardCommands();
    if (commands.empty()) throw EOstrelError(kNoClipboard);
    std::string out;
    RunPiped(commands[1], nullptr, &out);
    return out;
}

int TApproximateFontMetrics::TextWidth(const TFont& font, const std::string& text) {
    std::string name;
    for (char c : font.Name) name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const bool mono = name.find("courier") != std::string::npos || name.find("mono") != std::string::npos ||
                      name.find("consol") != std::string::npos || name.find("fixedsys") != std::string::npos;
    const bool serif = !mono && (name.find("times") != std::string::npos ||
                                 (name.find("serif") != std::string::npos && name.find("sans") == std::string::npos));
    const double em = font.PixelHeight();
    double width = 0;
    for (char16_t ch : ToUtf16(text)) {
        double f;
        if (mono) f = 0.6;
        else if (ch == 'm' || ch == 'w' || ch == 'M' || ch == 'W') f = 0.83;
        else if (ch == ' ') f = 0.278;
        else if (ch == 'i' || ch == 'l' || ch == 'j' || ch == 't' || ch == 'f' || ch == 'I' ||
                 ch == '.' || ch == ',' || ch == ':' || ch == ';' || ch == '\'' || ch == '!' || ch == '|')
            f = 0.28;
        else if (ch >= 'A' && ch <= 'Z') f = 0.67;
        else if (ch >= '0' && ch <= '9') f = 0.556;
        else if (ch >= 0x2E80) f = 1.0;  // ideographs are square
        else f = 0.5;
        if (serif) f *= 0.92;
        if (font.Style & fsBold) f *= 1.06;
        width += f * em;
    }
    return static_cast<int>(std::lround(width));
}

}  // namespace ostrel
