// The Wayland clipboard through wlr data-control: a connection of its own to the compositor, the
// first seat, the data-control manager and the seat's data device. The selection's logic lives in
// WaylandSelection; this file only speaks the protocol for it.
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include <wlr-data-control-unstable-v1-client-protocol.h>
#include "platform/wayland/DescriptorReserve.h"
#include "platform/wayland/ReconnectingClipboard.h"
#include "platform/wayland/WaylandClipboard.h"
#include "platform/wayland/WaylandSelection.h"

namespace platform::wayland {

namespace {

using Clock = std::chrono::steady_clock;

// How long the start-up waits for the compositor to list its globals.
constexpr std::chrono::milliseconds kConnectWait{2000};

// The versions this code speaks: the first of each is all it needs (no primary selection).
constexpr uint32_t kSeatVersion = 1;
constexpr uint32_t kManagerVersion = 1;

SourceId IdOf(zwlr_data_control_source_v1* source) {
  return static_cast<SourceId>(reinterpret_cast<uintptr_t>(source));
}

class DataControlClipboard final : public WaylandClipboard, private SelectionWire {
 public:
  explicit DataControlClipboard(wl_display* display) : display_(display) {}
  ~DataControlClipboard() override { Disconnect(); }
  DataControlClipboard(const DataControlClipboard&) = delete;
  DataControlClipboard& operator=(const DataControlClipboard&) = delete;

  // Lists the globals and takes the seat's data device; false when the compositor offers no
  // data-control or no seat, or does not answer in time.
  bool Start();

  void Publish(const SharedText& text, bool xOwnershipTaken) override {
    if (!Connected()) return;
    selection_.Publish(text, xOwnershipTaken);
    Flush();
  }
  std::optional<int> BeforeWait(std::vector<pollfd>& fds) override;
  void AfterWait(const std::vector<pollfd>& fds) override;
  bool Connected() const override { return display_ != nullptr; }

 private:
  // SelectionWire.
  SourceId SetSelection(const std::vector<std::string>& mimeTypes) override;
  void DestroySource(SourceId source) override;

  bool RoundTrip(Clock::time_point deadline);
  void Flush();
  void DropDevice();
  void DropOffers(zwlr_data_control_offer_v1* except);
  void Disconnect();

  static void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
                       uint32_t version);
  static void OnGlobalRemove(void* data, wl_registry* registry, uint32_t name);
  static void OnDataOffer(void* data, zwlr_data_control_device_v1* device,
                          zwlr_data_control_offer_v1* offer);
  static void OnSelection(void* data, zwlr_data_control_device_v1* device,
                          zwlr_data_control_offer_v1* offer);
  static void OnFinished(void* data, zwlr_data_control_device_v1* device);
  static void OnPrimarySelection(void* data, zwlr_data_control_device_v1* device,
                                 zwlr_data_control_offer_v1* offer);
  static void OnSend(void* data, zwlr_data_control_source_v1* source, const char* mimeType,
                     int32_t fd);
  static void OnCancelled(void* data, zwlr_data_control_source_v1* source);

  static constexpr wl_registry_listener kRegistryListener = {&OnGlobal, &OnGlobalRemove};
  static constexpr zwlr_data_control_device_v1_listener kDeviceListener = {
      &OnDataOffer, &OnSelection, &OnFinished, &OnPrimarySelection};
  static constexpr zwlr_data_control_source_v1_listener kSourceListener = {&OnSend, &OnCancelled};

  wl_display* display_;
  wl_registry* registry_ = nullptr;
  wl_seat* seat_ = nullptr;
  uint32_t seatName_ = 0;
  zwlr_data_control_manager_v1* manager_ = nullptr;
  uint32_t managerName_ = 0;
  zwlr_data_control_device_v1* device_ = nullptr;
  std::set<zwlr_data_control_source_v1*> sources_;
  // Other programs' offers the device announced; each is destroyed once a newer selection
  // supersedes it, as the protocol asks.
  std::set<zwlr_data_control_offer_v1*> offers_;
  wl_callback* sync_ = nullptr;  // the round trip under way
  bool reading_ = false;         // between prepare_read and read_events or cancel_read
  size_t firstFd_ = 0;           // where BeforeWait put the connection in the poll set
  // Room for the readers' descriptors each read of the connection may bring.
  DescriptorReserve reserve_;
  WaylandSelection selection_{*this};
};

bool DataControlClipboard::Start() {
  registry_ = wl_display_get_registry(display_);
  if (!registry_) return false;
  wl_registry_add_listener(registry_, &kRegistryListener, this);
  const Clock::time_point deadline = Clock::now() + kConnectWait;
  if (!RoundTrip(deadline) || !seat_ || !manager_) return false;
  device_ = zwlr_data_control_manager_v1_get_data_device(manager_, seat_);
  if (!device_) return false;
  zwlr_data_control_device_v1_add_listener(device_, &kDeviceListener, this);
  return RoundTrip(deadline) && device_ != nullptr;
}

bool DataControlClipboard::RoundTrip(Clock::time_point deadline) {
  static constexpr wl_callback_listener kDone = {[](void* data, wl_callback* callback, uint32_t) {
    wl_callback_destroy(callback);
    static_cast<DataControlClipboard*>(data)->sync_ = nullptr;
  }};
  sync_ = wl_display_sync(display_);
  if (!sync_) return false;
  wl_callback_add_listener(sync_, &kDone, this);
  while (sync_ && Connected()) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return false;  // Disconnect, which follows, drops the callback
    std::vector<pollfd> fds;
    BeforeWait(fds);
    if (!Connected()) break;
    poll(fds.data(), 1, static_cast<int>(left.count()));
    AfterWait(fds);
  }
  return Connected();
}

void DataControlClipboard::Flush() {
  if (Connected() && wl_display_flush(display_) < 0 && errno != EAGAIN) Disconnect();
}

std::optional<int> DataControlClipboard::BeforeWait(std::vector<pollfd>& fds) {
  if (!Connected()) return std::nullopt;
  // Events already read (by an earlier round) are handled before the wait, or they would wait for
  // the next byte from the compositor.
  while (wl_display_prepare_read(display_) != 0) {
    if (wl_display_dispatch_pending(display_) < 0) {
      Disconnect();
      return std::nullopt;
    }
  }
  reading_ = true;
  short events = POLLIN;
  if (wl_display_flush(display_) < 0) {
    if (errno != EAGAIN) {
      Disconnect();
      return std::nullopt;
    }
    events |= POLLOUT;  // the socket is full: the rest goes once it takes more
  }
  firstFd_ = fds.size();
  fds.push_back(pollfd{wl_display_get_fd(display_), events, 0});
  selection_.Transfers().AddPollFds(fds);
  return selection_.NextTimeoutMs();
}

void DataControlClipboard::AfterWait(const std::vector<pollfd>& fds) {
  if (!Connected()) return;
  if (reading_) {
    reading_ = false;
    const short revents = firstFd_ < fds.size() ? fds[firstFd_].revents : short{0};
    if (revents & (POLLIN | POLLERR | POLLHUP)) {
      // The read may bring descriptors: it must find places for all of them. The readers it
      // brings are taken on (or refused, beyond the cap) while the events are dispatched;
      // the reserve then takes back what is free.
      reserve_.Release();
      const bool read = wl_display_read_events(display_) >= 0;
      const bool dispatched = read && wl_display_dispatch_pending(display_) >= 0;
      reserve_.Restore();
      if (!dispatched) {
        Disconnect();
        return;
      }
    } else {
      wl_display_cancel_read(display_);
      if (wl_display_dispatch_pending(display_) < 0) {
        Disconnect();
        return;
      }
    }
  }
  selection_.Tick();
  Flush();
}

SourceId DataControlClipboard::SetSelection(const std::vector<std::string>& mimeTypes) {
  if (!device_) return 0;
  zwlr_data_control_source_v1* source = zwlr_data_control_manager_v1_create_data_source(manager_);
  if (!source) return 0;
  zwlr_data_control_source_v1_add_listener(source, &kSourceListener, this);
  for (const std::string& type : mimeTypes) zwlr_data_control_source_v1_offer(source, type.c_str());
  zwlr_data_control_device_v1_set_selection(device_, source);
  sources_.insert(source);
  return IdOf(source);
}

void DataControlClipboard::DestroySource(SourceId id) {
  for (auto it = sources_.begin(); it != sources_.end(); ++it) {
    if (IdOf(*it) != id) continue;
    zwlr_data_control_source_v1_destroy(*it);
    sources_.erase(it);
    return;
  }
}

void DataControlClipboard::DropOffers(zwlr_data_control_offer_v1* except) {
  std::erase_if(offers_, [except](zwlr_data_control_offer_v1* offer) {
    if (offer == except) return false;
    zwlr_data_control_offer_v1_destroy(offer);
    return true;
  });
}

void DataControlClipboard::DropDevice() {
  // Without the seat nothing of ours is the selection any more.
  selection_.Forget();
  DropOffers(nullptr);
  if (device_) zwlr_data_control_device_v1_destroy(device_);
  device_ = nullptr;
}

void DataControlClipboard::Disconnect() {
  if (!display_) return;
  if (reading_) wl_display_cancel_read(display_);
  reading_ = false;
  if (sync_) wl_callback_destroy(sync_);
  sync_ = nullptr;
  DropDevice();
  if (manager_) zwlr_data_control_manager_v1_destroy(manager_);
  manager_ = nullptr;
  if (seat_) wl_seat_destroy(seat_);
  seat_ = nullptr;
  if (registry_) wl_registry_destroy(registry_);
  registry_ = nullptr;
  wl_display_flush(display_);
  wl_display_disconnect(display_);
  display_ = nullptr;
}

void DataControlClipboard::OnGlobal(void* data, wl_registry* registry, uint32_t name,
                                    const char* interface, uint32_t version) {
  auto* self = static_cast<DataControlClipboard*>(data);
  if (!self->seat_ && std::strcmp(interface, wl_seat_interface.name) == 0) {
    self->seat_ = static_cast<wl_seat*>(
        wl_registry_bind(registry, name, &wl_seat_interface, std::min(version, kSeatVersion)));
    self->seatName_ = name;
  } else if (!self->manager_ &&
             std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0) {
    self->manager_ = static_cast<zwlr_data_control_manager_v1*>(
        wl_registry_bind(registry, name, &zwlr_data_control_manager_v1_interface,
                         std::min(version, kManagerVersion)));
    self->managerName_ = name;
  }
}

void DataControlClipboard::OnGlobalRemove(void* data, wl_registry*, uint32_t name) {
  auto* self = static_cast<DataControlClipboard*>(data);
  if (self->seat_ && name == self->seatName_) {
    self->DropDevice();
    wl_seat_destroy(self->seat_);
    self->seat_ = nullptr;
  } else if (self->manager_ && name == self->managerName_) {
    self->DropDevice();
    zwlr_data_control_manager_v1_destroy(self->manager_);
    self->manager_ = nullptr;
  }
}

void DataControlClipboard::OnDataOffer(void* data, zwlr_data_control_device_v1*,
                                       zwlr_data_control_offer_v1* offer) {
  // The offer's types are of no interest: the program never reads the Wayland clipboard (X
  // carries that), so the offer gets no listener and its events pass unheard.
  static_cast<DataControlClipboard*>(data)->offers_.insert(offer);
}

void DataControlClipboard::OnSelection(void* data, zwlr_data_control_device_v1*,
                                       zwlr_data_control_offer_v1* offer) {
  auto* self = static_cast<DataControlClipboard*>(data);
  self->DropOffers(offer);
  self->selection_.OnSelectionChanged();
}

void DataControlClipboard::OnFinished(void* data, zwlr_data_control_device_v1*) {
  static_cast<DataControlClipboard*>(data)->DropDevice();
}

void DataControlClipboard::OnPrimarySelection(void* data, zwlr_data_control_device_v1*,
                                              zwlr_data_control_offer_v1* offer) {
  // Only sent from version 2 on, which is not asked for; an offer there is still not ours to keep.
  auto* self = static_cast<DataControlClipboard*>(data);
  if (offer && self->offers_.erase(offer) != 0) zwlr_data_control_offer_v1_destroy(offer);
}

void DataControlClipboard::OnSend(void* data, zwlr_data_control_source_v1* source,
                                  const char* mimeType, int32_t fd) {
  static_cast<DataControlClipboard*>(data)->selection_.OnSend(IdOf(source), mimeType, fd);
}

void DataControlClipboard::OnCancelled(void* data, zwlr_data_control_source_v1* source) {
  static_cast<DataControlClipboard*>(data)->selection_.OnCancelled(IdOf(source));
}

}  // namespace

namespace {

std::unique_ptr<WaylandClipboard> ConnectDataControl() {
  // A full descriptor table fails the connection's socket: a later try may find room.
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return nullptr;
  auto clipboard = std::make_unique<DataControlClipboard>(display);
  if (!clipboard->Start()) return nullptr;
  return clipboard;
}

}  // namespace

std::unique_ptr<WaylandClipboard> ConnectWaylandClipboard() {
  const char* session = std::getenv("WAYLAND_DISPLAY");
  if (!session || !*session) return nullptr;
  // A compositor without data-control at the start will not offer it later; one that has it is
  // connected to again whenever the connection is lost.
  std::unique_ptr<WaylandClipboard> first = ConnectDataControl();
  if (!first) return nullptr;
  return std::make_unique<ReconnectingClipboard>(std::move(first), &ConnectDataControl);
}

}  // namespace platform::wayland
