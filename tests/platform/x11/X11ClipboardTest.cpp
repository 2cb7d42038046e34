// The clipboard against real clients: xclip in both directions, forked owners that answer only
// some targets or not at all, and a forked clipboard manager taking the text over at exit.

// GoogleTest before Xlib: X.h defines None and Bool as macros, which GoogleTest uses as names.
#include <gtest/gtest.h>

#include "platform/x11/X11Clipboard.h"

#include <X11/Xatom.h>
#include <unistd.h>

#include <memory>
#include <set>
#include <sstream>

#include "ClipboardTestSupport.h"

namespace {

using namespace cliptest;
using platform::x11::X11Clipboard;

const std::string kUtf8Text = "Grüße — 日本語 ✓";

class X11ClipboardWithXclip : public ::testing::Test {
 protected:
  void SetUp() override {
    display_ = XOpenDisplay(nullptr);
    ASSERT_NE(display_, nullptr) << "no X display (run under with-xvfb.sh)";
    clipboard_ = std::make_unique<X11Clipboard>(display_);
    pump_.Add(display_, [this](XEvent& event) { clipboard_->HandleEvent(event); });
  }
  void TearDown() override {
    clipboard_.reset();
    if (display_ != nullptr) XCloseDisplay(display_);
  }

  ChildResult Xclip(std::vector<std::string> args, const std::string& input = {},
                    bool capture = true) {
    std::vector<std::string> argv = {"xclip", "-selection", "clipboard"};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(argv, input, pump_, capture);
  }

  // xclip takes the clipboard and leaves a process behind that serves it.
  void PutWithXclip(const std::string& text) {
    const Atom clipboard = Intern(display_, "CLIPBOARD");
    const ::Window before = XGetSelectionOwner(display_, clipboard);
    const ChildResult result = Xclip({"-i"}, text, false);
    ASSERT_EQ(result.exitCode, 0);
    ASSERT_TRUE(pump_.Until(
        [&] {
          const ::Window owner = XGetSelectionOwner(display_, clipboard);
          return owner != None && owner != before && owner != clipboard_->HelperWindow();
        },
        milliseconds(5000)))
        << "xclip did not take the clipboard";
  }

  Display* display_ = nullptr;
  std::unique_ptr<X11Clipboard> clipboard_;
  Pump pump_;
};

TEST_F(X11ClipboardWithXclip, XclipReadsPublishedTextByteForByte) {
  for (const std::string& text : {std::string("plain ASCII text"), kUtf8Text, std::string()}) {
    ASSERT_TRUE(clipboard_->Publish(text, CurrentTime));
    EXPECT_TRUE(clipboard_->Owns());
    const ChildResult result = Xclip({"-o"});
    EXPECT_EQ(result.exitCode, 0) << text;
    EXPECT_EQ(result.output, text);
  }
  // Counted bytes: NUL bytes travel too.
  const std::string withNul("before\0middle\0after", 19);
  ASSERT_TRUE(clipboard_->Publish(withNul, CurrentTime));
  const ChildResult result = Xclip({"-t", "UTF8_STRING", "-o"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.output, withNul);
}

TEST_F(X11ClipboardWithXclip, XclipReadsFiveMegabytesByIncr) {
  const std::string text = MixedText(5 << 20);
  ASSERT_TRUE(clipboard_->Publish(text, CurrentTime));
  const ChildResult result = Xclip({"-o"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.output.size(), text.size());
  EXPECT_TRUE(result.output == text);
  // The transfer ended with its zero-length chunk: nothing left to wait for.
  EXPECT_EQ(clipboard_->NextTimeoutMs(), std::nullopt);
}

TEST_F(X11ClipboardWithXclip, TargetsListedAndUnknownTargetRefused) {
  ASSERT_TRUE(clipboard_->Publish(kUtf8Text, CurrentTime));
  const ChildResult targets = Xclip({"-t", "TARGETS", "-o"});
  EXPECT_EQ(targets.exitCode, 0);
  std::set<std::string> names;
  std::istringstream lines(targets.output);
  for (std::string line; std::getline(lines, line);) names.insert(line);
  const std::set<std::string> expected = {
      "TARGETS", "MULTIPLE", "TIMESTAMP",   "UTF8_STRING", "text/plain;charset=utf-8",
      "STRING",  "TEXT",     "SAVE_TARGETS"};
  EXPECT_EQ(names, expected);

  const ChildResult unknown = Xclip({"-t", "image/png", "-o"});
  EXPECT_NE(unknown.exitCode, 0);
  EXPECT_EQ(unknown.output, "");
}

TEST_F(X11ClipboardWithXclip, StringTargetIsLatin1) {
  ASSERT_TRUE(clipboard_->Publish(kUtf8Text, CurrentTime));
  ChildResult result = Xclip({"-t", "STRING", "-o"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.output,
            "Gr\xFC\xDF"
            "e ? ??? ?");
  // Bytes that are no UTF-8 stand for their Latin-1 characters, as everywhere in the program.
  ASSERT_TRUE(clipboard_->Publish("caf\xE9 \xC3", CurrentTime));
  result = Xclip({"-t", "STRING", "-o"});
  EXPECT_EQ(result.output, "caf\xE9 \xC3");
}

TEST_F(X11ClipboardWithXclip, ReadsWhatXclipPut) {
  for (const std::string& text :
       {std::string("put there by xclip"), kUtf8Text, MixedText(5 << 20)}) {
    PutWithXclip(text);
    EXPECT_FALSE(clipboard_->Owns());
    const std::optional<std::string> read = clipboard_->Read(milliseconds(10000), nullptr);
    ASSERT_TRUE(read.has_value()) << text.size() << " bytes";
    EXPECT_EQ(read->size(), text.size());
    EXPECT_TRUE(*read == text);
    EXPECT_FALSE(clipboard_->Owns()) << "reading never takes ownership";
  }
}

TEST_F(X11ClipboardWithXclip, ReadGivesOwnBytesWhenOwner) {
  const std::string text("own\0bytes", 9);
  ASSERT_TRUE(clipboard_->Publish(text, CurrentTime));
  EXPECT_EQ(clipboard_->Read(milliseconds(1000), nullptr), text);
}

TEST_F(X11ClipboardWithXclip, ReadPassesOtherEventsOnInOrder) {
  PutWithXclip("anything");
  const ::Window window =
      XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
  XSelectInput(display_, window, PropertyChangeMask);
  const Atom names[] = {Intern(display_, "CLIPTEST_A"), Intern(display_, "CLIPTEST_B"),
                        Intern(display_, "CLIPTEST_C")};
  for (const Atom name : names) {
    XChangeProperty(display_, window, name, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>("x"), 1);
  }
  XFlush(display_);
  std::vector<Atom> seen;
  const auto read = clipboard_->Read(milliseconds(5000), [&](XEvent& event) {
    if (event.type == PropertyNotify && event.xproperty.window == window) {
      seen.push_back(event.xproperty.atom);
    }
  });
  EXPECT_EQ(read, "anything");
  EXPECT_EQ(seen, std::vector<Atom>(std::begin(names), std::end(names)));
  XDestroyWindow(display_, window);
}

TEST_F(X11ClipboardWithXclip, LosesOwnershipToXclipAndTakesItBack) {
  ASSERT_TRUE(clipboard_->Publish("ours", CurrentTime));
  PutWithXclip("theirs");
  EXPECT_TRUE(pump_.Until([&] { return !clipboard_->Owns(); }, milliseconds(5000)));
  EXPECT_EQ(clipboard_->Read(milliseconds(5000), nullptr), "theirs");
  // The same bytes as before: after the loss they must be published again, not skipped.
  ASSERT_TRUE(clipboard_->Publish("ours", CurrentTime));
  EXPECT_TRUE(clipboard_->Owns());
  EXPECT_EQ(Xclip({"-o"}).output, "ours");
}

// A forked owner that offers the clipboard only as STRING (Latin-1) and reports every target it
// was asked for; it ends after answering STRING.
int StringOnlyOwner(Display* display, int report) {
  const ::Window window =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  const Atom clipboard = Intern(display, "CLIPBOARD");
  XSetSelectionOwner(display, clipboard, window, CurrentTime);
  if (XGetSelectionOwner(display, clipboard) != window) return 1;
  if (write(report, "ready\n", 6) != 6) return 2;
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type != SelectionRequest) continue;
    const XSelectionRequestEvent& request = event.xselectionrequest;
    std::string line = AtomName(display, request.target);
    line += '\n';
    if (write(report, line.data(), line.size()) != static_cast<ssize_t>(line.size())) return 3;
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = request.requestor;
    reply.xselection.selection = request.selection;
    reply.xselection.target = request.target;
    reply.xselection.time = request.time;
    reply.xselection.property = None;
    if (request.target == XA_STRING) {
      XChangeProperty(display, request.requestor, request.property, XA_STRING, 8, PropModeReplace,
                      reinterpret_cast<const unsigned char*>("Gr\xFC\xDF"
                                                             "e"),
                      5);
      reply.xselection.property = request.property;
    }
    XSendEvent(display, request.requestor, False, NoEventMask, &reply);
    XSync(display, False);
    if (request.target == XA_STRING) return 0;
  }
}

TEST_F(X11ClipboardWithXclip, ReadFallsBackToLatin1String) {
  ForkedClient owner(&StringOnlyOwner);
  ASSERT_EQ(owner.ReadLine(milliseconds(5000)), "ready");
  EXPECT_EQ(clipboard_->Read(milliseconds(5000), nullptr), "Grüße");
  EXPECT_EQ(owner.ReadLine(milliseconds(1000)), "UTF8_STRING");
  EXPECT_EQ(owner.ReadLine(milliseconds(1000)), "text/plain;charset=utf-8");
  EXPECT_EQ(owner.ReadLine(milliseconds(1000)), "STRING");
  EXPECT_EQ(owner.Wait(milliseconds(5000)), 0);
}

// An owner that never answers.
int SilentOwner(Display* display, int report) {
  const ::Window window =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(display, Intern(display, "CLIPBOARD"), window, CurrentTime);
  XSync(display, False);
  if (write(report, "ready\n", 6) != 6) return 2;
  pause();
  return 0;
}

TEST_F(X11ClipboardWithXclip, ReadGivesUpAtItsDeadlineWithoutTakingOwnership) {
  ForkedClient owner(&SilentOwner);
  ASSERT_EQ(owner.ReadLine(milliseconds(5000)), "ready");
  const auto start = Clock::now();
  EXPECT_EQ(clipboard_->Read(milliseconds(300), nullptr), std::nullopt);
  const auto took = Clock::now() - start;
  EXPECT_GE(took, milliseconds(300));
  EXPECT_LT(took, milliseconds(3000));
  EXPECT_FALSE(clipboard_->Owns());
  EXPECT_NE(XGetSelectionOwner(display_, Intern(display_, "CLIPBOARD")),
            clipboard_->HelperWindow());
}

// A clipboard manager as the freedesktop convention describes it: it owns CLIPBOARD_MANAGER; on
// SAVE_TARGETS it reads the requestor's list of targets, converts CLIPBOARD to UTF8_STRING (INCR
// included), takes the clipboard over and confirms. It reports the targets and then the text.
int FakeClipboardManager(Display* display, int report) {
  const ::Window window =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  XSelectInput(display, window, PropertyChangeMask);
  const Atom manager = Intern(display, "CLIPBOARD_MANAGER");
  const Atom clipboard = Intern(display, "CLIPBOARD");
  const Atom saveTargets = Intern(display, "SAVE_TARGETS");
  const Atom utf8 = Intern(display, "UTF8_STRING");
  const Atom incr = Intern(display, "INCR");
  const Atom saved = Intern(display, "CLIPTEST_SAVED");
  XSetSelectionOwner(display, manager, window, CurrentTime);
  if (XGetSelectionOwner(display, manager) != window) return 1;
  if (write(report, "ready\n", 6) != 6) return 2;

  XEvent event;
  do {
    XNextEvent(display, &event);
  } while (event.type != SelectionRequest || event.xselectionrequest.target != saveTargets);
  const XSelectionRequestEvent request = event.xselectionrequest;

  std::string report_text = "targets:";
  const Property targets = GetProperty(display, request.requestor, request.property, false);
  for (const long atom : targets.longs) {
    report_text += ' ';
    report_text += AtomName(display, atom);
  }
  report_text += "\n";

  XConvertSelection(display, clipboard, utf8, saved, window, request.time);
  do {
    XNextEvent(display, &event);
  } while (event.type != SelectionNotify);
  std::string text;
  Property value = GetProperty(display, window, saved, true);
  if (value.type == incr) {
    for (;;) {
      XNextEvent(display, &event);
      if (event.type != PropertyNotify || event.xproperty.atom != saved ||
          event.xproperty.state != PropertyNewValue) {
        continue;
      }
      value = GetProperty(display, window, saved, true);
      if (value.items == 0) break;
      text += value.bytes;
    }
  } else {
    text = value.bytes;
  }
  report_text += text;

  XSetSelectionOwner(display, clipboard, window, CurrentTime);
  XEvent reply{};
  reply.xselection.type = SelectionNotify;
  reply.xselection.requestor = request.requestor;
  reply.xselection.selection = request.selection;
  reply.xselection.target = request.target;
  reply.xselection.time = request.time;
  reply.xselection.property = request.property;
  XSendEvent(display, request.requestor, False, NoEventMask, &reply);
  XSync(display, False);
  size_t done = 0;
  while (done < report_text.size()) {
    const ssize_t n = write(report, report_text.data() + done, report_text.size() - done);
    if (n <= 0) return 3;
    done += static_cast<size_t>(n);
  }
  return 0;
}

TEST_F(X11ClipboardWithXclip, HandsTheTextToAClipboardManager) {
  for (const std::string& text : {kUtf8Text, MixedText(1 << 20)}) {
    ForkedClient manager(&FakeClipboardManager);
    ASSERT_EQ(manager.ReadLine(milliseconds(5000)), "ready");
    ASSERT_TRUE(clipboard_->Publish(text, CurrentTime));
    EXPECT_TRUE(clipboard_->HandOver(milliseconds(5000)));
    const std::string reported = manager.ReadAll(milliseconds(5000));
    const std::string targets = "targets: UTF8_STRING text/plain;charset=utf-8 STRING TEXT\n";
    EXPECT_EQ(reported.substr(0, targets.size()), targets);
    EXPECT_TRUE(reported.size() >= targets.size() && reported.substr(targets.size()) == text)
        << reported.size() << " bytes reported";
    EXPECT_EQ(manager.Wait(milliseconds(5000)), 0);
    EXPECT_FALSE(clipboard_->Owns()) << "the manager took the clipboard over";
  }
}

TEST_F(X11ClipboardWithXclip, HandOverReturnsAtOnceWithoutManagerOrOwnership) {
  ASSERT_EQ(XGetSelectionOwner(display_, Intern(display_, "CLIPBOARD_MANAGER")), None);
  auto start = Clock::now();
  EXPECT_FALSE(clipboard_->HandOver(milliseconds(2000))) << "not the owner";
  ASSERT_TRUE(clipboard_->Publish("no one keeps this", CurrentTime));
  EXPECT_FALSE(clipboard_->HandOver(milliseconds(2000))) << "no manager";
  EXPECT_LT(Clock::now() - start, milliseconds(1000));
  EXPECT_TRUE(clipboard_->Owns());
}

}  // namespace
