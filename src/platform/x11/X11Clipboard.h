#pragma once
// The CLIPBOARD selection, as a well-behaved X11 client owns and reads it (ICCCM 2.2-2.7 and the
// freedesktop clipboard manager convention). The text is kept as counted bytes, UTF-8 by
// convention, passed through unchanged (NUL bytes included). The owner is an unmapped 1x1 helper
// window that lives as long as this object, so the selection never dies with a visible window.
//
// Offered targets and the types of the answers:
//   TARGETS      ATOM/32 list of all targets below
//   UTF8_STRING  UTF8_STRING/8, the bytes
//   text/plain;charset=utf-8  that atom/8, the bytes
//   STRING       STRING/8, Latin-1 ('?' for characters above U+00FF)
//   TEXT         UTF8_STRING/8 (the type names the encoding)
//   TIMESTAMP    INTEGER/32, the time ownership was taken
//   MULTIPLE     each ATOM_PAIR converted; a failed pair gets property None
//   SAVE_TARGETS NULL/32, empty
// Every answer echoes the requested target. Texts larger than one request go by INCR.
//
// Xlib is used from one thread; the object never blocks without a deadline.

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/OfferedText.h"
#include "platform/SharedText.h"

namespace platform::x11 {

class X11Clipboard {
 public:
  // Creates the helper window (selecting PropertyChangeMask on it) and installs the process's X
  // error handler. An INCR transfer that makes no progress for transferTimeout is given up.
  explicit X11Clipboard(Display* display,
                        std::chrono::milliseconds transferTimeout = std::chrono::seconds(30));
  ~X11Clipboard();
  X11Clipboard(const X11Clipboard&) = delete;
  X11Clipboard& operator=(const X11Clipboard&) = delete;

  ::Window HelperWindow() const { return helper_; }

  // Owns CLIPBOARD with these bytes. time: server time of the event that caused it; 0 = obtain a
  // fresh server timestamp. While still the owner of exactly these bytes nothing is sent to the
  // server (a hover publishes on every mouse move). False when ownership could not be taken.
  bool Publish(const SharedText& bytes, Time time);
  bool Owns() const { return owned_; }
  // How many times Publish has taken ownership so far (it does not when it finds itself the owner
  // of the bytes already).
  uint64_t Ownerships() const { return ownerships_; }

  // The clipboard's text: our bytes when we own it; otherwise asks the owner for UTF8_STRING,
  // then text/plain;charset=utf-8, then STRING (Latin-1, returned as UTF-8), with INCR. Waits at
  // most `timeout` in total; meanwhile requests to us are served and every other event is passed to
  // otherEvent in order. nullopt when the owner refuses, there is none, or time runs out.
  std::optional<std::string> Read(std::chrono::milliseconds timeout,
                                  const std::function<void(XEvent&)>& otherEvent);

  // Takes the events that belong to the clipboard: SelectionRequest, SelectionClear,
  // SelectionNotify and PropertyNotify on the helper, and events on requestor windows of INCR
  // transfers under way. True when consumed.
  bool HandleEvent(XEvent& event);

  // Milliseconds until the nearest INCR transfer is given up (nullopt: none under way), and the
  // clean-up of transfers whose time has come.
  std::optional<int> NextTimeoutMs() const;
  void ExpireTransfers();

  // At exit: when we own CLIPBOARD and a clipboard manager runs, asks it to keep the text
  // (SAVE_TARGETS), serving its requests meanwhile, for at most `timeout`. True when the manager
  // confirmed; false when it refused, there is none, we are not the owner, or time ran out.
  bool HandOver(std::chrono::milliseconds timeout);

 private:
  using Clock = std::chrono::steady_clock;
  using Bytes = OfferedText::Bytes;

  // An INCR send under way, keyed by (requestor, property).
  struct Transfer {
    Atom type = None;
    Bytes data;
    size_t offset = 0;
    long savedEventMask = 0;  // the requestor's mask of ours before the transfer
    Clock::time_point lastProgress;
  };
  using TransferKey = std::pair<::Window, Atom>;

  enum class ReadOutcome { Done, Refused, TimedOut };

  std::optional<Time> FetchServerTime(Clock::time_point deadline);
  bool IsClipboardEvent(const XEvent& event) const;

  void ServeRequest(const XSelectionRequestEvent& request);
  bool ServeMultiple(::Window requestor, Atom property);
  bool Convert(::Window requestor, Atom target, Atom property);
  bool SendText(::Window requestor, Atom property, Atom type, const Bytes& data);
  bool StartIncr(::Window requestor, Atom property, Atom type, const Bytes& data);
  void ContinueIncr(const TransferKey& key);
  void EndTransfer(const TransferKey& key);
  bool HasTransferTo(::Window requestor) const;

  ReadOutcome ConvertAndRead(Atom target, Time time, Clock::time_point deadline,
                             const std::function<void(XEvent&)>& otherEvent, std::string& text,
                             Atom& textType);

  Display* display_;
  ::Window helper_ = None;
  std::chrono::milliseconds transferTimeout_;
  size_t chunkSize_;

  // What was last published, with its Latin-1 form for STRING shared by every request and transfer
  // until the text changes.
  std::optional<OfferedText> text_;
  bool owned_ = false;
  Time ownershipTime_ = 0;
  uint64_t ownerships_ = 0;
  std::map<TransferKey, Transfer> transfers_;

  struct Atoms {
    Atom clipboard, targets, multiple, timestamp, utf8String, textPlainUtf8, text, saveTargets,
        incr, atomPair, null, clipboardManager, readProperty, timeProperty, saveProperty;
  } atoms_;
};

}  // namespace platform::x11
