// The registry of embedded resources: binary files of the resources folder that the build puts
// into the program, named by their path there, for "{ file 'path' }" values of descriptions.

#include <algorithm>
#include <map>
#include <mutex>

#include "framework/classes/FormReader.h"

namespace framework {

namespace {

struct Resource {
  std::vector<uint8_t> copy;       // the bytes when they were copied
  std::span<const uint8_t> bytes;  // into copy, or into the program image
};

struct ResourceTable {
  std::mutex lock;
  // Entries are never changed or removed once made, so spans into them stay valid (a map's
  // nodes stay where they are, and so do the vectors' heap buffers).
  std::map<std::string, Resource, std::less<>> byName;
};

ResourceTable& Resources() {
  static ResourceTable table;
  return table;
}

void Register(const std::string& name, std::span<const uint8_t> bytes, bool copy) {
  ResourceTable& table = Resources();
  std::lock_guard guard(table.lock);
  if (auto it = table.byName.find(name); it != table.byName.end()) {
    const std::span<const uint8_t> known = it->second.bytes;
    if (!std::equal(known.begin(), known.end(), bytes.begin(), bytes.end()))
      throw Exception("Two different resources are registered under the name " + name);
    return;
  }
  Resource& entry = table.byName[name];
  if (copy) {
    entry.copy.assign(bytes.begin(), bytes.end());
    entry.bytes = entry.copy;
  } else {
    entry.bytes = bytes;
  }
}

}  // namespace

void RegisterResource(const std::string& name, std::span<const uint8_t> bytes) {
  Register(name, bytes, true);
}

void RegisterStaticResource(const std::string& name, std::span<const uint8_t> bytes) {
  Register(name, bytes, false);
}

std::span<const uint8_t> FindResource(const std::string& name) {
  ResourceTable& table = Resources();
  std::lock_guard guard(table.lock);
  auto it = table.byName.find(name);
  if (it == table.byName.end()) return {};
  return it->second.bytes;
}

bool HasResource(const std::string& name) {
  ResourceTable& table = Resources();
  std::lock_guard guard(table.lock);
  return table.byName.count(name) != 0;
}

std::string_view FindResourceText(const std::string& name) {
  const std::span<const uint8_t> bytes = FindResource(name);
  if (bytes.empty()) throw EReadError("Resource " + name + " not found");
  return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

}  // namespace framework
