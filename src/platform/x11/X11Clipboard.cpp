#include "platform/x11/X11Clipboard.h"

#include <X11/Xatom.h>
#include <poll.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

#include "platform/Utf8.h"
#include "platform/x11/X11Errors.h"

namespace platform::x11 {

namespace {

// Nothing larger is read from another owner: the text must fit in memory many times over (fields,
// undo, drawing), and a broken owner announcing gigabytes must not make us try.
constexpr size_t kMaxReadBytes = size_t{64} << 20;

// The largest INCR chunk ICCCM recommends; the server's request limit may make it smaller.
constexpr size_t kMaxChunkBytes = 262144;

// How long Publish waits for the server's timestamp when it has to ask for one.
constexpr std::chrono::milliseconds kTimestampWait{1000};

// X server time is a 32-bit millisecond counter that wraps after 49 days: compare by difference.
bool IsOlder(Time time, Time reference) {
  return time != CurrentTime &&
         static_cast<int32_t>(static_cast<uint32_t>(time) - static_cast<uint32_t>(reference)) < 0;
}

// A property read (and deleted) from the helper window.
struct PropertyValue {
  Atom type = None;
  int format = 0;
  unsigned long items = 0;
  std::string bytes;  // format 8: the bytes; format 32: items longs, as Xlib gives them
};

enum class TakeResult { Taken, Missing, TooLarge };

TakeResult TakeProperty(Display* display, ::Window window, Atom property, PropertyValue& value) {
  Atom type = None;
  int format = 0;
  unsigned long items = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  const int status = XGetWindowProperty(display, window, property, 0, kMaxReadBytes / 4, True,
                                        AnyPropertyType, &type, &format, &items, &after, &data);
  if (status != Success || type == None) {
    if (data != nullptr) XFree(data);
    return TakeResult::Missing;
  }
  if (after > 0) {
    // Not deleted by the read since not read whole.
    XFree(data);
    XDeleteProperty(display, window, property);
    return TakeResult::TooLarge;
  }
  value.type = type;
  value.format = format;
  value.items = items;
  // Xlib hands format 16 and 32 items as short and long.
  const size_t unit = format == 8 ? 1 : format == 16 ? sizeof(short) : sizeof(long);
  value.bytes.assign(reinterpret_cast<const char*>(data), items * unit);
  XFree(data);
  return TakeResult::Taken;
}

bool IsStructureEvent(int type) {
  return type == ConfigureNotify || type == MapNotify || type == UnmapNotify ||
         type == ReparentNotify || type == GravityNotify || type == CirculateNotify;
}

using EventPredicate = std::function<bool(const XEvent&)>;

Bool MatchEvent(Display*, XEvent* event, XPointer predicate) {
  return (*reinterpret_cast<const EventPredicate*>(predicate))(*event) ? True : False;
}

// Waits for the first event that `wanted` accepts, leaving every other event queued in its order.
// Nothing may touch the connection between the last look at the queue and the poll: a flush also
// reads whatever has arrived into Xlib's queue, where the poll cannot see it, and the wait would
// then sleep to the deadline with the awaited event in hand.
bool WaitForEvent(Display* display, XEvent& event, std::chrono::steady_clock::time_point deadline,
                  const EventPredicate& wanted) {
  for (;;) {
    XFlush(display);
    if (XCheckIfEvent(display, &event, &MatchEvent,
                      reinterpret_cast<XPointer>(const_cast<EventPredicate*>(&wanted)))) {
      return true;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, static_cast<int>(left.count()) + 1);
  }
}

}  // namespace

X11Clipboard::X11Clipboard(Display* display, std::chrono::milliseconds transferTimeout)
    : display_(display), transferTimeout_(transferTimeout) {
  InstallX11ErrorHandler();

  const char* names[] = {"CLIPBOARD",
                         "TARGETS",
                         "MULTIPLE",
                         "TIMESTAMP",
                         "UTF8_STRING",
                         "text/plain;charset=utf-8",
                         "TEXT",
                         "SAVE_TARGETS",
                         "INCR",
                         "ATOM_PAIR",
                         "NULL",
                         "CLIPBOARD_MANAGER",
                         "SNIPWELL_CLIPBOARD",
                         "SNIPWELL_TIMESTAMP",
                         "SNIPWELL_SAVE_TARGETS"};
  Atom atoms[std::size(names)];
  XInternAtoms(display_, const_cast<char**>(names), static_cast<int>(std::size(names)), False,
               atoms);
  atoms_ = Atoms{atoms[0], atoms[1], atoms[2],  atoms[3],  atoms[4],  atoms[5],  atoms[6], atoms[7],
                 atoms[8], atoms[9], atoms[10], atoms[11], atoms[12], atoms[13], atoms[14]};

  helper_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), -10, -10, 1, 1, 0, 0, 0);
  XSelectInput(display_, helper_, PropertyChangeMask);

  // ICCCM 2.5: a chunk must fit in one request, with room for the request's header.
  long maxRequest = XExtendedMaxRequestSize(display_);
  if (maxRequest == 0) maxRequest = XMaxRequestSize(display_);
  chunkSize_ = std::min(kMaxChunkBytes, static_cast<size_t>(maxRequest) * 4 - 100);
  XFlush(display_);
}

X11Clipboard::~X11Clipboard() {
  // Give requestors of unfinished transfers their event masks back; dead ones only cause
  // BadWindow, which the error handler ignores.
  ::Window restored = None;
  for (const auto& [key, transfer] : transfers_) {
    if (key.first != restored) {
      XSelectInput(display_, key.first, transfer.savedEventMask);
      restored = key.first;
    }
  }
  transfers_.clear();
  XDestroyWindow(display_, helper_);
  XFlush(display_);
}

std::optional<Time> X11Clipboard::FetchServerTime(Clock::time_point deadline) {
  // A zero-length append changes nothing but makes the server report its time.
  static const unsigned char kNothing = 0;
  XChangeProperty(display_, helper_, atoms_.timeProperty, atoms_.timeProperty, 8, PropModeAppend,
                  &kNothing, 0);
  XEvent event;
  const ::Window helper = helper_;
  const Atom property = atoms_.timeProperty;
  const bool arrived = WaitForEvent(display_, event, deadline, [&](const XEvent& e) {
    return e.type == PropertyNotify && e.xproperty.window == helper && e.xproperty.atom == property;
  });
  if (!arrived) return std::nullopt;
  return event.xproperty.time;
}

bool X11Clipboard::Publish(const SharedText& bytes, Time time) {
  // Nothing observable would change: no new owner, no new timestamp, the same answers.
  if (owned_ && text_ && text_->Holds(bytes)) return true;

  // An event older than our own ownership would be ignored silently by the server while we stay
  // the owner of the old text, so it is replaced by the present time as well.
  if (time == CurrentTime || (owned_ && IsOlder(time, ownershipTime_))) {
    const std::optional<Time> now = FetchServerTime(Clock::now() + kTimestampWait);
    if (!now) return false;
    time = *now;
  }
  XSetSelectionOwner(display_, atoms_.clipboard, helper_, time);
  if (XGetSelectionOwner(display_, atoms_.clipboard) != helper_) {
    owned_ = false;
    return false;
  }
  text_.emplace(bytes);
  owned_ = true;
  ownershipTime_ = time;
  ++ownerships_;
  return true;
}

std::optional<std::string> X11Clipboard::Read(std::chrono::milliseconds timeout,
                                              const std::function<void(XEvent&)>& otherEvent) {
  if (owned_ && text_) return *text_->Utf8();
  const Clock::time_point deadline = Clock::now() + timeout;
  if (XGetSelectionOwner(display_, atoms_.clipboard) == None) return std::nullopt;

  // Requests carry a real timestamp (ICCCM 2.4 asks not to use CurrentTime).
  const std::optional<Time> time = FetchServerTime(deadline);
  if (!time) return std::nullopt;

  for (const Atom target : {atoms_.utf8String, atoms_.textPlainUtf8, Atom{XA_STRING}}) {
    std::string text;
    Atom type = None;
    switch (ConvertAndRead(target, *time, deadline, otherEvent, text, type)) {
      case ReadOutcome::Done:
        if (type == XA_STRING) return Latin1ToUtf8(text);
        return text;
      case ReadOutcome::TimedOut: return std::nullopt;
      case ReadOutcome::Refused: break;
    }
  }
  return std::nullopt;
}

X11Clipboard::ReadOutcome X11Clipboard::ConvertAndRead(
    Atom target, Time time, Clock::time_point deadline,
    const std::function<void(XEvent&)>& otherEvent, std::string& text, Atom& textType) {
  XDeleteProperty(display_, helper_, atoms_.readProperty);
  XConvertSelection(display_, atoms_.clipboard, target, atoms_.readProperty, helper_, time);
  XFlush(display_);

  std::optional<ReadOutcome> outcome;
  bool incremental = false;
  Atom property = atoms_.readProperty;
  PropertyValue value;

  // Decides one event; the clipboard's own events and everything else keep flowing meanwhile.
  const auto dispatch = [&](XEvent& event) {
    if (!incremental && event.type == SelectionNotify && event.xselection.requestor == helper_ &&
        event.xselection.selection == atoms_.clipboard && event.xselection.target == target) {
      if (event.xselection.property == None) {
        outcome = ReadOutcome::Refused;
        return;
      }
      property = event.xselection.property;
      if (TakeProperty(display_, helper_, property, value) != TakeResult::Taken) {
        outcome = ReadOutcome::Refused;
      } else if (value.type == atoms_.incr) {
        // Deleting the INCR property (done by the read) asks the owner for the first chunk.
        incremental = true;
        text.clear();
      } else if (value.format != 8) {
        outcome = ReadOutcome::Refused;
      } else {
        text = std::move(value.bytes);
        textType = value.type;
        outcome = ReadOutcome::Done;
      }
      return;
    }
    if (incremental && event.type == PropertyNotify && event.xproperty.window == helper_ &&
        event.xproperty.atom == property && event.xproperty.state == PropertyNewValue) {
      const TakeResult taken = TakeProperty(display_, helper_, property, value);
      if (taken == TakeResult::Missing) return;  // already read: a late notification
      if (taken == TakeResult::TooLarge || value.format != 8 ||
          text.size() + value.bytes.size() > kMaxReadBytes) {
        outcome = ReadOutcome::Refused;
        return;
      }
      if (value.bytes.empty()) {
        textType = value.type;
        outcome = ReadOutcome::Done;
        return;
      }
      text += value.bytes;
      return;
    }
    if (!HandleEvent(event) && otherEvent) otherEvent(event);
  };

  while (!outcome) {
    while (!outcome && XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      dispatch(event);
    }
    if (outcome) break;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
      outcome = ReadOutcome::TimedOut;
      break;
    }
    pollfd fd{ConnectionNumber(display_), POLLIN, 0};
    poll(&fd, 1, static_cast<int>(left.count()) + 1);
  }
  if (*outcome != ReadOutcome::Done) XDeleteProperty(display_, helper_, property);
  return *outcome;
}

bool X11Clipboard::HasTransferTo(::Window requestor) const {
  const auto it = transfers_.lower_bound(TransferKey{requestor, 0});
  return it != transfers_.end() && it->first.first == requestor;
}

bool X11Clipboard::IsClipboardEvent(const XEvent& event) const {
  switch (event.type) {
    case SelectionRequest: return event.xselectionrequest.owner == helper_;
    case SelectionClear: return event.xselectionclear.window == helper_;
    case SelectionNotify: return event.xselection.requestor == helper_;
    case PropertyNotify:
      return event.xproperty.window == helper_ || HasTransferTo(event.xproperty.window);
    case DestroyNotify: return HasTransferTo(event.xdestroywindow.event);
    default: return IsStructureEvent(event.type) && HasTransferTo(event.xany.window);
  }
}

bool X11Clipboard::HandleEvent(XEvent& event) {
  if (!IsClipboardEvent(event)) return false;
  switch (event.type) {
    case SelectionRequest: ServeRequest(event.xselectionrequest); break;
    case SelectionClear:
      // Ask the server rather than trust the event's time: a clear queued before we took the
      // selection again must not end an ownership that is ours.
      if (event.xselectionclear.selection == atoms_.clipboard) {
        owned_ = XGetSelectionOwner(display_, atoms_.clipboard) == helper_;
      }
      break;
    case PropertyNotify:
      if (event.xproperty.window != helper_ && event.xproperty.state == PropertyDelete) {
        const TransferKey key{event.xproperty.window, event.xproperty.atom};
        if (transfers_.count(key) != 0) ContinueIncr(key);
      }
      break;
    case DestroyNotify: {
      // The requestor is gone, and with it its event mask.
      const ::Window window = event.xdestroywindow.event;
      transfers_.erase(transfers_.lower_bound(TransferKey{window, 0}),
                       transfers_.lower_bound(TransferKey{window + 1, 0}));
      break;
    }
    default:
      // A late answer to an abandoned read, or the requestor's structure events: nothing to do.
      break;
  }
  return true;
}

void X11Clipboard::ServeRequest(const XSelectionRequestEvent& request) {
  XEvent reply{};
  reply.xselection.type = SelectionNotify;
  reply.xselection.display = display_;
  reply.xselection.requestor = request.requestor;
  reply.xselection.selection = request.selection;
  reply.xselection.target = request.target;
  reply.xselection.time = request.time;
  reply.xselection.property = None;

  // Obsolete clients send property None: the target names the property then (ICCCM 2.2).
  const Atom property = request.property != None ? request.property : request.target;
  const bool ours = owned_ && text_ && request.selection == atoms_.clipboard &&
                    !IsOlder(request.time, ownershipTime_);
  if (ours) {
    if (request.target == atoms_.multiple) {
      // MULTIPLE needs the requestor's pair list, which a missing property cannot hold.
      if (request.property != None && ServeMultiple(request.requestor, property)) {
        reply.xselection.property = property;
      }
    } else if (Convert(request.requestor, request.target, property)) {
      reply.xselection.property = property;
    }
  }
  XSendEvent(display_, request.requestor, False, NoEventMask, &reply);
  XFlush(display_);
}

bool X11Clipboard::ServeMultiple(::Window requestor, Atom property) {
  // More pairs than any requestor needs would only be a way to make us work for nothing.
  constexpr long kMaxItems = 2 * 64;
  Atom type = None;
  int format = 0;
  unsigned long items = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  const int status = XGetWindowProperty(display_, requestor, property, 0, kMaxItems, False,
                                        AnyPropertyType, &type, &format, &items, &after, &data);
  if (status != Success || type == None || format != 32) {
    if (data != nullptr) XFree(data);
    return false;
  }
  std::vector<long> pairs(reinterpret_cast<const long*>(data),
                          reinterpret_cast<const long*>(data) + (items - items % 2));
  XFree(data);
  for (size_t i = 0; i < pairs.size(); i += 2) {
    const auto target = static_cast<Atom>(pairs[i]);
    const auto pairProperty = static_cast<Atom>(pairs[i + 1]);
    if (target == atoms_.multiple || pairProperty == None ||
        !Convert(requestor, target, pairProperty)) {
      pairs[i + 1] = None;
    }
  }
  const long noPairs = 0;
  XChangeProperty(display_, requestor, property, atoms_.atomPair, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(pairs.empty() ? &noPairs : pairs.data()),
                  static_cast<int>(pairs.size()));
  return true;
}

bool X11Clipboard::Convert(::Window requestor, Atom target, Atom property) {
  if (target == atoms_.targets) {
    const long list[] = {
        static_cast<long>(atoms_.targets),       static_cast<long>(atoms_.multiple),
        static_cast<long>(atoms_.timestamp),     static_cast<long>(atoms_.utf8String),
        static_cast<long>(atoms_.textPlainUtf8), static_cast<long>(XA_STRING),
        static_cast<long>(atoms_.text),          static_cast<long>(atoms_.saveTargets)};
    XChangeProperty(display_, requestor, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(list),
                    static_cast<int>(std::size(list)));
    return true;
  }
  if (target == atoms_.timestamp) {
    const long time = static_cast<long>(ownershipTime_);
    XChangeProperty(display_, requestor, property, XA_INTEGER, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&time), 1);
    return true;
  }
  if (target == atoms_.saveTargets) {
    // The clipboard manager convention: an empty answer of type NULL.
    const long nothing = 0;
    XChangeProperty(display_, requestor, property, atoms_.null, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&nothing), 0);
    return true;
  }
  if (target == atoms_.utf8String || target == atoms_.text) {
    return SendText(requestor, property, atoms_.utf8String, text_->Utf8());
  }
  if (target == atoms_.textPlainUtf8) {
    return SendText(requestor, property, atoms_.textPlainUtf8, text_->Utf8());
  }
  if (target == XA_STRING) {
    return SendText(requestor, property, XA_STRING, text_->Latin1());
  }
  return false;
}

bool X11Clipboard::SendText(::Window requestor, Atom property, Atom type, const Bytes& data) {
  if (data->size() > chunkSize_) return StartIncr(requestor, property, type, data);
  XChangeProperty(display_, requestor, property, type, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(data->data()),
                  static_cast<int>(data->size()));
  return true;
}

bool X11Clipboard::StartIncr(::Window requestor, Atom property, Atom type, const Bytes& data) {
  // The mask to give back at the end is the one from before the first transfer to this window.
  long savedMask = 0;
  const auto existing = transfers_.lower_bound(TransferKey{requestor, 0});
  const bool hadTransfer = existing != transfers_.end() && existing->first.first == requestor;

  X11ErrorTrap trap(display_);
  if (hadTransfer) {
    savedMask = existing->second.savedEventMask;
  } else {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display_, requestor, &attributes) == 0) return false;
    savedMask = attributes.your_event_mask;
  }
  // Listen before announcing, so that no deletion of the property can be missed.
  XSelectInput(display_, requestor, savedMask | PropertyChangeMask | StructureNotifyMask);
  const long length = static_cast<long>(data->size());
  XChangeProperty(display_, requestor, property, atoms_.incr, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&length), 1);
  if (trap.Failed()) {
    if (!hadTransfer) XSelectInput(display_, requestor, savedMask);
    return false;
  }
  Transfer& transfer = transfers_[TransferKey{requestor, property}];
  transfer.type = type;
  transfer.data = data;
  transfer.offset = 0;
  transfer.savedEventMask = savedMask;
  transfer.lastProgress = Clock::now();
  return true;
}

void X11Clipboard::ContinueIncr(const TransferKey& key) {
  Transfer& transfer = transfers_.at(key);
  const std::string& data = *transfer.data;
  const size_t count = std::min(chunkSize_, data.size() - transfer.offset);
  // The last write is the zero-length one that tells the requestor it has everything.
  XChangeProperty(display_, key.first, key.second, transfer.type, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(data.data() + transfer.offset),
                  static_cast<int>(count));
  if (count == 0) {
    EndTransfer(key);
  } else {
    transfer.offset += count;
    transfer.lastProgress = Clock::now();
  }
  XFlush(display_);
}

void X11Clipboard::EndTransfer(const TransferKey& key) {
  const auto it = transfers_.find(key);
  if (it == transfers_.end()) return;
  const long savedMask = it->second.savedEventMask;
  transfers_.erase(it);
  if (!HasTransferTo(key.first)) XSelectInput(display_, key.first, savedMask);
}

std::optional<int> X11Clipboard::NextTimeoutMs() const {
  if (transfers_.empty()) return std::nullopt;
  Clock::time_point nearest = Clock::time_point::max();
  for (const auto& [key, transfer] : transfers_) {
    nearest = std::min(nearest, transfer.lastProgress + transferTimeout_);
  }
  const auto left = nearest - Clock::now();
  if (left <= Clock::duration::zero()) return 0;
  // Rounded up, so that a wake-up at that time finds the transfer expired.
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

void X11Clipboard::ExpireTransfers() {
  const Clock::time_point now = Clock::now();
  std::vector<TransferKey> expired;
  for (const auto& [key, transfer] : transfers_) {
    if (now - transfer.lastProgress >= transferTimeout_) expired.push_back(key);
  }
  for (const TransferKey& key : expired) EndTransfer(key);
  if (!expired.empty()) XFlush(display_);
}

bool X11Clipboard::HandOver(std::chrono::milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  if (!owned_ || !text_) return false;
  // A clear may still wait in the queue: the server knows.
  if (XGetSelectionOwner(display_, atoms_.clipboard) != helper_) {
    owned_ = false;
    return false;
  }
  if (XGetSelectionOwner(display_, atoms_.clipboardManager) == None) return false;

  // The targets worth keeping: the text in each form we offer it.
  const long targets[] = {static_cast<long>(atoms_.utf8String),
                          static_cast<long>(atoms_.textPlainUtf8), static_cast<long>(XA_STRING),
                          static_cast<long>(atoms_.text)};
  XChangeProperty(display_, helper_, atoms_.saveProperty, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(targets),
                  static_cast<int>(std::size(targets)));
  const Time time = FetchServerTime(deadline).value_or(ownershipTime_);
  XConvertSelection(display_, atoms_.clipboardManager, atoms_.saveTargets, atoms_.saveProperty,
                    helper_, time);
  XFlush(display_);

  // Serve the manager's requests until it answers; every other event stays queued.
  bool saved = false;
  XEvent event;
  const auto belongs = [this](const XEvent& e) { return IsClipboardEvent(e); };
  while (WaitForEvent(display_, event, deadline, belongs)) {
    if (event.type == SelectionNotify && event.xselection.requestor == helper_ &&
        event.xselection.selection == atoms_.clipboardManager &&
        event.xselection.target == atoms_.saveTargets) {
      saved = event.xselection.property != None;
      break;
    }
    HandleEvent(event);
  }
  XDeleteProperty(display_, helper_, atoms_.saveProperty);
  XFlush(display_);
  return saved;
}

}  // namespace platform::x11
