#pragma once
// The program's side of the Wayland clipboard, apart from the wire: when the seat's selection needs
// the program's text, which of the program's sources is still the selection, and the answers to
// readers.
//
// The text always goes on the X clipboard first (the program is an X client); the Wayland side
// follows it. Some compositors carry a new X clipboard owner over to Wayland themselves (wlroots'
// bridge does, whoever has the keyboard); KWin does so only while an X window has the keyboard,
// which the bar never takes. Offering the text through data-control as well while such a bridge is
// at work races with it: sway 1.7's bridge was seen taking the X clipboard for the program's
// source while converting the program's X ownership, and then serving the clipboard from itself,
// empty for everyone. So after the program took the X clipboard anew, the selection waits a moment
// for the compositor: when the seat's selection changes meanwhile, the bridge carried the text;
// otherwise the text is offered through data-control. When X ownership did not change (the text
// is already there) and the seat's selection holds something else, nothing will carry it over:
// the text is offered at once.
//
// Each offer is a new source (the protocol never lets a source change what it offers). A source
// stays until the compositor cancels it; a reader's request that reaches an older source before its
// cancellation is answered with that source's text, and transfers under way finish after a
// cancellation (the reader asked while the text was the selection). The text the selection already
// holds is never offered again: a hover publishes on every mouse move.

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SharedText.h"
#include "platform/wayland/PipeTransfers.h"
#include "platform/wayland/TextOffer.h"

namespace platform::wayland {

// A source as the wire names it; 0 names none.
using SourceId = uint64_t;

// What the selection needs from the protocol (the data-control manager of one seat).
class SelectionWire {
 public:
  virtual ~SelectionWire() = default;
  // A new source offering these types, made the seat's selection; 0 when none could be made.
  virtual SourceId SetSelection(const std::vector<std::string>& mimeTypes) = 0;
  // The source is not wanted any more (after its cancellation, or when the program ends).
  virtual void DestroySource(SourceId source) = 0;
};

class WaylandSelection {
 public:
  using Clock = std::chrono::steady_clock;

  // bridgeWait: how long a new X ownership is given to reach Wayland through the compositor;
  // stallTimeout: how long a reader may take nothing before its transfer is given up.
  explicit WaylandSelection(SelectionWire& wire,
                            std::chrono::milliseconds bridgeWait = std::chrono::milliseconds(300),
                            std::chrono::milliseconds stallTimeout = std::chrono::seconds(30));
  ~WaylandSelection();
  WaylandSelection(const WaylandSelection&) = delete;
  WaylandSelection& operator=(const WaylandSelection&) = delete;

  // The program has put this text on the X clipboard; xOwnershipTaken: it took ownership anew
  // (rather than finding itself the owner of these bytes already).
  void Publish(const SharedText& text, bool xOwnershipTaken, Clock::time_point now = Clock::now());
  // Whether the seat's selection is one of the program's own sources, with its last text.
  bool Owns() const { return current_ != 0; }
  // Whether a text waits to see if the compositor carries it.
  bool Waiting() const { return pending_.has_value(); }

  // Milliseconds until Tick has something to do (nullopt: nothing), and that something: offering
  // a waiting text whose time is up, giving up stalled readers.
  std::optional<int> NextTimeoutMs(Clock::time_point now = Clock::now()) const;
  void Tick(Clock::time_point now = Clock::now());

  // The compositor's events. SelectionChanged: the seat's selection is something new (the device's
  // selection event; it also follows each of the program's own offers). Send takes the descriptor
  // over in every case.
  void OnSelectionChanged();
  void OnSend(SourceId source, std::string_view mimeType, int fd);
  void OnCancelled(SourceId source);
  // The seat (and with it every source) is gone: nothing is ours any more.
  void Forget();

  PipeTransfers& Transfers() { return transfers_; }

 private:
  struct Pending {
    SharedText text;
    Clock::time_point deadline;
  };

  bool Holds(const SharedText& text) const;
  void Offer(const SharedText& text);

  SelectionWire& wire_;
  std::chrono::milliseconds bridgeWait_;
  std::map<SourceId, TextOffer> sources_;
  SourceId current_ = 0;
  std::optional<Pending> pending_;
  // The text the compositor's bridge carried to the seat's selection, until the selection changes.
  std::optional<SharedText> bridged_;
  // Selection events still to come for the program's own offers.
  int ownSelectionEvents_ = 0;
  PipeTransfers transfers_;
};

}  // namespace platform::wayland
