// figures: measures the real program on the current X display (a virtual screen without a window
// manager, as scripts/figures sets up) and prints a Markdown table, each figure beside a baseline
// measured the same way in the same run.
//
//   figures <snipwell executable> <skinned_bar_bench executable>
//   (Config.txt must lie beside the program, so no error report shows)
//
// CPU times are the process's own, from /proc/<pid>/schedstat (nanoseconds on the CPU).
// - Start to mapped: from fork to the MapNotify of the first window, seen on the root window; the
//   baselines are xmessage and a minimal Xlib client (this program run with --minimal-client)
//   that maps one window. Median of seven interleaved rounds.
// - Resident memory with the bar shown, one second after it was mapped, and with the editor open
//   ("Edit text..." clicked through xdotool), from /proc; the baseline is xmessage.
// - Idle CPU over 10 seconds; the baseline is the minimal client.
// - Hover to clipboard: the pointer is warped onto a snippet slot (as a real pointer move, the bar
//   gets the motion), then this client, a second X client, asks for CLIPBOARD until it holds the
//   slot's text; the baseline is one such request answered with text that is already there.
// - CPU per hover: the program's CPU over 200 hovers from slot 3 to slot 4 and back, each waited
//   for through the clipboard, less what answering the readings made while waiting costs it (as
//   many times its CPU per reading of text already there, over 200 such readings: the quicker
//   this client asks again, the more readings a hover takes); the baseline is the HoverSlot3To4
//   benchmark of the same run (the same move on a headless desktop).
// - CPU of a fade: the pointer goes from the bar's background onto the Exit button, whose hot
//   look fades in over 20 steps; the program's CPU over that second, median of five; the baseline
//   is the FullBarPaint benchmark (the whole bar composed and presented once), and beside it the
//   floor of any 20-step animation: the CPU of a process that only wakes 20 times, 10 ms apart.
// - Raising war: without a window manager, a client that raises itself whenever covered (this
//   program run with --rival) is opened over the bar; the program's CPU over the next 5 seconds,
//   beside the rival's own.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

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
constexpr int kStartRounds = 7;
constexpr int kCpuHovers = 200;
constexpr int kFades = 5;
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

// A window across the bottom of the screen that raises itself whenever another covers it.
int Rival() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  const int screen = DefaultScreen(display);
  const int width = DisplayWidth(display, screen);
  const int height = DisplayHeight(display, screen);
  XSetWindowAttributes attributes{};
  attributes.override_redirect = False;
  attributes.event_mask = VisibilityChangeMask;
  attributes.background_pixel = WhitePixel(display, screen);
  const Window window = XCreateWindow(
      display, RootWindow(display, screen), 0, height - 120, static_cast<unsigned>(width), 120, 0,
      CopyFromParent, InputOutput, CopyFromParent, CWEventMask | CWBackPixel, &attributes);
  XMapRaised(display, window);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == VisibilityNotify && event.xvisibility.state != VisibilityUnobscured) {
      XRaiseWindow(display, window);
      XFlush(display);
    }
  }
}

pid_t Start(const std::vector<std::string>& command) {
  const pid_t pid = ::fork();
  if (pid < 0) Fail("cannot fork");
  if (pid == 0) {
    std::vector<char*> argv;
    for (const std::string& a : command) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    // xmessage complains of the locale's fonts: not the figures' business.
    const int quiet = ::open("/dev/null", O_WRONLY);
    if (quiet >= 0) ::dup2(quiet, STDERR_FILENO);
    ::execvp(argv[0], argv.data());
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

// The process's time on the CPU so far, in milliseconds, to the nanosecond.
double CpuMs(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/schedstat");
  double ns = 0;
  in >> ns;
  return ns / 1e6;
}

// The CPU a process spends on 20 wake-ups 10 ms apart doing nothing else, in milliseconds:
// what a fade's timer steps cost before they draw anything. Median of kFades.
double BareWakesMs() {
  std::vector<double> rounds;
  for (int i = 0; i < kFades; ++i) {
    const double before = CpuMs(::getpid());
    for (int step = 0; step < 20; ++step) ::poll(nullptr, 0, 10);
    rounds.push_back(CpuMs(::getpid()) - before);
  }
  return Median(rounds);
}

// The CPU time per iteration of a benchmark of the skinned bar, in milliseconds.
double BenchmarkMs(const std::string& bench, const std::string& name) {
  const std::string command = bench + " --benchmark_filter='^" + name +
                              "$' --benchmark_format=json --benchmark_min_time=0.5 2>/dev/null";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) Fail("cannot run " + bench);
  std::string out;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  ::pclose(pipe);
  const size_t at = out.find("\"name\": \"" + name + "\"");
  const size_t cpu = at == std::string::npos ? at : out.find("\"cpu_time\":", at);
  const size_t unit = cpu == std::string::npos ? cpu : out.find("\"time_unit\": \"", cpu);
  if (unit == std::string::npos) Fail("the benchmark " + name + " gave no figure");
  const double value = std::atof(out.c_str() + cpu + std::strlen("\"cpu_time\":"));
  const std::string u = out.substr(unit + std::strlen("\"time_unit\": \""), 2);
  return u == "ns" ? value / 1e6 : u == "us" ? value / 1e3 : u == "ms" ? value : value * 1e3;
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

// Warps the pointer to a point of the bar (as a real move: the bar gets the motion).
void MoveTo(Display* display, const XWindowAttributes& bar, int x, int y) {
  XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, bar.x + x, bar.y + y);
  XFlush(display);
}

// Hovers slot k and waits until the clipboard holds its text; returns how many times it read the
// clipboard meanwhile.
int HoverSlot(Display* display, const XWindowAttributes& bar, ClipboardReader& reader, int k,
              int shift) {
  MoveTo(display, bar, kSlotLefts[k] + 20 + shift, 14);
  const auto start = Clock::now();
  int reads = 1;
  for (; reader.Read() != std::string(kTexts[k]); ++reads) {
    if (Ms(Clock::now() - start).count() > 5000) Fail("the hover never reached the clipboard");
  }
  return reads;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--minimal-client") return MinimalClient();
  if (argc == 2 && std::string(argv[1]) == "--rival") return Rival();
  if (argc != 3) {
    std::fprintf(stderr, "usage: figures <snipwell executable> <skinned_bar_bench executable>\n");
    return 2;
  }
  const std::string self = "/proc/self/exe";
  char selfPath[4096] = {};
  if (::readlink(self.c_str(), selfPath, sizeof selfPath - 1) <= 0) Fail("cannot find myself");
  const std::vector<std::string> minimal = {selfPath, "--minimal-client"};
  const std::vector<std::string> rival = {selfPath, "--rival"};
  const std::vector<std::string> xmessage = {"xmessage", "Snipwell"};
  const std::vector<std::string> program = {argv[1]};
  const std::string bench = argv[2];

  Display* display = XOpenDisplay(nullptr);
  if (!display) Fail("cannot open the display");
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);

  std::vector<double> baseStarts, xmessageStarts, programStarts;
  for (int i = 0; i < kStartRounds; ++i) {
    baseStarts.push_back(StartToMapped(display, minimal));
    xmessageStarts.push_back(StartToMapped(display, xmessage));
    programStarts.push_back(StartToMapped(display, program));
  }

  pid_t base = 0, message = 0, bar = 0;
  StartToMapped(display, minimal, &base);
  StartToMapped(display, xmessage, &message);
  StartToMapped(display, program, &bar);
  std::this_thread::sleep_for(std::chrono::seconds(1));  // painted and settled
  const long baseRss = StatusKb(base, "VmRSS"), barRss = StatusKb(bar, "VmRSS");
  const long messageRss = StatusKb(message, "VmRSS");
  const double baseIdle = IdleCpuMs(base);
  const double barIdle = IdleCpuMs(bar);
  Stop(message);

  std::optional<XWindowAttributes> where = FindBar(display);
  for (const auto start = Clock::now(); !where && Ms(Clock::now() - start).count() < 10000;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    where = FindBar(display);
  }
  if (!where) Fail("the bar is not on screen");
  ClipboardReader reader(display);
  std::vector<double> hovers, reads;
  for (int i = 0; i < kHovers; ++i) {
    const int k = i % 7;
    const auto start = Clock::now();
    HoverSlot(display, *where, reader, k, i % 20);
    hovers.push_back(Ms(Clock::now() - start).count());
    const auto again = Clock::now();
    if (reader.Read() != std::string(kTexts[k])) Fail("the clipboard changed by itself");
    reads.push_back(Ms(Clock::now() - again).count());
  }

  // The program's CPU per hover, less what answering this client's readings costs it.
  HoverSlot(display, *where, reader, 2, 0);
  double before = CpuMs(bar);
  int hoverReads = 0;
  for (int i = 0; i < kCpuHovers; ++i) {
    hoverReads += HoverSlot(display, *where, reader, 2 + (i + 1) % 2, 0);
  }
  const double hoversAndReadsMs = CpuMs(bar) - before;
  before = CpuMs(bar);
  for (int i = 0; i < kCpuHovers; ++i) {
    if (reader.Read() != std::string(kTexts[2])) Fail("the clipboard changed by itself");
  }
  const double readMs = (CpuMs(bar) - before) / kCpuHovers;
  const double hoverCpuMs = (hoversAndReadsMs - hoverReads * readMs) / kCpuHovers;

  // One fade of the Exit button: from the background beside "Edit text..." onto the button.
  std::vector<double> fades;
  for (int i = 0; i < kFades; ++i) {
    MoveTo(display, *where, 650, 45);
    std::this_thread::sleep_for(std::chrono::milliseconds(600));  // the fade out has ended
    before = CpuMs(bar);
    MoveTo(display, *where, 996, 15);
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));  // 20 steps of 10 ms
    fades.push_back(CpuMs(bar) - before);
  }

  // The editor open: "Edit text..." clicked.
  XSync(display, True);
  const std::string click = "xdotool mousemove " + std::to_string(where->x + 776) + " " +
                            std::to_string(where->y + 42) + " click 1";
  if (std::system(click.c_str()) != 0) Fail("xdotool failed");
  if (!WaitForMap(display)) Fail("the editor did not open");
  std::this_thread::sleep_for(std::chrono::seconds(1));
  const long editorRss = StatusKb(bar, "VmRSS");
  Stop(bar);

  // The raising war: a rival opened over the bar, five seconds of both.
  StartToMapped(display, program, &bar);
  std::this_thread::sleep_for(std::chrono::seconds(1));
  pid_t raiser = 0;
  StartToMapped(display, rival, &raiser);
  const double barBefore = CpuMs(bar), rivalBefore = CpuMs(raiser);
  std::this_thread::sleep_for(std::chrono::seconds(5));
  const double warMs = CpuMs(bar) - barBefore, rivalMs = CpuMs(raiser) - rivalBefore;
  Stop(raiser);
  Stop(bar);
  Stop(base);
  XCloseDisplay(display);

  const double hoverBenchMs = BenchmarkMs(bench, "HoverSlot3To4");
  const double paintBenchMs = BenchmarkMs(bench, "FullBarPaint");
  const double wakesMs = BareWakesMs();

  std::printf("| figure | Snipwell | baseline |\n|---|---|---|\n");
  std::printf(
      "| start to the first window mapped, median of %d | %s | %s (xmessage); %s (a minimal "
      "Xlib client) |\n",
      kStartRounds, Format("%.0f ms", Median(programStarts)).c_str(),
      Format("%.0f ms", Median(xmessageStarts)).c_str(),
      Format("%.0f ms", Median(baseStarts)).c_str());
  std::printf(
      "| resident memory with the bar shown | %s | %s (xmessage); %s (a minimal Xlib "
      "client) |\n",
      Format("%.1f MB", barRss / 1024.0).c_str(), Format("%.1f MB", messageRss / 1024.0).c_str(),
      Format("%.1f MB", baseRss / 1024.0).c_str());
  std::printf("| resident memory with the editor open | %s | %s (xmessage) |\n",
              Format("%.1f MB", editorRss / 1024.0).c_str(),
              Format("%.1f MB", messageRss / 1024.0).c_str());
  std::printf("| CPU used over 10 idle seconds | %s | %s (a minimal Xlib client) |\n",
              Format("%.0f ms", barIdle).c_str(), Format("%.0f ms", baseIdle).c_str());
  std::printf(
      "| hover to the text seen on the clipboard by another client, median (95th percentile) of "
      "%d | %s (%s) | %s (%s) (reading text already there) |\n",
      kHovers, Format("%.2f ms", Median(hovers)).c_str(),
      Format("%.2f ms", Percentile95(hovers)).c_str(), Format("%.2f ms", Median(reads)).c_str(),
      Format("%.2f ms", Percentile95(reads)).c_str());
  std::printf(
      "| CPU per hover from slot 3 to slot 4, over %d (less %s readings of the clipboard a "
      "hover, %s each) | %s | %s (the HoverSlot3To4 benchmark) |\n",
      kCpuHovers, Format("%.1f", static_cast<double>(hoverReads) / kCpuHovers).c_str(),
      Format("%.0f µs", readMs * 1000).c_str(), Format("%.0f µs", hoverCpuMs * 1000).c_str(),
      Format("%.0f µs", hoverBenchMs * 1000).c_str());
  std::printf(
      "| CPU of one 20-step fade of the Exit button, median of %d | %s | %s (the "
      "FullBarPaint benchmark); %s (20 wake-ups 10 ms apart that draw nothing) |\n",
      kFades, Format("%.2f ms", Median(fades)).c_str(), Format("%.2f ms", paintBenchMs).c_str(),
      Format("%.2f ms", wakesMs).c_str());
  std::printf(
      "| CPU over 5 s beside a client that raises itself whenever covered | %s | %s (that "
      "client's own) |\n",
      Format("%.0f ms", warMs).c_str(), Format("%.0f ms", rivalMs).c_str());
  return 0;
}
