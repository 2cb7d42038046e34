#pragma once
// The snippet file of this run (CurrentSnippetLocation) read into, and written from, a form's seven
// edit fields.

#include <array>

namespace skin {
class TsEdit;
}

namespace app {

using TSnippetEdits = std::array<skin::TsEdit*, 7>;

// Reads the snippet file into the fields. Fields the file has no line for keep their texts; on a
// failure, the fields whose lines were read are set and the failure goes on.
void LoadSnippetsInto(const TSnippetEdits& edits);
// Writes the fields' seven texts to the snippet file.
void SaveSnippetsFrom(const TSnippetEdits& edits);

}  // namespace app
