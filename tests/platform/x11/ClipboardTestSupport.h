#pragma once
// What the clipboard tests need to play the other X clients: running xclip while our side keeps
// serving, forked clients with a connection of their own, and a strict requestor that checks every
// answer to the letter. Xlib is used from one thread, so all waiting pumps every connection.

#include <X11/Xlib.h>
#include <poll.h>
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace cliptest {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Connections whose events must keep flowing while a test waits for something else.
class Pump {
 public:
  void Add(Display* display, std::function<void(XEvent&)> handler);
  // Handles every queued event, then waits up to `wait` for more (or for one of the extra fds).
  void Once(milliseconds wait, const std::vector<pollfd>& extra = {});
  // Pumps until done() holds or the time is up; true when done() held.
  bool Until(const std::function<bool()>& done, milliseconds timeout);
  void Drain();

 private:
  struct Connection {
    Display* display;
    std::function<void(XEvent&)> handler;
  };
  std::vector<Connection> connections_;
};

struct ChildResult {
  bool timedOut = false;
  int exitCode = -1;   // -1 when ended by a signal
  std::string output;  // standard output, when captured
};

// Runs a program (searched in PATH) with `input` on its standard input, pumping meanwhile; the
// program is killed after `timeout`. Standard error is discarded; standard output is captured when
// captureOutput (xclip -i leaves a process behind that keeps it open, so don't capture then).
ChildResult RunProgram(const std::vector<std::string>& argv, const std::string& input, Pump& pump,
                       bool captureOutput = true, milliseconds timeout = milliseconds(15000));

// A forked process running `body` with its own connection to the display. It reports through a
// pipe (the fd given to body) and is ended by SIGALRM after 20 s at the latest.
class ForkedClient {
 public:
  explicit ForkedClient(const std::function<int(Display*, int reportFd)>& body);
  ~ForkedClient();  // kills the child if it still runs
  ForkedClient(const ForkedClient&) = delete;
  ForkedClient& operator=(const ForkedClient&) = delete;

  // Reads the next line the child wrote (without '\n'); nullopt on EOF or timeout.
  std::optional<std::string> ReadLine(milliseconds timeout);
  // Everything the child writes until it closes the pipe.
  std::string ReadAll(milliseconds timeout);
  // Exit code, or -1 after a signal or timeout.
  int Wait(milliseconds timeout);

 private:
  pid_t pid_ = -1;
  int fd_ = -1;
  std::string buffered_;
};

Atom Intern(Display* display, const char* name);
std::string AtomName(Display* display, Atom atom);

// The server's present time, seen through a zero-length property append on `window`
// (which must select PropertyChangeMask).
Time ServerTime(Display* display, ::Window window);

// What a property held.
struct Property {
  bool exists = false;
  Atom type = None;
  int format = 0;
  unsigned long items = 0;
  std::string bytes;        // format 8
  std::vector<long> longs;  // format 32
};
Property GetProperty(Display* display, ::Window window, Atom property, bool remove);

// The strict requestor: an ordinary window on a connection of its own that asks the owner for
// targets and records exactly what came back, following INCR. Our owner side is pumped meanwhile.
class Requestor {
 public:
  Requestor(Display* display, Pump& pump);
  ~Requestor();

  struct Chunk {
    Atom type;
    int format;
    size_t size;
  };
  struct Answer {
    bool notified = false;
    XSelectionEvent notify{};
    Property property;  // the first value read (for INCR: the INCR header)
    bool incremental = false;
    std::vector<Chunk> chunks;  // INCR chunks, the zero-length end included
    std::string data;           // the text: the property's bytes, or the INCR chunks joined
  };

  // Converts CLIPBOARD to `target` into `property` (None allowed) on `window` (default: ours).
  Answer Convert(Atom target, Atom property, Time time, ::Window window = None,
                 milliseconds timeout = milliseconds(10000));
  // Sends the request and waits for the notify only (no reading, no INCR).
  std::optional<XSelectionEvent> Request(Atom target, Atom property, Time time, ::Window window,
                                         milliseconds timeout = milliseconds(10000));
  // Waits for a PropertyNewValue of `property` on `window`.
  bool WaitForNewValue(::Window window, Atom property, milliseconds timeout);

  Display* display() const { return display_; }
  ::Window window() const { return window_; }

 private:
  std::optional<XEvent> WaitFor(const std::function<bool(const XEvent&)>& wanted,
                                milliseconds timeout);

  Display* display_;
  Pump& pump_;
  ::Window window_;
  Atom clipboard_;
  Atom incr_;
};

// A text of `size` bytes mixing ASCII lines with two- three- and four-byte UTF-8 sequences,
// always cut at a character boundary (so the size may be a few bytes less).
std::string MixedText(size_t size);

}  // namespace cliptest
