// figures: measures the real program on the current X display (a virtual screen without a window
// manager, as scripts/figures sets up) and prints a Markdown table, each figure beside a baseline
// measured the same way in the same run.
//
//   figures <snipwell executable>      (Config.txt must lie beside it, so no error report shows)
//
// - Start to mapped: from fork to the MapNotify of the first window, seen on the root window; the
//   baseline is a minimal Xlib client (this program run with --minimal-client) that maps one
//   window. Median of five starts each.
// - Hover to clipboard: the pointer is warped onto a snippet slot (as a real pointer move, the bar
//   gets the motion), then this client, a second X client, asks for CLIPBOARD until it holds the
//   slot's text; the baseline is one such request answered with text that is already there.
// - Idle CPU over 10 seconds and resident memory with the bar shown, from /proc; the baseline is
//   the minimal client.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

constexpr int kStarts = 5;
constexpr int kHovers = 60;
const char* const kTexts[7] = {"one", "two", "three", "four", "five", "six", "seven"};
constexpr int kSlotLefts[7] = {8, 145, 282, 420, 557, 694, 832};

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "figures: %s\n", what.c_str());
  std::exit(1);
}

int MinimalClient() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  const Window window =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 200, 50, 0, 0, 0xFFFFFF);
  XMapWindow(display, window);
  XFlush(display);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
  }
}

pid_t Start(const std::vector<std::string>& command) {
  const pid_t pid = ::fork();
  if (pid < 0) Fail("cannot fork");
  if (pid == 0) {
    std::vector<char*> argv;
    for (const std::string& a : command) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  return pid;
}

void Stop(pid_t pid) {
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
}

// Waits for the next MapNotify of a top-level window; false after 20 s.
bool WaitForMap(Display* display) {
  const auto deadline = Clock::now() + std::chrono::seconds(20);
  while (Clock::now() < deadline) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify) return true;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return false;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double Percentile95(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, values.size() * 95 / 100)];
}

// Milliseconds from fork to the first window mapped, for `command`; the process keeps running
// and is returned through `running` (the last start's) when asked for.
double StartToMapped(Display* display, const std::vector<std::string>& command,
                     pid_t* running = nullptr) {
  XSync(display, True);  // forget earlier events
  const auto start = Clock::now();
  const pid_t pid = Start(command);
  if (!WaitForMap(display)) Fail("no window was mapped by " + command[0]);
  const double ms = Ms(Clock::now() - start).count();
  if (running)
    *running = pid;
  else
    Stop(pid);
  return ms;
}

long StatusKb(pid_t pid, const std::string& field) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(field + ":", 0) == 0) return std::atol(line.c_str() + field.size() + 1);
  }
  return -1;
}

// User and system CPU time of the process so far, in clock ticks.
long CpuTicks(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::istringstream fields(all.substr(all.rfind(')') + 2));
  std::string field;
  long utime = 0, stime = 0;
  for (int i = 3; fields >> field; ++i) {
    if (i == 14) utime = std::atol(field.c_str());
    if (i == 15) {
      stime = std::atol(field.c_str());
      break;
    }
  }
  return utime + stime;
}

// CPU the process used over 10 idle seconds, in milliseconds.
double IdleCpuMs(pid_t pid) {
  const long before = CpuTicks(pid);
  std::this_thread::sleep_for(std::chrono::seconds(10));
  return (CpuTicks(pid) - before) * 1000.0 / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

class ClipboardReader {
 public:
  explicit ClipboardReader(Display* display) : display_(display) {
    window_ = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    clipboard_ = XInternAtom(display, "CLIPBOARD", False);
    utf8_ = XInternAtom(display, "UTF8_STRING", False);
    property_ = XInternAtom(display, "FIGURES", False);
  }
  // The clipboard's text, or nullopt when nobody answered within a second.
  std::optional<std::string> Read() {
    XConvertSelection(display_, clipboard_, utf8_, property_, window_, CurrentTime);
    XFlush(display_);
    const auto deadline = Clock::now() + std::chrono::seconds(1);
    while (Clock::now() < deadline) {
      XEvent event;
      if (XCheckTypedWindowEvent(display_, window_, SelectionNotify, &event)) {
        if (event.xselection.property == None) return std::string();
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(display_, window_, property_, 0, 1 << 20, True, AnyPropertyType, &type,
                           &format, &count, &after, &data);
        std::string text(reinterpret_cast<char*>(data), data ? count : 0);
        if (data) XFree(data);
        return text;
      }
    }
    return std::nullopt;
  }

 private:
  Display* display_;
  Window window_ = None;
  Atom clipboard_ = None, utf8_ = None, property_ = None;
};

// The bar: the only mapped top-level window 1019 pixels wide.
std::optional<XWindowAttributes> FindBar(Display* display) {
  Window root = None, parent = None, *children = nullptr;
  unsigned count = 0;
  std::optional<XWindowAttributes> bar;
  if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
    return bar;
  for (unsigned i = 0; i < count; ++i) {
    XWindowAttributes a;
    if (XGetWindowAttributes(display, children[i], &a) && a.map_state == IsViewable &&
        a.width == 1019)
      bar = a;
  }
  if (children) XFree(children);
  return bar;
}

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--minimal-client") return MinimalClient();
  if (argc != 2) {
    std::fprintf(stderr, "usage: figures <snipwell executable>\n");
    return 2;
  }
  const std::string self = "/proc/self/exe";
  char selfPath[4096] = {};
  if (::readlink(self.c_str(), selfPath, sizeof selfPath - 1) <= 0) Fail("cannot find myself");
  const std::vector<std::string> minimal = {selfPath, "--minimal-client"};
  const std::vector<std::string> program = {argv[1]};

  Display* display = XOpenDisplay(nullptr);
  if (!display) Fail("cannot open the display");
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);

  std::vector<double> baseStarts, programStarts;
  for (int i = 0; i < kStarts; ++i) {
    baseStarts.push_back(StartToMapped(display, minimal));
    programStarts.push_back(StartToMapped(display, program));
  }

  pid_t base = 0, bar = 0;
  StartToMapped(display, minimal, &base);
  StartToMapped(display, program, &bar);
  std::this_thread::sleep_for(std::chrono::seconds(1));  // painted and settled
  const long baseRss = StatusKb(base, "VmRSS"), barRss = StatusKb(bar, "VmRSS");
  const double baseIdle = IdleCpuMs(base);
  const double barIdle = IdleCpuMs(bar);

  const std::optional<XWindowAttributes> where = FindBar(display);
  if (!where) Fail("the bar is not on screen");
  ClipboardReader reader(display);
  std::vector<double> hovers, reads;
  for (int i = 0; i < kHovers; ++i) {
    const int k = i % 7;
    XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0,
                 where->x + kSlotLefts[k] + 20 + i % 20, where->y + 14);
    XFlush(display);
    const auto start = Clock::now();
    for (;;) {
      const std::optional<std::string> text = reader.Read();
      if (text == std::string(kTexts[k])) break;
      if (Ms(Clock::now() - start).count() > 5000) Fail("the hover never reached the clipboard");
    }
    hovers.push_back(Ms(Clock::now() - start).count());
    const auto again = Clock::now();
    if (reader.Read() != std::string(kTexts[k])) Fail("the clipboard changed by itself");
    reads.push_back(Ms(Clock::now() - again).count());
  }
  Stop(bar);
  Stop(base);
  XCloseDisplay(display);

  std::printf("| figure | Snipwell | baseline |\n|---|---|---|\n");
  std::printf(
      "| start to the first window mapped, median of %d | %s | %s (a minimal Xlib client) |\n",
      kStarts, Format("%.0f ms", Median(programStarts)).c_str(),
      Format("%.0f ms", Median(baseStarts)).c_str());
  std::printf(
      "| hover to the text seen on the clipboard by another client, median (95th percentile) of "
      "%d | %s (%s) | %s (%s) (reading text already there) |\n",
      kHovers, Format("%.2f ms", Median(hovers)).c_str(),
      Format("%.2f ms", Percentile95(hovers)).c_str(), Format("%.2f ms", Median(reads)).c_str(),
      Format("%.2f ms", Percentile95(reads)).c_str());
  std::printf("| CPU used over 10 idle seconds | %s | %s (a minimal Xlib client) |\n",
              Format("%.0f ms", barIdle).c_str(), Format("%.0f ms", baseIdle).c_str());
  std::printf("| resident memory with the bar shown | %s | %s (a minimal Xlib client) |\n",
              Format("%.1f MB", barRss / 1024.0).c_str(),
              Format("%.1f MB", baseRss / 1024.0).c_str());
  return 0;
}
