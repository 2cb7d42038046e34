#pragma once
// Descriptors held back for a read that must never meet a full descriptor table. The compositor
// hands each reader's pipe over as a descriptor inside its messages, and libwayland takes up to 28
// of them in one read; when the table cannot take them all, the kernel drops them and libwayland
// ends the connection as broken, for good. Readers that stall, or anything else of the program's
// that fills the table, would thus cut the program off from Wayland. The reserve holds that many
// descriptors (to /dev/null), gives them back just before the connection is read and takes them
// again afterwards, as far as the table then allows.

#include <cstddef>
#include <vector>

namespace platform::wayland {

class DescriptorReserve {
 public:
  // The most descriptors libwayland reads at once (the room it gives them in one receive).
  static constexpr size_t kWaylandRead = 28;

  explicit DescriptorReserve(size_t count = kWaylandRead);
  ~DescriptorReserve();
  DescriptorReserve(const DescriptorReserve&) = delete;
  DescriptorReserve& operator=(const DescriptorReserve&) = delete;

  // Closes the reserve's descriptors: their places are free for the read that follows.
  void Release();
  // Takes places again until the reserve is whole or the table is full.
  void Restore();
  size_t Held() const { return fds_.size(); }

 private:
  size_t count_;
  std::vector<int> fds_;
};

}  // namespace platform::wayland
