// Feeds arbitrary text to the form-description parser and reader: each must either succeed or
// raise EReadError, never crash, hang or leak. What the parser accepts must format as text that
// parses to the same description, and a failed read must leave no component behind.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "framework/classes/Component.h"
#include "framework/classes/FormReader.h"

namespace {

bool Setup() {
  framework::RegisterClass(framework::TComponent::StaticClassInfo());
  static const uint8_t kBytes[] = {0x42, 0x4D, 0x00, 0xFF};
  framework::RegisterResource("fuzz/data.bin", kBytes);
  // Collection items kept in resources: well formed, naming themselves, and broken.
  const auto text = [](const char* name, std::string_view items) {
    framework::RegisterResource(
        name, std::span(reinterpret_cast<const uint8_t*>(items.data()), items.size()));
  };
  text("fuzz/items.dfm", "item\n  Tag = 1\nend\nitem\n  Name = 'x'\n  Sub = < item end >\nend\n");
  text("fuzz/loop.dfm", "item\n  Items = < file 'fuzz/loop.dfm' >\nend\n");
  text("fuzz/bad.dfm", "item\n  Tag = \nend\n");
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = Setup();
  (void)ready;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  framework::TObjectDesc desc;
  try {
    desc = framework::ParseFormDescription(text, "fuzz.dfm");
  } catch (const framework::EReadError&) {
    return 0;
  }
  const std::string formatted = framework::FormatObjectDesc(desc);
  if (framework::FormatObjectDesc(framework::ParseFormDescription(formatted, "fuzz.dfm")) !=
      formatted)
    std::abort();

  framework::TComponent root(nullptr);
  try {
    framework::TReader(&root, "fuzz.dfm").ReadRoot(desc);
  } catch (const framework::EReadError&) {
    if (root.ComponentCount() != 0 || root.HasState(framework::csLoading)) std::abort();
  }
  return 0;
}
