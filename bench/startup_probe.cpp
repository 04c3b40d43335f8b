// Measures programs in an X server of their own (DISPLAY), with no window manager:
//
//   startup_probe start ROUNDS SETTLE_MS NAME=PROGRAM...
//     Starts each program in turn, ROUNDS times after one round that is not counted, the order
//     turning by one each round. Times exec until its first window is mapped (MapNotify on the
//     root) and until that window shows its first frame (the row at y 36 holds more than one
//     colour), reads its peak resident memory (VmHWM) SETTLE_MS later, closes the window
//     (WM_DELETE_WINDOW) and waits for the exit. Prints one line per program:
//       NAME map_ms_median map_ms_min map_ms_max drawn_ms_median peak_kb_median
//
//   startup_probe browser ROUNDS PROGRAM RECORD EXPANDED_HEIGHT
//     PROGRAM is the Tivarel window with a B address restored into its box; the xdg-open first in
//     PATH appends "epoch_ns pid argc" to RECORD and then sleeps. Each round clicks "open" and at
//     once the expand toggle, and times the click until the window has taken its expanded height,
//     and until the stand-in recorded the hand-off. Prints one line per round:
//       answer_ms handoff_ms argc
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "startup_probe: %s\n", why.c_str());
  std::exit(1);
}

struct Server {
  Display* display = nullptr;
  Window root = 0;
  Atom protocols = 0;
  Atom deleteWindow = 0;
};

Server Connect() {
  Server server;
  server.display = XOpenDisplay(nullptr);
  if (server.display == nullptr)
    Fail("no X server on DISPLAY");
  server.root = DefaultRootWindow(server.display);
  server.protocols = XInternAtom(server.display, "WM_PROTOCOLS", False);
  server.deleteWindow = XInternAtom(server.display, "WM_DELETE_WINDOW", False);
  XSelectInput(server.display, server.root, SubstructureNotifyMask);
  XSync(server.display, True);
  return server;
}

// The next event that accept takes, or false at the deadline. Other events are dropped.
template <typename Accept>
bool WaitForEvent(Server& server, Clock::time_point deadline, Accept accept) {
  for (;;) {
    while (XPending(server.display) > 0) {
      XEvent event;
      XNextEvent(server.display, &event);
      if (accept(event))
        return true;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0)
      return false;
    pollfd connection{ConnectionNumber(server.display), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(left.count()));
  }
}

void Drain(Server& server, int milliseconds) {
  WaitForEvent(server, Clock::now() + std::chrono::milliseconds(milliseconds),
               [](const XEvent&) { return false; });
}

pid_t Spawn(const std::string& program) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  char* args[] = {const_cast<char*>(program.c_str()), nullptr};
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, args, environ) != 0)
    Fail("cannot start " + program);
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

long PeakResidentKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0)
      return std::atol(line.c_str() + 6);
  }
  return -1;
}

struct Launch {
  pid_t pid = 0;
  Window window = 0;
  double mapMilliseconds = 0;
  double drawnMilliseconds = 0;
};

// True once the row through the window's first controls shows more than one colour: the program
// has drawn its first frame.
bool RowDrawn(Server& server, Window window, int row) {
  XWindowAttributes attributes;
  if (XGetWindowAttributes(server.display, window, &attributes) == 0 || row >= attributes.height)
    return false;
  XImage* image = XGetImage(server.display, window, 0, row, static_cast<unsigned>(attributes.width),
                            1, AllPlanes, ZPixmap);
  if (image == nullptr)
    return false;
  bool drawn = false;
  const unsigned long first = XGetPixel(image, 0, 0);
  for (int x = 1; x < attributes.width && !drawn; ++x)
    drawn = XGetPixel(image, x, 0) != first;
  XDestroyImage(image);
  return drawn;
}

Launch StartAndWaitForMap(Server& server, const std::string& program) {
  Launch launch;
  const Clock::time_point start = Clock::now();
  launch.pid = Spawn(program);
  const bool mapped = WaitForEvent(server, start + std::chrono::seconds(30), [&](const XEvent& e) {
    if (e.type != MapNotify || e.xmap.event != server.root || e.xmap.override_redirect)
      return false;
    launch.window = e.xmap.window;
    return true;
  });
  if (!mapped)
    Fail(program + " mapped no window");
  launch.mapMilliseconds = MillisecondsBetween(start, Clock::now());
  // The row at y 36 crosses the address box and the "open" button of each window compared.
  const Clock::time_point deadline = Clock::now() + std::chrono::seconds(10);
  while (!RowDrawn(server, launch.window, 36) && Clock::now() < deadline)
    Drain(server, 1);
  launch.drawnMilliseconds = MillisecondsBetween(start, Clock::now());
  return launch;
}

void CloseAndWait(Server& server, const Launch& launch) {
  XEvent close{};
  close.xclient.type = ClientMessage;
  close.xclient.window = launch.window;
  close.xclient.message_type = server.protocols;
  close.xclient.format = 32;
  close.xclient.data.l[0] = static_cast<long>(server.deleteWindow);
  close.xclient.data.l[1] = CurrentTime;
  XSendEvent(server.display, launch.window, False, NoEventMask, &close);
  XFlush(server.display);
  const Clock::time_point deadline = Clock::now() + std::chrono::seconds(5);
  int status = 0;
  while (waitpid(launch.pid, &status, WNOHANG) == 0) {
    if (Clock::now() > deadline) {
      kill(launch.pid, SIGKILL);
      waitpid(launch.pid, &status, 0);
      std::fprintf(stderr, "startup_probe: pid %d did not close; killed\n", launch.pid);
      break;
    }
    Drain(server, 5);
  }
  Drain(server, 50);  // the server has seen the last of the window
}

template <typename T>
T Median(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

int Start(int rounds, int settleMilliseconds, const std::vector<std::string>& namedPrograms) {
  struct Subject {
    std::string name;
    std::string program;
    std::vector<double> mapMilliseconds;
    std::vector<double> drawnMilliseconds;
    std::vector<long> peakKb;
  };
  std::vector<Subject> subjects;
  for (const std::string& named : namedPrograms) {
    const size_t equals = named.find('=');
    if (equals == std::string::npos)
      Fail("expected NAME=PROGRAM, got " + named);
    subjects.push_back({named.substr(0, equals), named.substr(equals + 1), {}, {}, {}});
  }
  Server server = Connect();
  for (int round = -1; round < rounds; ++round) {
    for (size_t i = 0; i < subjects.size(); ++i) {
      Subject& subject = subjects[(i + static_cast<size_t>(round + 1)) % subjects.size()];
      const Launch launch = StartAndWaitForMap(server, subject.program);
      Drain(server, settleMilliseconds);
      const long peak = PeakResidentKb(launch.pid);
      CloseAndWait(server, launch);
      if (round < 0)
        continue;  // the first round fills the caches
      subject.mapMilliseconds.push_back(launch.mapMilliseconds);
      subject.drawnMilliseconds.push_back(launch.drawnMilliseconds);
      subject.peakKb.push_back(peak);
    }
  }
  for (const Subject& subject : subjects) {
    const auto [low, high] =
        std::minmax_element(subject.mapMilliseconds.begin(), subject.mapMilliseconds.end());
    std::printf("%s %.1f %.1f %.1f %.1f %ld\n", subject.name.c_str(),
                Median(subject.mapMilliseconds), *low, *high, Median(subject.drawnMilliseconds),
                Median(subject.peakKb));
  }
  return 0;
}

void Click(Server& server, int x, int y) {
  XTestFakeMotionEvent(server.display, -1, x, y, CurrentTime);
  XTestFakeButtonEvent(server.display, 1, True, CurrentTime);
  XTestFakeButtonEvent(server.display, 1, False, CurrentTime);
}

long long EpochNanoseconds() {
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// The first record line, once the stand-in has written it: epoch ns, pid, argument count.
bool ReadRecord(const std::string& record, long long& at, long& pid, int& argc) {
  std::ifstream in(record);
  std::string line;
  if (!std::getline(in, line))
    return false;
  std::istringstream fields(line);
  return static_cast<bool>(fields >> at >> pid >> argc);
}

int Browser(int rounds, const std::string& program, const std::string& record, int expanded) {
  // Client-area places of the controls clicked: 按钮1 "打开" and 按钮13, the expand toggle.
  constexpr int kOpenX = 721 + 25, kOpenY = 16 + 20;
  constexpr int kExpandX = 784 + 29, kExpandY = 64 + 20;
  Server server = Connect();
  int status = 0;
  for (int round = 0; round < rounds; ++round) {
    std::ofstream(record, std::ios::trunc).close();
    const Launch launch = StartAndWaitForMap(server, program);
    Drain(server, 500);  // painted and taking input
    int left = 0, top = 0;
    Window child;
    XTranslateCoordinates(server.display, launch.window, server.root, 0, 0, &left, &top, &child);

    const long long clickedAt = EpochNanoseconds();
    const Clock::time_point clicked = Clock::now();
    Click(server, left + kOpenX, top + kOpenY);
    Click(server, left + kExpandX, top + kExpandY);
    XFlush(server.display);
    const bool answered =
        WaitForEvent(server, clicked + std::chrono::seconds(20), [&](const XEvent& e) {
          return e.type == ConfigureNotify && e.xconfigure.window == launch.window &&
                 e.xconfigure.height == expanded;
        });
    const double answer = MillisecondsBetween(clicked, Clock::now());

    long long handedAt = 0;
    long opener = 0;
    int argc = -1;
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(5);
    while (!ReadRecord(record, handedAt, opener, argc) && Clock::now() < deadline)
      Drain(server, 5);
    CloseAndWait(server, launch);
    if (opener > 0)
      kill(static_cast<pid_t>(opener), SIGTERM);  // the stand-in would sleep on
    if (!answered || argc < 0) {
      std::fprintf(stderr, "startup_probe: round %d: %s\n", round,
                   answered ? "no hand-off recorded" : "the window did not expand");
      status = 1;
      continue;
    }
    std::printf("%.1f %.1f %d\n", answer, static_cast<double>(handedAt - clickedAt) / 1e6, argc);
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() >= 4 && args[0] == "start")
    return Start(std::atoi(args[1].c_str()), std::atoi(args[2].c_str()),
                 std::vector<std::string>(args.begin() + 3, args.end()));
  if (args.size() == 5 && args[0] == "browser")
    return Browser(std::atoi(args[1].c_str()), args[2], args[3], std::atoi(args[4].c_str()));
  std::fprintf(stderr,
               "usage: startup_probe start ROUNDS SETTLE_MS NAME=PROGRAM...\n"
               "       startup_probe browser ROUNDS PROGRAM RECORD EXPANDED_HEIGHT\n");
  return 2;
}
