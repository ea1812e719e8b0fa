// The shell's test application as a program: a bounded run on Mesa without a display, on x11 the frame
// limit, Escape, and clicks in full-screen and framed windows (input sent through XTest), and an X
// display that takes the connection and never answers.
#include "tests/support/child_process.h"
#include "tests/support/program_messages.h"
#include "tests/support/xvfb_server.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <csignal>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::chrono_literals;

// The test application, started with its standard error in a file.
struct Program : ChildProcess {
    explicit Program(std::vector<std::string> arguments)
        : ChildProcess(NYM_SHELL_TEST_PROGRAM, std::move(arguments)) {}
};

TEST(ShellHeadless, FrameLimitedRunPresentsElevenFrames) {
    Program program({"--backend=headless", "-qaf=10"});
    ASSERT_TRUE(program.started());
    EXPECT_EQ(program.waitForExit(60s), 0);
    const std::string out = program.output();
    EXPECT_NE(out.find("TestApplication: OnViewCreate(640, 480)\n"), std::string::npos) << out;
    EXPECT_NE(out.find("TestApplication: OnAppStop after 11 frames\n"), std::string::npos) << out;
}

TEST(ShellHeadless, PortraitScreenAndScriptedInput) {
    Program fullScreen({"--backend=headless", "--screen=240x320", "--input=tap@2", "-qaf=50"});
    EXPECT_EQ(fullScreen.waitForExit(60s), 0);
    std::string out = fullScreen.output();
    EXPECT_NE(out.find("OnViewCreate(240, 320)\n"), std::string::npos) << out;
    EXPECT_NE(out.find("OnAppStop after 4 frames\n"), std::string::npos) << out;

    Program framed(
        {"--backend=headless", "--screen=240x320", "--input=tap@1,escape@2", "-windowed", "-qaf=50"});
    EXPECT_EQ(framed.waitForExit(60s), 0);
    out = framed.output();
    EXPECT_NE(out.find("OnViewCreate(160, 120)\n"), std::string::npos) << out;
    EXPECT_NE(out.find("OnAppStop after 4 frames\n"), std::string::npos) << out;
}

// An X display that takes connections and never answers: a listening socket under the name Xlib tries
// first for DISPLAY=:N (the abstract socket "/tmp/.X11-unix/XN"), of a display number nothing else uses.
class SilentDisplay {
public:
    SilentDisplay() {
        for (int number = 4000 + ::getpid() % 1000; number < 6000 && fd_ < 0; ++number) {
            fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            const std::string name = "/tmp/.X11-unix/X" + std::to_string(number);
            std::memcpy(address.sun_path + 1, name.data(), name.size()); // sun_path[0] = 0: abstract
            const socklen_t size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
            if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), size) == 0 && ::listen(fd_, 8) == 0) {
                name_ = ":";
                name_ += std::to_string(number);
            } else {
                ::close(fd_);
                fd_ = -1;
            }
        }
    }
    ~SilentDisplay() { ::close(fd_); }
    SilentDisplay(const SilentDisplay&) = delete;
    SilentDisplay& operator=(const SilentDisplay&) = delete;

    const std::string& name() const { return name_; }

private:
    int fd_ = -1;
    std::string name_;
};

// The x11 backend, named or chosen by default, waits 5 s for the display's answer (as the wayland backend
// waits for the compositor's) and a signal ends the wait. The three runs wait at once.
TEST(ShellSilentDisplay, TheWaitForTheDisplayIsBoundedAndASignalEndsIt) {
    SilentDisplay display;
    ASSERT_FALSE(display.name().empty());
    std::string displayVariable = "DISPLAY=";
    displayVariable += display.name();
    const std::vector<std::string> environment = {displayVariable, "WAYLAND_DISPLAY", "WAYLAND_SOCKET",
                                                  "XDG_RUNTIME_DIR"};
    const auto start = std::chrono::steady_clock::now();
    ChildProcess named(NYM_SHELL_TEST_PROGRAM, {"--backend=x11", "-qaf=3"}, environment);
    ChildProcess chosen(NYM_SHELL_TEST_PROGRAM, {"-qaf=3"}, environment);
    ChildProcess interrupted(NYM_SHELL_TEST_PROGRAM, {"--backend=x11", "-qaf=3"}, environment);
    ASSERT_TRUE(interrupted.waitUntilHandling(SIGINT, 5s));
    interrupted.signal(SIGINT);
    EXPECT_EQ(interrupted.waitForExit(1s), 1);
    EXPECT_EQ(programMessages(interrupted.output()),
              "nymbus: cannot open the X display \"" + display.name() + "\": interrupted\n");

    const std::string silent = "the X display \"" + display.name() + "\" does not answer (waited 5 s)";
    EXPECT_EQ(named.waitForExit(10s), 1);
    EXPECT_EQ(programMessages(named.output()), "nymbus: " + silent + "\n");
    EXPECT_EQ(chosen.waitForExit(10s), 0);
    EXPECT_EQ(programMessages(chosen.output()), "nymbus: " + silent + "; using the headless backend\n");
    EXPECT_NE(chosen.output().find("OnAppStop after 4 frames"), std::string::npos);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 8);
}

// The x11 tests run under an Xvfb server of their own, so that they never send input to a real desktop.
class ShellX11 : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (XvfbServer::installed()) {
            server = new XvfbServer;
            if (!server->start()) {
                delete server;
                server = nullptr;
            }
        }
    }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override {
        if (!XvfbServer::installed()) {
            GTEST_SKIP() << "Xvfb is not installed";
        }
        ASSERT_NE(server, nullptr) << "Xvfb did not start";
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
    }
    void TearDown() override {
        if (display != nullptr) {
            XCloseDisplay(display);
        }
    }

    // The shell's window, once it is mapped.
    Window findShellWindow(std::chrono::milliseconds limit) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < deadline) {
            if (const Window w = search(DefaultRootWindow(display)); w != 0) {
                XWindowAttributes attributes;
                if (XGetWindowAttributes(display, w, &attributes) && attributes.map_state == IsViewable) {
                    return w;
                }
            }
            std::this_thread::sleep_for(20ms);
        }
        return 0;
    }

    void click(Window w) {
        pointAt(w);
        XTestFakeButtonEvent(display, 1, True, 0);
        XTestFakeButtonEvent(display, 1, False, 0);
        XSync(display, False);
    }

    void pressEscape(Window w) {
        pointAt(w);
        XSetInputFocus(display, w, RevertToPointerRoot, CurrentTime);
        const KeyCode escape = XKeysymToKeycode(display, XK_Escape);
        XTestFakeKeyEvent(display, escape, True, 0);
        XTestFakeKeyEvent(display, escape, False, 0);
        XSync(display, False);
    }

    Display* display = nullptr;
    static XvfbServer* server;

private:
    Window search(Window parent) {
        char* name = nullptr;
        if (XFetchName(display, parent, &name) && name != nullptr) {
            const bool found = std::string(name) == "OGLESShell";
            XFree(name);
            if (found) {
                return parent;
            }
        }
        Window root = 0;
        Window up = 0;
        Window* children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (XQueryTree(display, parent, &root, &up, &children, &count)) {
            for (unsigned i = 0; i < count && found == 0; ++i) {
                found = search(children[i]);
            }
            XFree(children);
        }
        return found;
    }

    void pointAt(Window w) {
        XWindowAttributes attributes;
        XGetWindowAttributes(display, w, &attributes);
        XWarpPointer(display, None, w, 0, 0, 0, 0, attributes.width / 2, attributes.height / 2);
        XSync(display, False);
    }
};

XvfbServer* ShellX11::server = nullptr;

TEST_F(ShellX11, FrameLimitedRunPresentsElevenFrames) {
    Program program({"--backend=x11", "-qaf=10"});
    EXPECT_EQ(program.waitForExit(60s), 0);
    EXPECT_NE(program.output().find("OnAppStop after 11 frames\n"), std::string::npos) << program.output();
}

TEST_F(ShellX11, EscapeEndsAFramedRun) {
    Program program({"--backend=x11", "-windowed", "-qat=60"});
    const Window w = findShellWindow(20s);
    ASSERT_NE(w, 0u) << program.output();
    pressEscape(w);
    EXPECT_EQ(program.waitForExit(20s), 0) << program.output();
    EXPECT_NE(program.output().find("OnAppStop after"), std::string::npos);
}

TEST_F(ShellX11, ClickEndsAFullScreenRunButNotAFramedOne) {
    Program fullScreen({"--backend=x11", "-qat=60"});
    Window w = findShellWindow(20s);
    ASSERT_NE(w, 0u) << fullScreen.output();
    click(w);
    EXPECT_EQ(fullScreen.waitForExit(20s), 0) << fullScreen.output();

    Program framed({"--backend=x11", "-windowed", "-qat=60"});
    w = findShellWindow(20s);
    ASSERT_NE(w, 0u) << framed.output();
    click(w);
    EXPECT_EQ(framed.waitForExit(1500ms), std::nullopt) << framed.output();
    pressEscape(w);
    EXPECT_EQ(framed.waitForExit(20s), 0) << framed.output();
}

} // namespace
