// The Wayland clipboard's own logic, driven as the compositor would drive it: sources made and
// cancelled through a fake wire, readers as real pipes.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "platform/wayland/WaylandSelection.h"

namespace platform::wayland {
namespace {

using namespace std::chrono_literals;
using Clock = WaylandSelection::Clock;

// The compositor's side of the protocol: which sources exist and which is the selection.
class FakeWire : public SelectionWire {
 public:
  SourceId SetSelection(const std::vector<std::string>& mimeTypes) override {
    offered = mimeTypes;
    selection = ++last;
    return selection;
  }
  void DestroySource(SourceId source) override { destroyed.push_back(source); }

  SourceId last = 0;
  SourceId selection = 0;
  std::vector<std::string> offered;
  std::vector<SourceId> destroyed;
};

// A reader: the read end stays here, the write end goes to the program as the compositor's
// send event hands it over.
struct Reader {
  Reader() {
    int fds[2];
    EXPECT_EQ(pipe2(fds, O_CLOEXEC), 0);
    readEnd = fds[0];
    writeEnd = fds[1];
    fcntl(readEnd, F_SETFL, fcntl(readEnd, F_GETFL) | O_NONBLOCK);
  }
  ~Reader() { CloseRead(); }
  void CloseRead() {
    if (readEnd >= 0) close(readEnd);
    readEnd = -1;
  }
  // Reads what is there now; true once the writer closed its end.
  bool Drain() {
    char buffer[65536];
    for (;;) {
      const ssize_t n = read(readEnd, buffer, sizeof buffer);
      if (n > 0) {
        received.append(buffer, static_cast<size_t>(n));
        continue;
      }
      return n == 0;
    }
  }
  int readEnd = -1;
  int writeEnd = -1;
  std::string received;
};

// Reads whole while the selection writes, as the program's wait would alternate them.
std::string ReadAll(WaylandSelection& selection, Reader& reader) {
  for (int round = 0; round < 100000; ++round) {
    selection.Tick();
    if (reader.Drain()) return reader.received;
  }
  ADD_FAILURE() << "the transfer never ended";
  return reader.received;
}

std::string Serve(WaylandSelection& selection, SourceId source, const std::string& type) {
  Reader reader;
  selection.OnSend(source, type, reader.writeEnd);
  return ReadAll(selection, reader);
}

class WaylandSelectionTest : public ::testing::Test {
 protected:
  // The program published text on X: no compositor bridge carried it, so after the wait it is
  // offered through data-control.
  SourceId PublishUnbridged(const SharedText& text) {
    selection_.Publish(text, true, now_);
    now_ += 300ms;
    selection_.Tick(now_);
    return wire_.selection;
  }

  FakeWire wire_;
  WaylandSelection selection_{wire_, 300ms, 30s};
  Clock::time_point now_ = Clock::now();
};

TEST_F(WaylandSelectionTest, EveryTextTypeGetsTheBytesTheXSideGives) {
  const std::string text(
      "Gr\xc3\xbc\xc3\x9f"
      "e \xe2\x9c\x93 with a NUL: \0 end",
      27);
  const SourceId source = PublishUnbridged(text);
  ASSERT_NE(source, 0u);
  EXPECT_EQ(wire_.offered, (std::vector<std::string>{"text/plain;charset=utf-8", "UTF8_STRING",
                                                     "TEXT", "STRING"}));
  for (const char* type : {"text/plain;charset=utf-8", "UTF8_STRING", "TEXT"}) {
    EXPECT_EQ(Serve(selection_, source, type), text) << type;
  }
  EXPECT_EQ(Serve(selection_, source, "STRING"), std::string("Gr\xfc\xdf"
                                                             "e ? with a NUL: \0 end",
                                                             23));
  // A type that is not offered gets an empty answer at once, and its descriptor is closed.
  EXPECT_EQ(Serve(selection_, source, "image/png"), "");
  EXPECT_EQ(selection_.Transfers().Count(), 0u);
}

TEST_F(WaylandSelectionTest, TheSelectionWaitsForTheCompositorsBridgeAndNeverOffersTwice) {
  // A new X ownership: nothing is offered until the compositor has had its moment.
  selection_.Publish("one", true, now_);
  selection_.Tick(now_ + 299ms);
  EXPECT_EQ(wire_.last, 0u);
  EXPECT_TRUE(selection_.Waiting());
  // The compositor carried it over: the seat's selection changed meanwhile.
  selection_.OnSelectionChanged();
  selection_.Tick(now_ + 1s);
  EXPECT_EQ(wire_.last, 0u) << "offered beside the compositor's bridge";
  // The same text again, with X still owned: nothing at all.
  selection_.Publish("one", false, now_ + 2s);
  selection_.Tick(now_ + 3s);
  EXPECT_EQ(wire_.last, 0u);

  // Someone else copies on the Wayland side; the next hover with X still ours offers at once.
  selection_.OnSelectionChanged();
  selection_.Publish("one", false, now_ + 4s);
  EXPECT_EQ(wire_.last, 1u);
  EXPECT_TRUE(selection_.Owns());
  selection_.OnSelectionChanged();  // the compositor announces our own source
  // Every further mouse move with the same text sends nothing.
  for (int move = 0; move < 5; ++move) selection_.Publish("one", move % 2 == 0, now_ + 5s);
  selection_.Tick(now_ + 10s);
  EXPECT_EQ(wire_.last, 1u);

  // A new X ownership while the announcement of our latest offer is still on its way: that
  // announcement is not the bridge carrying the new text, which is offered when its wait is over.
  selection_.Publish("two", false, now_ + 11s);
  EXPECT_EQ(wire_.last, 2u);
  selection_.Publish("three", true, now_ + 12s);
  selection_.OnSelectionChanged();  // the announcement of "two"
  selection_.Tick(now_ + 13s);
  EXPECT_EQ(wire_.last, 3u) << "the announcement of our own offer was taken for the bridge";
  EXPECT_EQ(Serve(selection_, wire_.last, "UTF8_STRING"), "three");
}

TEST_F(WaylandSelectionTest, AReplacedSelectionIsLetGoAndOfferedAgainOnTheNextHover) {
  const SourceId first = PublishUnbridged("first");
  selection_.OnSelectionChanged();
  // Our next text: a new source; the old one still answers a reader that reached it before its
  // cancellation, with its own text.
  selection_.Publish("second", false, now_);
  const SourceId second = wire_.selection;
  ASSERT_NE(second, first);
  EXPECT_EQ(Serve(selection_, first, "UTF8_STRING"), "first");
  selection_.OnCancelled(first);
  EXPECT_EQ(wire_.destroyed, std::vector<SourceId>{first});
  EXPECT_EQ(Serve(selection_, first, "UTF8_STRING"), "") << "a cancelled source answers nothing";
  EXPECT_TRUE(selection_.Owns());

  // Someone else takes the selection: the program lets it be until the next hover.
  selection_.OnCancelled(second);
  EXPECT_FALSE(selection_.Owns());
  EXPECT_EQ(wire_.last, second);
  selection_.Publish("second", false, now_);
  EXPECT_EQ(wire_.last, second + 1) << "the same text is offered again once it is no longer ours";
}

TEST_F(WaylandSelectionTest, ALargeTextLeavesWithoutBlockingAndFinishesAfterACancellation) {
  std::string large(3 * 1000 * 1000, 'x');
  for (size_t i = 0; i < large.size(); i += 997) large[i] = static_cast<char>('a' + i % 26);
  const SourceId source = PublishUnbridged(large);
  Reader reader;
  selection_.OnSend(source, "text/plain;charset=utf-8", reader.writeEnd);
  // Nobody reads yet: the pipe fills and the writes stop there, they do not wait for the reader.
  for (int i = 0; i < 10; ++i) selection_.Tick();
  EXPECT_EQ(selection_.Transfers().Count(), 1u);
  // The selection is taken meanwhile: the reader asked before, so it still gets every byte.
  selection_.OnCancelled(source);
  EXPECT_EQ(ReadAll(selection_, reader), large);
  EXPECT_EQ(selection_.Transfers().Count(), 0u);
}

TEST_F(WaylandSelectionTest, AReaderThatLeavesOrStallsIsDroppedWithoutSigpipeOrLeak) {
  const std::string large(3 * 1000 * 1000, 'y');
  const SourceId source = PublishUnbridged(large);

  Reader leaving;
  selection_.OnSend(source, "UTF8_STRING", leaving.writeEnd);
  ASSERT_FALSE(leaving.Drain());
  leaving.CloseRead();  // mid-transfer: the next write meets EPIPE, which must not end the process
  selection_.Tick();
  EXPECT_EQ(selection_.Transfers().Count(), 0u);
  sigset_t pending;
  sigemptyset(&pending);
  sigpending(&pending);
  EXPECT_FALSE(sigismember(&pending, SIGPIPE)) << "a SIGPIPE left pending for later";
  // Its descriptor is closed: the number is free again.
  EXPECT_EQ(fcntl(leaving.writeEnd, F_GETFD), -1);

  // A reader that takes nothing for the stall timeout is given up, its descriptor closed.
  Reader stalled;
  const Clock::time_point start = Clock::now();
  selection_.OnSend(source, "UTF8_STRING", stalled.writeEnd);
  selection_.Tick(start + 29s);
  EXPECT_EQ(selection_.Transfers().Count(), 1u);
  EXPECT_LE(*selection_.NextTimeoutMs(start + 29s), 1000);
  selection_.Tick(start + 31s);
  EXPECT_EQ(selection_.Transfers().Count(), 0u);
  stalled.Drain();
  EXPECT_TRUE(stalled.Drain()) << "the stalled reader's pipe was not closed";
}

// 400 readers that ask and take nothing, with the descriptor limit at 256: at most a quarter of
// the limit wait at once, every reader beyond gets an empty answer at once, and the program never
// runs out of descriptors (a pipe, or a connection's next descriptor, can always still be had).
TEST(PipeTransfersTest, AFloodOfStalledReadersIsCappedBelowTheDescriptorLimit) {
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
  rlimit limited = saved;
  limited.rlim_cur = std::min<rlim_t>(256, saved.rlim_cur);
  ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &limited), 0);
  struct Restore {
    rlimit limit;
    ~Restore() { setrlimit(RLIMIT_NOFILE, &limit); }
  } restore{saved};

  PipeTransfers transfers;
  const size_t cap = limited.rlim_cur / 4;
  const auto text = std::make_shared<const std::string>(1 << 20, 'f');
  std::vector<std::unique_ptr<Reader>> waiting;
  size_t answeredEmpty = 0;
  for (int i = 0; i < 400; ++i) {
    auto reader = std::make_unique<Reader>();
    ASSERT_GE(reader->writeEnd, 0) << "out of descriptors at reader " << i;
    transfers.Start(reader->writeEnd, text);
    if (reader->Drain()) {
      ++answeredEmpty;
      EXPECT_TRUE(reader->received.empty());
      continue;  // its pipe is closed: the reader goes
    }
    waiting.push_back(std::move(reader));
  }
  EXPECT_EQ(transfers.Count(), cap);
  EXPECT_EQ(waiting.size(), cap);
  EXPECT_EQ(answeredEmpty, 400 - cap);
  // A reader that does read gets the whole text once the stalled ones are given up.
  transfers.ExpireStalled(PipeTransfers::Clock::now() + std::chrono::minutes(1));
  EXPECT_EQ(transfers.Count(), 0u);
  Reader patient;
  transfers.Start(patient.writeEnd, text);
  while (!patient.Drain()) transfers.Pump();
  EXPECT_EQ(patient.received.size(), text->size());
}

TEST_F(WaylandSelectionTest, ForgettingTheSeatDestroysEverySourceOnce) {
  const SourceId first = PublishUnbridged("a");
  selection_.Publish("b", false, now_);
  const SourceId second = wire_.selection;
  selection_.Forget();
  EXPECT_EQ(wire_.destroyed, (std::vector<SourceId>{first, second}));
  EXPECT_FALSE(selection_.Owns());
  selection_.OnCancelled(first);  // a late cancellation for a source already let go
  EXPECT_EQ(wire_.destroyed.size(), 2u);
}

}  // namespace
}  // namespace platform::wayland
