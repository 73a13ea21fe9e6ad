// The clipboard exporter against a real X clipboard: xclip under Xvfb.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "ReaderSupport.h"
#include "exporters/text/IB_OstrelClipboard.h"

namespace ostrel::test {
namespace {

// A private X server for the life of the object.
class TXvfb {
public:
    TXvfb() {
        for (int display = 91; display < 120 && FPid <= 0; ++display) {
            if (access(("/tmp/.X11-unix/X" + std::to_string(display)).c_str(), F_OK) == 0) continue;
            pid_t pid = fork();
            if (pid == 0) {
                execlp("Xvfb", "Xvfb", (":" + std::to_string(display)).c_str(), "-nolisten", "tcp", nullptr);
                _exit(127);
            }
            for (int i = 0; i < 50; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                if (access(("/tmp/.X11-unix/X" + std::to_string(display)).c_str(), F_OK) == 0) {
                    FPid = pid;
                    Display = ":" + std::to_string(display);
                    return;
                }
            }
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }
    ~TXvfb() {
        if (FPid > 0) {
            kill(FPid, SIGTERM);
            waitpid(FPid, nullptr, 0);
        }
    }
    std::string Display;

private:
    pid_t FPid = -1;
};

TEST(ClipboardReaders, XclipUnderXvfbHoldsTheExportedText) {
    REQUIRE_READER("Xvfb");
    REQUIRE_READER("xclip");
    TXvfb x;
    ASSERT_FALSE(x.Display.empty()) << "Xvfb did not start";
    const char* saved = std::getenv("DISPLAY");
    const std::string savedDisplay = saved ? saved : "";
    setenv("DISPLAY", x.Display.c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");

    TMemListView lv;
    FillDemoListView(lv);
    TIB_OstrelClipboard e;
    e.SetExportSource(esListView);
    e.SetListView(&lv);
    e.SetSeparator('\t');
    e.DoExecute();
    const std::string text = TCommandClipboard().GetText();
    EXPECT_EQ(text.substr(0, text.find("\r\n")), "Code\tName\tDate\tSalary\tIsMale\t");
    EXPECT_NE(text.find("5\t東\t01.01.2000\t0\ttrue\t\r\n"), std::string::npos);
    // xclip, the selection owner, ends with its display.
    if (saved) setenv("DISPLAY", savedDisplay.c_str(), 1);
    else unsetenv("DISPLAY");
}

}  // namespace
}  // namespace ostrel::test
