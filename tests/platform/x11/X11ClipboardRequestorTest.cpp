// The clipboard's answers, checked by a strict requestor on a second connection: the echoed
// target, the property, its type and format for every target, MULTIPLE, TIMESTAMP, refusals, INCR
// chunk by chunk, and requestors that vanish or stall in the middle of a transfer. Clients that
// wait for a notify matching their own target (Chromium, Electron) hang on anything less.

// GoogleTest before Xlib: X.h defines None and Bool as macros, which GoogleTest uses as names.
#include <gtest/gtest.h>

#include <X11/Xatom.h>

#include <memory>
#include <set>
#include <thread>

#include "ClipboardTestSupport.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11Errors.h"

namespace {

using namespace cliptest;
using platform::x11::X11Clipboard;

const std::string kUtf8Text = "Grüße — 日本語 ✓";
const std::string kLatin1Text =
    "Gr\xFC\xDF"
    "e ? ??? ?";

class X11ClipboardRequestor : public ::testing::Test {
 protected:
  void SetUp() override {
    display_ = XOpenDisplay(nullptr);
    peer_ = XOpenDisplay(nullptr);
    ASSERT_NE(display_, nullptr) << "no X display (run under with-xvfb.sh)";
    ASSERT_NE(peer_, nullptr);
    clipboard_ = std::make_unique<X11Clipboard>(display_);
    pump_.Add(display_, [this](XEvent& event) { clipboard_->HandleEvent(event); });
    requestor_ = std::make_unique<Requestor>(peer_, pump_);
    property_ = A("CLIPTEST_PROPERTY");
  }
  void TearDown() override {
    requestor_.reset();
    clipboard_.reset();
    if (peer_ != nullptr) XCloseDisplay(peer_);
    if (display_ != nullptr) XCloseDisplay(display_);
  }

  Atom A(const char* name) { return Intern(peer_, name); }
  std::string Name(Atom atom) { return AtomName(peer_, atom); }
  Time Now() { return ServerTime(peer_, requestor_->window()); }
  long OurMaskOn(::Window window) {
    XWindowAttributes attributes;
    XGetWindowAttributes(display_, window, &attributes);
    return attributes.your_event_mask;
  }
  long Timestamp() {
    const auto answer = requestor_->Convert(A("TIMESTAMP"), property_, CurrentTime);
    return answer.property.longs.size() == 1 ? answer.property.longs[0] : -1;
  }

  Display* display_ = nullptr;
  Display* peer_ = nullptr;
  std::unique_ptr<X11Clipboard> clipboard_;
  Pump pump_;
  std::unique_ptr<Requestor> requestor_;
  Atom property_ = None;
};

TEST_F(X11ClipboardRequestor, EveryTargetEchoedWithTheTypeOfTheTable) {
  const Time owned = Now();
  ASSERT_TRUE(clipboard_->Publish(kUtf8Text, owned));

  struct Row {
    const char* target;
    const char* type;
    int format;
  };
  const Row rows[] = {
      {"TARGETS", "ATOM", 32},
      {"UTF8_STRING", "UTF8_STRING", 8},
      {"text/plain;charset=utf-8", "text/plain;charset=utf-8", 8},
      {"STRING", "STRING", 8},
      {"TEXT", "UTF8_STRING", 8},
      {"TIMESTAMP", "INTEGER", 32},
      {"SAVE_TARGETS", "NULL", 32},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.target);
    const auto answer = requestor_->Convert(A(row.target), property_, CurrentTime);
    ASSERT_TRUE(answer.notified);
    EXPECT_EQ(Name(answer.notify.target), row.target);
    EXPECT_EQ(answer.notify.property, property_);
    EXPECT_EQ(answer.notify.time, CurrentTime) << "the request's time comes back";
    EXPECT_EQ(Name(answer.property.type), row.type);
    EXPECT_EQ(answer.property.format, row.format);
    EXPECT_FALSE(answer.incremental);
  }

  std::set<std::string> targets;
  for (const long atom : requestor_->Convert(A("TARGETS"), property_, CurrentTime).property.longs) {
    targets.insert(Name(atom));
  }
  EXPECT_EQ(targets,
            (std::set<std::string>{"TARGETS", "MULTIPLE", "TIMESTAMP", "UTF8_STRING",
                                   "text/plain;charset=utf-8", "STRING", "TEXT", "SAVE_TARGETS"}));
  EXPECT_EQ(requestor_->Convert(A("UTF8_STRING"), property_, CurrentTime).data, kUtf8Text);
  EXPECT_EQ(requestor_->Convert(A("text/plain;charset=utf-8"), property_, CurrentTime).data,
            kUtf8Text);
  EXPECT_EQ(requestor_->Convert(A("TEXT"), property_, CurrentTime).data, kUtf8Text);
  EXPECT_EQ(requestor_->Convert(A("STRING"), property_, CurrentTime).data, kLatin1Text);
  EXPECT_EQ(Timestamp(), static_cast<long>(owned));
  EXPECT_EQ(requestor_->Convert(A("SAVE_TARGETS"), property_, CurrentTime).property.items, 0u);
}

TEST_F(X11ClipboardRequestor, UnknownTargetRefusedWithItsOwnName) {
  ASSERT_TRUE(clipboard_->Publish(kUtf8Text, CurrentTime));
  const auto answer = requestor_->Convert(A("image/png"), property_, CurrentTime);
  ASSERT_TRUE(answer.notified);
  EXPECT_EQ(Name(answer.notify.target), "image/png");
  EXPECT_EQ(answer.notify.property, None);
  EXPECT_FALSE(GetProperty(peer_, requestor_->window(), property_, false).exists);
}

TEST_F(X11ClipboardRequestor, RequestWithoutPropertyUsesTheTarget) {
  ASSERT_TRUE(clipboard_->Publish(kUtf8Text, CurrentTime));
  const auto answer = requestor_->Convert(A("UTF8_STRING"), None, CurrentTime);
  ASSERT_TRUE(answer.notified);
  EXPECT_EQ(answer.notify.property, A("UTF8_STRING"));
  EXPECT_EQ(Name(answer.property.type), "UTF8_STRING");
  EXPECT_EQ(answer.data, kUtf8Text);
}

TEST_F(X11ClipboardRequestor, MultipleConvertsEachPairAndMarksFailures) {
  const Time owned = Now();
  ASSERT_TRUE(clipboard_->Publish(kUtf8Text, owned));
  const Atom pairsProperty = A("CLIPTEST_PAIRS");
  const long pairs[] = {
      static_cast<long>(A("UTF8_STRING")), static_cast<long>(A("CLIPTEST_1")),
      static_cast<long>(A("image/png")),   static_cast<long>(A("CLIPTEST_2")),
      static_cast<long>(XA_STRING),        static_cast<long>(A("CLIPTEST_3")),
      static_cast<long>(A("TIMESTAMP")),   static_cast<long>(A("CLIPTEST_4")),
      static_cast<long>(A("TEXT")),        static_cast<long>(A("CLIPTEST_5")),
      static_cast<long>(A("MULTIPLE")),    static_cast<long>(A("CLIPTEST_6")),
  };
  XChangeProperty(peer_, requestor_->window(), pairsProperty, A("ATOM_PAIR"), 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(pairs), 12);
  const auto answer = requestor_->Convert(A("MULTIPLE"), pairsProperty, CurrentTime);
  ASSERT_TRUE(answer.notified);
  EXPECT_EQ(Name(answer.notify.target), "MULTIPLE");
  EXPECT_EQ(answer.notify.property, pairsProperty);
  EXPECT_EQ(Name(answer.property.type), "ATOM_PAIR");
  EXPECT_EQ(answer.property.format, 32);
  std::vector<long> expected(std::begin(pairs), std::end(pairs));
  expected[3] = None;   // image/png is not offered
  expected[11] = None;  // MULTIPLE inside MULTIPLE is not either
  EXPECT_EQ(answer.property.longs, expected);

  const ::Window window = requestor_->window();
  Property value = GetProperty(peer_, window, A("CLIPTEST_1"), true);
  EXPECT_EQ(Name(value.type), "UTF8_STRING");
  EXPECT_EQ(value.bytes, kUtf8Text);
  EXPECT_FALSE(GetProperty(peer_, window, A("CLIPTEST_2"), true).exists);
  value = GetProperty(peer_, window, A("CLIPTEST_3"), true);
  EXPECT_EQ(Name(value.type), "STRING");
  EXPECT_EQ(value.bytes, kLatin1Text);
  value = GetProperty(peer_, window, A("CLIPTEST_4"), true);
  EXPECT_EQ(Name(value.type), "INTEGER");
  EXPECT_EQ(value.longs, std::vector<long>{static_cast<long>(owned)});
  value = GetProperty(peer_, window, A("CLIPTEST_5"), true);
  EXPECT_EQ(Name(value.type), "UTF8_STRING");
  EXPECT_EQ(value.bytes, kUtf8Text);

  // Without a property there is no pair list to read.
  const auto refused = requestor_->Convert(A("MULTIPLE"), None, CurrentTime);
  ASSERT_TRUE(refused.notified);
  EXPECT_EQ(Name(refused.notify.target), "MULTIPLE");
  EXPECT_EQ(refused.notify.property, None);
}

TEST_F(X11ClipboardRequestor, RequestOlderThanOwnershipRefused) {
  const Time owned = Now();
  ASSERT_TRUE(clipboard_->Publish(kUtf8Text, owned));
  const auto stale = requestor_->Convert(A("UTF8_STRING"), property_, owned - 1);
  ASSERT_TRUE(stale.notified);
  EXPECT_EQ(Name(stale.notify.target), "UTF8_STRING");
  EXPECT_EQ(stale.notify.property, None);
  EXPECT_EQ(requestor_->Convert(A("UTF8_STRING"), property_, owned).data, kUtf8Text);
  EXPECT_EQ(requestor_->Convert(A("UTF8_STRING"), property_, Now()).data, kUtf8Text);
}

TEST_F(X11ClipboardRequestor, LargeTextsComeByIncrChunkByChunk) {
  const std::string text = MixedText(5 << 20);
  ASSERT_TRUE(clipboard_->Publish(text, CurrentTime));
  for (const char* target : {"UTF8_STRING", "text/plain;charset=utf-8", "TEXT"}) {
    SCOPED_TRACE(target);
    const auto answer = requestor_->Convert(A(target), property_, CurrentTime);
    ASSERT_TRUE(answer.notified);
    EXPECT_EQ(Name(answer.notify.target), target);
    EXPECT_EQ(answer.notify.property, property_);
    ASSERT_TRUE(answer.incremental);
    EXPECT_EQ(answer.property.format, 32);
    EXPECT_EQ(answer.property.longs, std::vector<long>{static_cast<long>(text.size())});
    ASSERT_GE(answer.chunks.size(), 2u);
    const char* type = std::string(target) == "TEXT" ? "UTF8_STRING" : target;
    for (size_t i = 0; i < answer.chunks.size(); ++i) {
      const auto& chunk = answer.chunks[i];
      EXPECT_EQ(Name(chunk.type), type) << "chunk " << i;
      EXPECT_EQ(chunk.format, 8) << "chunk " << i;
      if (i + 1 < answer.chunks.size()) {
        EXPECT_GT(chunk.size, 0u) << "chunk " << i;
        EXPECT_LE(chunk.size, 262144u) << "chunk " << i;
      }
    }
    EXPECT_EQ(answer.chunks.back().size, 0u) << "a zero-length chunk ends the transfer";
    EXPECT_EQ(answer.data.size(), text.size());
    EXPECT_TRUE(answer.data == text);
  }

  // STRING goes by INCR too, its size counted in Latin-1 bytes.
  std::string accents;
  for (int i = 0; i < 400000; ++i) accents += "é";
  ASSERT_TRUE(clipboard_->Publish(accents, CurrentTime));
  const auto answer = requestor_->Convert(XA_STRING, property_, CurrentTime);
  ASSERT_TRUE(answer.incremental);
  EXPECT_EQ(answer.property.longs, std::vector<long>{400000});
  EXPECT_EQ(Name(answer.chunks.front().type), "STRING");
  EXPECT_TRUE(answer.data == std::string(400000, '\xE9'));
  // Asked again, the same Latin-1 bytes; a new text gets its own.
  EXPECT_TRUE(requestor_->Convert(XA_STRING, property_, CurrentTime).data ==
              std::string(400000, '\xE9'));
  std::string umlauts;
  for (int i = 0; i < 300000; ++i) umlauts += "\xC3\xBC";
  ASSERT_TRUE(clipboard_->Publish(umlauts, CurrentTime));
  EXPECT_TRUE(requestor_->Convert(XA_STRING, property_, CurrentTime).data ==
              std::string(300000, '\xFC'));

  EXPECT_EQ(clipboard_->NextTimeoutMs(), std::nullopt);
  EXPECT_EQ(OurMaskOn(requestor_->window()), 0) << "the requestor's window is left as it was";
}

TEST_F(X11ClipboardRequestor, SameBytesAgainChangeNothingWhileOwner) {
  const Time first = Now();
  ASSERT_TRUE(clipboard_->Publish(kUtf8Text, first));
  EXPECT_EQ(Timestamp(), static_cast<long>(first));
  std::this_thread::sleep_for(milliseconds(5));
  ASSERT_TRUE(clipboard_->Publish(kUtf8Text, Now()));
  ASSERT_TRUE(clipboard_->Publish(kUtf8Text, CurrentTime));
  EXPECT_EQ(Timestamp(), static_cast<long>(first)) << "ownership was not taken again";

  std::this_thread::sleep_for(milliseconds(5));
  const Time changed = Now();
  ASSERT_TRUE(clipboard_->Publish("other text", changed));
  EXPECT_EQ(Timestamp(), static_cast<long>(changed));
  EXPECT_EQ(requestor_->Convert(A("UTF8_STRING"), property_, CurrentTime).data, "other text");
}

TEST_F(X11ClipboardRequestor, OwnershipLostAndStaleEventTimeRefused) {
  ASSERT_TRUE(clipboard_->Publish(kUtf8Text, CurrentTime));
  const Time taken = Now();
  XSetSelectionOwner(peer_, A("CLIPBOARD"), requestor_->window(), taken);
  XSync(peer_, False);
  EXPECT_TRUE(pump_.Until([&] { return !clipboard_->Owns(); }, milliseconds(5000)));
  // An event from before the other client took it cannot take it back.
  EXPECT_FALSE(clipboard_->Publish("late", taken - 1));
  EXPECT_FALSE(clipboard_->Owns());
  EXPECT_EQ(XGetSelectionOwner(display_, A("CLIPBOARD")), requestor_->window());
  EXPECT_TRUE(clipboard_->Publish("late", CurrentTime));
  EXPECT_EQ(requestor_->Convert(A("UTF8_STRING"), property_, CurrentTime).data, "late");
}

TEST_F(X11ClipboardRequestor, TransferUnderWayFinishesAfterOwnershipIsLost) {
  const std::string text = MixedText(1 << 20);
  ASSERT_TRUE(clipboard_->Publish(text, CurrentTime));
  const ::Window window = requestor_->window();
  const auto notify = requestor_->Request(A("UTF8_STRING"), property_, CurrentTime, window);
  ASSERT_TRUE(notify.has_value());
  ASSERT_EQ(Name(GetProperty(peer_, window, property_, true).type), "INCR");
  ASSERT_TRUE(requestor_->WaitForNewValue(window, property_, milliseconds(5000)));
  std::string received = GetProperty(peer_, window, property_, true).bytes;

  XSetSelectionOwner(peer_, A("CLIPBOARD"), window, CurrentTime);
  XSync(peer_, False);
  ASSERT_TRUE(pump_.Until([&] { return !clipboard_->Owns(); }, milliseconds(5000)));
  while (requestor_->WaitForNewValue(window, property_, milliseconds(5000))) {
    const Property chunk = GetProperty(peer_, window, property_, true);
    if (chunk.items == 0) break;
    received += chunk.bytes;
  }
  EXPECT_TRUE(received == text) << received.size() << " bytes received";
  EXPECT_EQ(clipboard_->NextTimeoutMs(), std::nullopt);
}

TEST_F(X11ClipboardRequestor, RequestorDestroyedInTheMiddleOfIncr) {
  const std::string text = MixedText(1 << 20);
  ASSERT_TRUE(clipboard_->Publish(text, CurrentTime));
  const ::Window window = XCreateSimpleWindow(peer_, DefaultRootWindow(peer_), 0, 0, 1, 1, 0, 0, 0);
  XSelectInput(peer_, window, PropertyChangeMask);
  const auto notify = requestor_->Request(A("UTF8_STRING"), property_, CurrentTime, window);
  ASSERT_TRUE(notify.has_value());
  ASSERT_EQ(notify->property, property_);
  EXPECT_EQ(Name(GetProperty(peer_, window, property_, true).type), "INCR");
  ASSERT_TRUE(requestor_->WaitForNewValue(window, property_, milliseconds(5000)));
  EXPECT_NE(clipboard_->NextTimeoutMs(), std::nullopt);
  XDestroyWindow(peer_, window);
  XSync(peer_, False);
  EXPECT_TRUE(
      pump_.Until([&] { return !clipboard_->NextTimeoutMs().has_value(); }, milliseconds(5000)))
      << "the transfer to the destroyed window is dropped";
  EXPECT_TRUE(requestor_->Convert(A("UTF8_STRING"), property_, CurrentTime).data == text);
}

TEST_F(X11ClipboardRequestor, RequestorGoneBeforeTheAnswer) {
  for (const std::string& text : {kUtf8Text, MixedText(1 << 20)}) {
    ASSERT_TRUE(clipboard_->Publish(text, CurrentTime));
    platform::x11::ClearLastX11Error();
    const ::Window window =
        XCreateSimpleWindow(peer_, DefaultRootWindow(peer_), 0, 0, 1, 1, 0, 0, 0);
    XConvertSelection(peer_, A("CLIPBOARD"), A("UTF8_STRING"), property_, window, CurrentTime);
    XDestroyWindow(peer_, window);
    XSync(peer_, False);
    EXPECT_TRUE(pump_.Until(
        [&] {
          XSync(display_, False);
          return platform::x11::LastX11Error().has_value();
        },
        milliseconds(5000)));
    const auto error = platform::x11::LastX11Error();
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->errorCode, BadWindow);
    EXPECT_EQ(clipboard_->NextTimeoutMs(), std::nullopt) << "no transfer to a window that is gone";
  }
  EXPECT_EQ(requestor_->Convert(A("UTF8_STRING"), property_, CurrentTime).data.size(), 1u << 20);
}

TEST_F(X11ClipboardRequestor, StalledTransferIsGivenUp) {
  clipboard_ = std::make_unique<X11Clipboard>(display_, milliseconds(200));
  ASSERT_TRUE(clipboard_->Publish(MixedText(1 << 20), CurrentTime));
  // The requestor never deletes the INCR property: no chunk is ever asked for.
  const auto notify = requestor_->Request(A("UTF8_STRING"), property_, CurrentTime, None);
  ASSERT_TRUE(notify.has_value());
  const std::optional<int> left = clipboard_->NextTimeoutMs();
  ASSERT_TRUE(left.has_value());
  EXPECT_LE(*left, 200);
  EXPECT_NE(OurMaskOn(requestor_->window()), 0);
  pump_.Until([] { return false; }, milliseconds(*left + 20));
  EXPECT_EQ(clipboard_->NextTimeoutMs(), 0);
  clipboard_->ExpireTransfers();
  EXPECT_EQ(clipboard_->NextTimeoutMs(), std::nullopt);
  EXPECT_EQ(OurMaskOn(requestor_->window()), 0);
}

}  // namespace
