#include "app/SnippetSlots.h"

#include "app/SnippetLocation.h"
#include "skin/controls/sEdit.h"

namespace app {

namespace {

TSnippets TextsOf(const TSnippetEdits& edits) {
  TSnippets texts;
  for (size_t k = 0; k < edits.size(); ++k) texts[k] = edits[k]->Text();  // shared, not copied
  return texts;
}

void Apply(const TSnippets& texts, const TSnippetEdits& edits) {
  for (size_t k = 0; k < edits.size(); ++k) edits[k]->SetText(texts[k]);
}

}  // namespace

void LoadSnippetsInto(const TSnippetEdits& edits) {
  TSnippets texts = TextsOf(edits);
  try {
    LoadSnippets(CurrentSnippetLocation(), texts);
  } catch (...) {
    Apply(texts, edits);
    throw;
  }
  Apply(texts, edits);
}

void SaveSnippetsFrom(const TSnippetEdits& edits) {
  SaveSnippets(CurrentSnippetLocation(), TextsOf(edits));
}

}  // namespace app
