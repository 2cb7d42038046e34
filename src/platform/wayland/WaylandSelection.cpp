#include "platform/wayland/WaylandSelection.h"

#include <unistd.h>

#include <algorithm>
#include <climits>

namespace platform::wayland {

WaylandSelection::WaylandSelection(SelectionWire& wire, std::chrono::milliseconds bridgeWait,
                                   std::chrono::milliseconds stallTimeout)
    : wire_(wire), bridgeWait_(bridgeWait), transfers_(stallTimeout) {}

WaylandSelection::~WaylandSelection() { Forget(); }

bool WaylandSelection::Holds(const SharedText& text) const {
  return (current_ != 0 && sources_.at(current_).Holds(text)) || (bridged_ && *bridged_ == text);
}

void WaylandSelection::Publish(const SharedText& text, bool xOwnershipTaken,
                               Clock::time_point now) {
  if (xOwnershipTaken) {
    // A bridge that carries X to Wayland is converting the new ownership now (and replaces an own
    // source that holds the text already; it is then the bridge that carries it).
    pending_ = Pending{text, now + bridgeWait_};
    bridged_.reset();
    return;
  }
  if (Holds(text) || (pending_ && pending_->text == text)) return;
  pending_.reset();
  Offer(text);
}

void WaylandSelection::Offer(const SharedText& text) {
  const SourceId source = wire_.SetSelection(TextOffer::MimeTypes());
  if (source == 0) return;
  sources_.insert_or_assign(source, TextOffer(text));
  current_ = source;
  bridged_.reset();
  ++ownSelectionEvents_;
}

std::optional<int> WaylandSelection::NextTimeoutMs(Clock::time_point now) const {
  std::optional<int> next = transfers_.NextTimeoutMs(now);
  if (pending_) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(pending_->deadline - now).count();
    const int wait = static_cast<int>(std::clamp<decltype(left)>(left, 0, INT_MAX));
    next = next ? std::min(*next, wait) : wait;
  }
  return next;
}

void WaylandSelection::Tick(Clock::time_point now) {
  transfers_.Pump(now);
  transfers_.ExpireStalled(now);
  if (pending_ && now >= pending_->deadline) {
    const SharedText text = std::move(pending_->text);
    pending_.reset();
    // Nothing carried the text over in time: the compositor has no bridge at work for it.
    if (!Holds(text)) Offer(text);
  }
}

void WaylandSelection::OnSelectionChanged() {
  // The compositor announces the program's own offers in the order they were made, before any
  // change it makes later: an announcement still due is one of them, even while a new X ownership
  // waits (the bridge has not carried that text yet).
  if (ownSelectionEvents_ > 0) {
    --ownSelectionEvents_;
    return;
  }
  if (pending_) {
    // The compositor carried the new X ownership over (or someone copied in that very moment,
    // which is as new a selection): either way, nothing of ours has to follow.
    bridged_ = std::move(pending_->text);
    pending_.reset();
    return;
  }
  // Someone else's selection replaced what the bridge carried.
  bridged_.reset();
}

void WaylandSelection::OnSend(SourceId source, std::string_view mimeType, int fd) {
  const auto it = sources_.find(source);
  if (it == sources_.end()) {
    close(fd);
    return;
  }
  transfers_.Start(fd, it->second.BytesFor(mimeType));
}

void WaylandSelection::OnCancelled(SourceId source) {
  if (sources_.erase(source) == 0) return;
  wire_.DestroySource(source);
  if (current_ == source) current_ = 0;
}

void WaylandSelection::Forget() {
  for (const auto& [source, offer] : sources_) wire_.DestroySource(source);
  sources_.clear();
  current_ = 0;
  pending_.reset();
  bridged_.reset();
  ownSelectionEvents_ = 0;
}

}  // namespace platform::wayland
