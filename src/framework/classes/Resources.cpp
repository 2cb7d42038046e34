// The registry of embedded resources: binary files of the resources folder that the build puts
// into the program, named by their path there, for "{ file 'path' }" values of descriptions.

#include <algorithm>
#include <map>
#include <mutex>

#include "framework/classes/FormReader.h"

namespace framework {

namespace {

struct ResourceTable {
  std::mutex lock;
  // Entries are never changed or removed once made, so spans into them stay valid.
  std::map<std::string, std::vector<uint8_t>, std::less<>> byName;
};

ResourceTable& Resources() {
  static ResourceTable table;
  return table;
}

}  // namespace

void RegisterResource(const std::string& name, std::span<const uint8_t> bytes) {
  ResourceTable& table = Resources();
  std::lock_guard guard(table.lock);
  if (auto it = table.byName.find(name); it != table.byName.end()) {
    if (!std::equal(it->second.begin(), it->second.end(), bytes.begin(), bytes.end()))
      throw Exception("Two different resources are registered under the name " + name);
    return;
  }
  table.byName.emplace(name, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

std::span<const uint8_t> FindResource(const std::string& name) {
  ResourceTable& table = Resources();
  std::lock_guard guard(table.lock);
  auto it = table.byName.find(name);
  if (it == table.byName.end()) return {};
  return it->second;
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
