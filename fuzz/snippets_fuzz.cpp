// Feeds arbitrary bytes to the snippet file's line rules. Whatever the bytes, the slots must be the
// same whether they arrive at once or in small pieces (the reader gets them in chunks), and what
// the program would write back from those slots must read back as the very same slots.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/SnippetFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  const app::TSnippets before = {"1", "2", "3", "4", "5", "6", "7"};

  app::TSnippets whole = before;
  const int count = app::ParseSnippets(std::string_view(bytes, size), whole);
  if (count < 0 || count > app::kSnippetCount) std::abort();
  for (int k = count; k < app::kSnippetCount; ++k)
    if (whole[static_cast<size_t>(k)] != before[static_cast<size_t>(k)]) std::abort();

  app::TSnippets pieces = before;
  app::TSnippetParser parser(pieces);
  const size_t step = size == 0 ? 1 : 1 + data[0] % 7;
  for (size_t at = 0; at < size && !parser.Done(); at += step)
    parser.Feed(bytes + at, std::min(step, size - at));
  parser.Finish();
  if (parser.LineCount() != count || pieces != whole) std::abort();

  app::TSnippets back = {};
  if (app::ParseSnippets(app::FormatSnippets(whole), back) != app::kSnippetCount || back != whole)
    std::abort();
  return 0;
}
