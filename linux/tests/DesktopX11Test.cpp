// What the game does with its window on X11, against an X server of the test's own (Xvfb, on a
// display number it picks itself).
#include <SDL.h>
#include <X11/Xatom.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <langinfo.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "linux/X11Probe.h"
#include "nuikaro/Identity.h"
#include "shell/FrontEnd.h"
#include "shell/NativeWindow.h"

namespace nuikaro {
namespace {

// An Xvfb of the test's own, on the display number it picks itself; extra are more arguments.
struct XServer {
  pid_t Pid = -1;
  std::string Display;  // ":N", empty when it did not start
};

XServer StartXvfb(const std::vector<std::string>& extra = {}) {
  int number[2];
  if (pipe(number) != 0) {
    return {};
  }
  std::vector<std::string> arguments = {"Xvfb", "-displayfd",   "3",         "-screen",
                                        "0",    "1600x1200x24", "-nolisten", "tcp"};
  arguments.insert(arguments.end(), extra.begin(), extra.end());
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(number[1], 3);
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, 1);
    dup2(quiet, 2);
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
      argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    execvp("Xvfb", argv.data());
    _exit(127);
  }
  close(number[1]);
  // Xvfb writes its display number once it takes connections.
  std::string display;
  pollfd ready{number[0], POLLIN, 0};
  char c = 0;
  while (poll(&ready, 1, 20000) == 1 && read(number[0], &c, 1) == 1 && c != '\n') {
    display += c;
  }
  close(number[0]);
  return {pid, display.empty() ? "" : ":" + display};
}

void Stop(const XServer& server) {
  if (server.Pid > 0) {
    kill(server.Pid, SIGTERM);
    waitpid(server.Pid, nullptr, 0);
  }
}

class DesktopX11Test : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    server_ = StartXvfb();
    ASSERT_FALSE(server_.Display.empty()) << "Xvfb did not start";
    setenv("DISPLAY", server_.Display.c_str(), 1);
    // Once for all the tests: SDL's X11 driver does not start a second time in one process.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
  }
  static void TearDownTestSuite() {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    Stop(server_);
  }

  void SetUp() override {
    ASSERT_TRUE(SDL_WasInit(SDL_INIT_VIDEO)) << "no X server";
    window_ = SDL_CreateWindow("test", 0, 0, 640, 480, SDL_WINDOW_HIDDEN);
    ASSERT_NE(window_, nullptr) << SDL_GetError();
    const auto native = NativeWindow(window_, SDL_SYSWM_X11);
    ASSERT_TRUE(native.has_value());
    display_ = native->info.x11.display;
    x11Window_ = native->info.x11.window;
  }
  void TearDown() override {
    if (window_ != nullptr) {
      SDL_DestroyWindow(window_);
    }
  }

  long EventMask() const {
    XWindowAttributes attributes;
    EXPECT_NE(XGetWindowAttributes(display_, x11Window_, &attributes), 0);
    return attributes.your_event_mask;
  }
  // The window's property as a list of atom names; empty when it is not set or no atom list.
  std::vector<std::string> AtomNames(const char* property) const {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    std::vector<std::string> names;
    if (XGetWindowProperty(display_, x11Window_, XInternAtom(display_, property, False), 0, 64,
                           False, XA_ATOM, &type, &format, &count, &left, &data) != Success) {
      return names;
    }
    if (type == XA_ATOM && format == 32) {
      const auto* atoms = reinterpret_cast<const Atom*>(data);
      for (unsigned long i = 0; i < count; ++i) {
        char* name = atoms[i] == None ? nullptr : XGetAtomName(display_, atoms[i]);
        names.push_back(name != nullptr ? name : "None");
        if (name != nullptr) {
          XFree(name);
        }
      }
    }
    if (data != nullptr) {
      XFree(data);
    }
    return names;
  }

  static inline XServer server_;
  SDL_Window* window_ = nullptr;
  Display* display_ = nullptr;
  Window x11Window_ = 0;
};

TEST_F(DesktopX11Test, DressingTheWindowDropsKeyReleasesAndNothingElse) {
  const long before = EventMask();
  ASSERT_NE(before & KeyReleaseMask, 0) << "SDL asks for key releases";
  ASSERT_NE(before & KeyPressMask, 0);
  DressWindow(window_);
  EXPECT_EQ(EventMask(), before & ~KeyReleaseMask);
}

TEST_F(DesktopX11Test, TheGameOverBoxIsAModalDialogLeftOutOfTheTaskbar) {
  MarkAsModalDialog(window_);
  EXPECT_EQ(AtomNames("_NET_WM_WINDOW_TYPE"),
            std::vector<std::string>{"_NET_WM_WINDOW_TYPE_DIALOG"});
  EXPECT_EQ(AtomNames("_NET_WM_STATE"),
            (std::vector<std::string>{"_NET_WM_STATE_MODAL", "_NET_WM_STATE_SKIP_TASKBAR"}));
}

TEST_F(DesktopX11Test, TheWindowOpensAtTheFactorGdkScaleAsksForIfTheScreenHasRoom) {
  // The screen is 1600 by 1200: room for factor 2, not 3.
  struct Row {
    const char* gdkScale;
    int32_t scale;
  };
  for (const Row& row : {Row{"2", 2}, Row{"3", 2}, Row{"1", 1}, Row{nullptr, 1}}) {
    if (row.gdkScale != nullptr) {
      setenv("GDK_SCALE", row.gdkScale, 1);
    } else {
      unsetenv("GDK_SCALE");
    }
    EXPECT_EQ(DesktopStartScale(window_), row.scale) << (row.gdkScale ? row.gdkScale : "unset");
  }
  unsetenv("GDK_SCALE");
}

void SetOrUnset(const char* name, const char* value) {
  if (value != nullptr) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
}

// A trial connection tells the three answers apart: a server that takes the game, one that
// refuses it (it wants a cookie the game does not have), with Xlib's reason on one line, and none
// at all. Nothing reaches stderr meanwhile.
TEST(ProbeX11Display, TellsAcceptedFromRefusedWithXlibsReasonFromNoServer) {
  const std::string cookies =
      (std::filesystem::temp_directory_path() / ("nuikaro-cookie-" + std::to_string(getpid())))
          .string();
  {
    std::ofstream out(cookies, std::ios::binary);
    const auto Field = [&out](const std::string& bytes) {
      out.put(static_cast<char>(bytes.size() >> 8)).put(static_cast<char>(bytes.size() & 0xFF));
      out << bytes;
    };
    out.put('\xFF').put('\xFF');  // any address
    Field("");
    Field("0");
    Field("MIT-MAGIC-COOKIE-1");
    Field(std::string(16, 'n'));
  }
  const XServer open = StartXvfb();
  const XServer locked = StartXvfb({"-auth", cookies});
  ASSERT_FALSE(open.Display.empty());
  ASSERT_FALSE(locked.Display.empty());
  setenv("XAUTHORITY", "/nonexistent", 1);
  testing::internal::CaptureStderr();
  std::string reason = "left over";
  const auto OpenFiles = [] {
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                         std::filesystem::directory_iterator());
  };
  const auto filesBefore = OpenFiles();
  EXPECT_EQ(ProbeX11Display(open.Display, reason), X11Answer::Accepted);
  EXPECT_EQ(reason, "");
  EXPECT_EQ(OpenFiles(), filesBefore) << "the trial connection was left open";
  EXPECT_EQ(ProbeX11Display(locked.Display, reason), X11Answer::Refused);
  EXPECT_EQ(reason, "Authorization required, but no authorization protocol specified");
  Stop(open);
  Stop(locked);
  // Not the number just freed: a test running beside this one may start its own Xvfb on it.
  std::string gone;
  for (int number = 900; gone.empty(); ++number) {
    const std::string n = std::to_string(number);
    if (!std::filesystem::exists("/tmp/.X11-unix/X" + n) &&
        !std::filesystem::exists("/tmp/.X" + n + "-lock")) {
      gone = ":" + n;
    }
  }
  EXPECT_EQ(ProbeX11Display(gone, reason), X11Answer::NoServer);
  EXPECT_EQ(reason, "");
  // Once SDL has opened nothing, the reason asks the display the environment names.
  const char* display = std::getenv("DISPLAY");
  const std::string displayBefore = display != nullptr ? display : "";
  setenv("DISPLAY", gone.c_str(), 1);
  unsetenv("WAYLAND_DISPLAY");
  SDL_SetError("x11 not available");
  EXPECT_EQ(UnreachableDisplayReason(),
            "cannot open the display \"" + gone + "\": no X server answers there");
  SetOrUnset("DISPLAY", display != nullptr ? displayBefore.c_str() : nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  unsetenv("XAUTHORITY");
  std::filesystem::remove(cookies);
}

// Before SDL starts: a display is missing only when neither a driver nor a display is named, X11
// is the one driver tried when an X display alone is given, the window's
// X11 class and Wayland app_id are the desktop entry's name, and a locale without UTF-8 gets
// C.UTF-8's character type, in the environment too (SDL's X11 box sets its locale from there).
TEST(PrepareDesktop, PicksX11ForAnXDisplayAloneNamesTheWindowAndMakesTheLocaleUtf8) {
  const std::string display = std::getenv("DISPLAY") != nullptr ? std::getenv("DISPLAY") : "";
  struct DriverRow {
    const char* videoDriver;  // SDL_VIDEODRIVER
    const char* x11;          // DISPLAY
    const char* wayland;      // WAYLAND_DISPLAY
    const char* hint;         // what SDL reads for the driver afterwards
    bool missing;             // MissingDisplayReason gives a reason
  };
  for (const DriverRow& row : {DriverRow{nullptr, ":5", nullptr, "x11", false},
                               DriverRow{nullptr, ":5", "wayland-0", nullptr, false},
                               DriverRow{nullptr, nullptr, "wayland-0", nullptr, false},
                               DriverRow{"wayland", ":5", nullptr, "wayland", false},
                               DriverRow{"x11", nullptr, nullptr, "x11", false},
                               DriverRow{nullptr, nullptr, nullptr, nullptr, true}}) {
    SetOrUnset("SDL_VIDEODRIVER", row.videoDriver);
    SetOrUnset("DISPLAY", row.x11);
    SetOrUnset("WAYLAND_DISPLAY", row.wayland);
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    PrepareDesktop();
    const char* hint = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    EXPECT_EQ(hint != nullptr ? std::string(hint) : "none", row.hint != nullptr ? row.hint : "none")
        << (row.videoDriver ? row.videoDriver : "-") << " " << (row.x11 ? row.x11 : "-") << " "
        << (row.wayland ? row.wayland : "-");
    EXPECT_STREQ(std::getenv("SDL_VIDEO_X11_WMCLASS"), AppId);
    EXPECT_STREQ(std::getenv("SDL_VIDEO_WAYLAND_WMCLASS"), AppId);
    EXPECT_EQ(MissingDisplayReason(),
              row.missing ? "no display to open the game window on (neither DISPLAY nor "
                            "WAYLAND_DISPLAY is set)"
                          : "");
  }
  unsetenv("SDL_VIDEODRIVER");
  unsetenv("WAYLAND_DISPLAY");
  setenv("DISPLAY", display.c_str(), 1);
  SDL_ResetHint(SDL_HINT_VIDEODRIVER);

  struct LocaleRow {
    const char* lang;   // LANG
    const char* all;    // LC_ALL
    const char* ctype;  // LC_CTYPE afterwards, in the environment
    const char* time;   // LC_TIME afterwards, in the environment
  };
  for (const LocaleRow& row :
       {LocaleRow{"C", nullptr, "C.UTF-8", nullptr},
        LocaleRow{nullptr, nullptr, "C.UTF-8", nullptr}, LocaleRow{"C", "C", "C.UTF-8", "C"},
        LocaleRow{"C.UTF-8", nullptr, nullptr, nullptr}}) {
    SetOrUnset("LANG", row.lang);
    SetOrUnset("LC_ALL", row.all);
    for (const char* category : {"LC_CTYPE", "LC_TIME", "LANGUAGE"}) {
      unsetenv(category);
    }
    PrepareDesktop();
    const std::string what = std::string(row.lang ? row.lang : "-") + " " + (row.all ? "C" : "-");
    EXPECT_STREQ(nl_langinfo(CODESET), "UTF-8") << what;
    EXPECT_EQ(std::getenv("LC_ALL"), nullptr) << what;
    EXPECT_STREQ(std::getenv("LC_CTYPE"), row.ctype) << what;
    EXPECT_STREQ(std::getenv("LC_TIME"), row.time) << what;
  }
  std::setlocale(LC_ALL, "C");
  for (const char* name : {"LANG", "LC_ALL", "LC_CTYPE", "LC_TIME"}) {
    unsetenv(name);
  }
}

}  // namespace
}  // namespace nuikaro
