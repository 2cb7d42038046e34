// GoogleTest before Xlib: X.h defines None and Bool as macros, which GoogleTest uses as names.
#include <gtest/gtest.h>

#include "ClipboardTestSupport.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <thread>

extern char** environ;

namespace cliptest {

namespace {

milliseconds Left(Clock::time_point deadline) {
  return std::max(milliseconds(0),
                  std::chrono::duration_cast<milliseconds>(deadline - Clock::now()));
}

// Waits for a child; kills it at the deadline. Returns the exit code, -1 after a signal.
int Reap(pid_t pid, Clock::time_point deadline, bool* timedOut) {
  int status = 0;
  for (;;) {
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (done < 0) return -1;
    if (Clock::now() >= deadline) {
      if (timedOut != nullptr) *timedOut = true;
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(milliseconds(5));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

void Pump::Add(Display* display, std::function<void(XEvent&)> handler) {
  connections_.push_back({display, std::move(handler)});
}

void Pump::Drain() {
  for (Connection& connection : connections_) {
    while (XPending(connection.display) > 0) {
      XEvent event;
      XNextEvent(connection.display, &event);
      connection.handler(event);
    }
  }
}

void Pump::Once(milliseconds wait, const std::vector<pollfd>& extra) {
  Drain();
  std::vector<pollfd> fds = extra;
  for (const Connection& connection : connections_) {
    fds.push_back({ConnectionNumber(connection.display), POLLIN, 0});
  }
  poll(fds.data(), fds.size(), static_cast<int>(wait.count()));
  Drain();
}

bool Pump::Until(const std::function<bool()>& done, milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  for (;;) {
    Drain();
    if (done()) return true;
    if (Clock::now() >= deadline) return false;
    Once(std::min(milliseconds(20), Left(deadline)));
  }
}

ChildResult RunProgram(const std::vector<std::string>& argv, const std::string& input, Pump& pump,
                       bool captureOutput, milliseconds timeout) {
  // A program that stops reading its input must not end the test by SIGPIPE.
  signal(SIGPIPE, SIG_IGN);
  ChildResult result;
  int in[2];
  int out[2] = {-1, -1};
  if (pipe2(in, O_CLOEXEC) != 0) return result;
  if (captureOutput && pipe2(out, O_CLOEXEC) != 0) {
    close(in[0]);
    close(in[1]);
    return result;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  if (captureOutput) {
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  } else {
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  }
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  if (captureOutput) close(out[1]);
  if (spawned != 0) {
    close(in[1]);
    if (captureOutput) close(out[0]);
    return result;
  }

  int inFd = in[1];
  int outFd = captureOutput ? out[0] : -1;
  fcntl(inFd, F_SETFL, O_NONBLOCK);
  if (outFd >= 0) fcntl(outFd, F_SETFL, O_NONBLOCK);
  size_t written = 0;
  bool exited = false;
  int status = 0;
  const Clock::time_point deadline = Clock::now() + timeout;
  for (;;) {
    if (inFd >= 0 && written == input.size()) {
      close(inFd);
      inFd = -1;
    }
    if (inFd >= 0) {
      const ssize_t n = write(inFd, input.data() + written, input.size() - written);
      if (n > 0) {
        written += static_cast<size_t>(n);
      } else if (n < 0 && errno != EAGAIN) {
        close(inFd);  // the program stopped reading
        inFd = -1;
      }
    }
    if (outFd >= 0) {
      char buffer[65536];
      ssize_t n;
      while ((n = read(outFd, buffer, sizeof buffer)) > 0) result.output.append(buffer, n);
      if (n == 0) {
        close(outFd);
        outFd = -1;
      }
    }
    if (!exited && waitpid(pid, &status, WNOHANG) == pid) exited = true;
    if (exited && outFd < 0) break;
    if (Clock::now() >= deadline) {
      result.timedOut = true;
      break;
    }
    std::vector<pollfd> extra;
    if (inFd >= 0) extra.push_back({inFd, POLLOUT, 0});
    if (outFd >= 0) extra.push_back({outFd, POLLIN, 0});
    pump.Once(milliseconds(10), extra);
  }
  if (inFd >= 0) close(inFd);
  if (outFd >= 0) close(outFd);
  if (!exited) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  result.exitCode = WIFEXITED(status) && !result.timedOut ? WEXITSTATUS(status) : -1;
  return result;
}

ForkedClient::ForkedClient(const std::function<int(Display*, int)>& body) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return;
  std::fflush(nullptr);
  pid_ = fork();
  if (pid_ == 0) {
    // The child never touches the parent's connection or test state.
    close(fds[0]);
    alarm(20);
    Display* display = XOpenDisplay(nullptr);
    const int code = display != nullptr ? body(display, fds[1]) : 100;
    if (display != nullptr) XCloseDisplay(display);
    _exit(code);
  }
  close(fds[1]);
  if (pid_ < 0) {
    close(fds[0]);
    return;
  }
  fd_ = fds[0];
}

ForkedClient::~ForkedClient() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (fd_ >= 0) close(fd_);
}

std::optional<std::string> ForkedClient::ReadLine(milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  for (;;) {
    const size_t end = buffered_.find('\n');
    if (end != std::string::npos) {
      std::string line = buffered_.substr(0, end);
      buffered_.erase(0, end + 1);
      return line;
    }
    if (fd_ < 0) return std::nullopt;
    pollfd fd{fd_, POLLIN, 0};
    if (poll(&fd, 1, static_cast<int>(Left(deadline).count())) <= 0) return std::nullopt;
    char buffer[4096];
    const ssize_t n = read(fd_, buffer, sizeof buffer);
    if (n <= 0) return std::nullopt;
    buffered_.append(buffer, n);
  }
}

std::string ForkedClient::ReadAll(milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  while (fd_ >= 0) {
    pollfd fd{fd_, POLLIN, 0};
    if (poll(&fd, 1, static_cast<int>(Left(deadline).count())) <= 0) break;
    char buffer[4096];
    const ssize_t n = read(fd_, buffer, sizeof buffer);
    if (n <= 0) break;
    buffered_.append(buffer, n);
  }
  std::string all;
  all.swap(buffered_);
  return all;
}

int ForkedClient::Wait(milliseconds timeout) {
  if (pid_ <= 0) return -1;
  const int code = Reap(pid_, Clock::now() + timeout, nullptr);
  pid_ = -1;
  return code;
}

Atom Intern(Display* display, const char* name) { return XInternAtom(display, name, False); }

std::string AtomName(Display* display, Atom atom) {
  if (atom == None) return "None";
  char* name = XGetAtomName(display, atom);
  std::string result = name != nullptr ? name : "?";
  if (name != nullptr) XFree(name);
  return result;
}

Time ServerTime(Display* display, ::Window window) {
  const Atom property = Intern(display, "CLIPTEST_TIME");
  static const unsigned char kNothing = 0;
  XChangeProperty(display, window, property, property, 8, PropModeAppend, &kNothing, 0);
  XFlush(display);
  const Clock::time_point deadline = Clock::now() + milliseconds(5000);
  struct Match {
    ::Window window;
    Atom property;
  } match{window, property};
  const auto predicate = [](Display*, XEvent* event, XPointer arg) -> Bool {
    const auto* m = reinterpret_cast<const Match*>(arg);
    return event->type == PropertyNotify && event->xproperty.window == m->window &&
           event->xproperty.atom == m->property;
  };
  XEvent event;
  while (!XCheckIfEvent(display, &event, predicate, reinterpret_cast<XPointer>(&match))) {
    if (Clock::now() >= deadline) {
      ADD_FAILURE() << "the server did not report its time";
      return CurrentTime;
    }
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, 20);
  }
  return event.xproperty.time;
}

Property GetProperty(Display* display, ::Window window, Atom property, bool remove) {
  Property result;
  unsigned char* data = nullptr;
  unsigned long after = 0;
  const int status = XGetWindowProperty(display, window, property, 0, (64L << 20) / 4,
                                        remove ? True : False, AnyPropertyType, &result.type,
                                        &result.format, &result.items, &after, &data);
  if (status != Success || result.type == None) {
    if (data != nullptr) XFree(data);
    result.type = None;
    return result;
  }
  result.exists = true;
  if (result.format == 8) {
    result.bytes.assign(reinterpret_cast<const char*>(data), result.items);
  } else if (result.format == 32) {
    const auto* longs = reinterpret_cast<const long*>(data);
    result.longs.assign(longs, longs + result.items);
  }
  XFree(data);
  return result;
}

Requestor::Requestor(Display* display, Pump& pump)
    : display_(display),
      pump_(pump),
      window_(XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0)),
      clipboard_(Intern(display, "CLIPBOARD")),
      incr_(Intern(display, "INCR")) {
  XSelectInput(display_, window_, PropertyChangeMask);
  XSync(display_, False);
}

Requestor::~Requestor() {
  XDestroyWindow(display_, window_);
  XSync(display_, False);
}

std::optional<XEvent> Requestor::WaitFor(const std::function<bool(const XEvent&)>& wanted,
                                         milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  for (;;) {
    pump_.Drain();
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      if (wanted(event)) return event;
    }
    if (Clock::now() >= deadline) return std::nullopt;
    pump_.Once(std::min(milliseconds(20), Left(deadline)),
               {pollfd{ConnectionNumber(display_), POLLIN, 0}});
  }
}

std::optional<XSelectionEvent> Requestor::Request(Atom target, Atom property, Time time,
                                                  ::Window window, milliseconds timeout) {
  if (window == None) window = window_;
  XConvertSelection(display_, clipboard_, target, property, window, time);
  XFlush(display_);
  const auto event = WaitFor(
      [&](const XEvent& e) {
        return e.type == SelectionNotify && e.xselection.requestor == window &&
               e.xselection.selection == clipboard_;
      },
      timeout);
  if (!event) return std::nullopt;
  return event->xselection;
}

bool Requestor::WaitForNewValue(::Window window, Atom property, milliseconds timeout) {
  return WaitFor(
             [&](const XEvent& e) {
               return e.type == PropertyNotify && e.xproperty.window == window &&
                      e.xproperty.atom == property && e.xproperty.state == PropertyNewValue;
             },
             timeout)
      .has_value();
}

Requestor::Answer Requestor::Convert(Atom target, Atom property, Time time, ::Window window,
                                     milliseconds timeout) {
  if (window == None) window = window_;
  Answer answer;
  const auto notify = Request(target, property, time, window, timeout);
  if (!notify) return answer;
  answer.notified = true;
  answer.notify = *notify;
  if (notify->property == None) return answer;
  // Reading with delete is what asks an INCR sender for the next chunk.
  answer.property = GetProperty(display_, window, notify->property, true);
  if (answer.property.type != incr_) {
    answer.data = answer.property.bytes;
    return answer;
  }
  answer.incremental = true;
  while (WaitForNewValue(window, notify->property, timeout)) {
    const Property chunk = GetProperty(display_, window, notify->property, true);
    if (!chunk.exists) continue;
    answer.chunks.push_back({chunk.type, chunk.format, chunk.bytes.size() + chunk.longs.size()});
    if (chunk.items == 0) break;
    answer.data += chunk.bytes;
  }
  return answer;
}

std::string MixedText(size_t size) {
  std::string text;
  text.reserve(size);
  char number[32];
  for (size_t line = 0;; ++line) {
    std::snprintf(number, sizeof number, "%07zu ", line);
    const std::string piece =
        std::string(number) + "ASCII, Grüße — 日本語 ✓ \xF0\x9F\x98\x80 end\n";
    if (text.size() + piece.size() > size) break;
    text += piece;
  }
  text.append(size - text.size(), '.');
  return text;
}

}  // namespace cliptest
