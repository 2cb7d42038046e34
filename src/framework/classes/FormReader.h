#pragma once
// Stored form descriptions: parsing the text format, reading a description into a form (creating
// its components, setting each property through its setter in stream order, binding events to the
// form's published methods, then calling Loaded on every component), and writing components back.
//
// The text format, one block per component, nested as the components are placed:
//
//   object Form1: TForm1
//     Left = 0
//     Caption = 'Snipwell'           strings in single quotes, '' for a quote, #13 character codes
//     Font.Height = -11              dotted paths reach nested persistent objects
//     Anchors = [akLeft, akTop]      sets
//     Items = <                      collections
//       item
//         Name = 'a'
//       end
//       file 'skins/x/Skin.dfm'      more items, from a resource holding "item ... end" blocks
//       >
//     Lines.Strings = ( 'a' 'b' )    string lists
//     Data = { 0A0B0C }              binary data as hex, or { file 'skins/x.bin' } from resources
//     OnClick = Button1Click         events name a published method of the form
//     Images = ImageList1            references name another component of the form, or nil
//     object Button1: TButton
//       ...
//     end
//   end
//
// Errors name the line: "Form1.dfm(12): Unknown property 'Colour'".

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/classes/ClassRegistry.h"
#include "framework/classes/FormValue.h"
#include "framework/classes/PropertyValues.h"

namespace framework {

class TComponent;

// Parses a description; raises EReadError naming sourceName and the line on any syntax error.
// Keywords (object, end, item, file) may be in any letter case; names are kept as written.
// Properties of a block come before its nested blocks. Nesting deeper than kMaxFormNesting
// (objects, collections and their items together) is refused rather than risking the stack.
TObjectDesc ParseFormDescription(std::string_view text, const std::string& sourceName);
inline constexpr int kMaxFormNesting = 100;

class TReader {
 public:
  TReader(TComponent* root, std::string sourceName);
  TComponent* Root() const { return root_; }
  const std::string& SourceName() const { return sourceName_; }

  // Reads desc into the root component, which exists already (a form's constructor calls this).
  // The root takes the description's name and its properties; every nested block becomes a
  // component owned by the root, placed in the component whose block encloses it, and stored in
  // the root's published field of its name. While reading, each component has csLoading (and
  // csReading while its own properties are set). When everything is read, the component
  // references are set (AddFixup), and then Loaded runs once on
  // each component - the root first, then the others in reading order - each losing csLoading
  // just before its own Loaded (so a component's Loaded still sees csLoading on those whose turn
  // has not come); then csCreating is cleared.
  // Call it from the most derived constructor (or later): the root's ClassInfo, which gives the
  // fields and event handlers, is the class whose constructor is running.
  // On failure every component made so far is freed (last made first), the root's fields for them
  // are cleared, and the error goes on as EReadError with the line (failures of setters that are
  // platform::Exception are turned into EReadError with the line too); the root is left to its
  // caller to free.
  void ReadRoot(const TObjectDesc& desc);

  // Sets one (possibly dotted) property of obj; used for the root, children and collection items.
  // Raises EReadError "Source(line): ..." for an unknown property or a value the property refuses.
  void SetProperty(TObject* obj, const TPropertyAssignment& assignment);

  // A reference to the component called `name`, for the property being read: ReadRoot calls set
  // with that component once every component of the description exists, before any Loaded. The
  // name is the root's own or that of a component the root owns; any other is an error naming the
  // line of the assignment ("Component 'X' not found"), as set's own failures are. A later
  // assignment of the same property drops it.
  void AddFixup(const std::string& name, std::function<void(TComponent*)> set);

 private:
  struct TFixup {
    const TObject* object = nullptr;  // whose property it sets
    const TPropInfo* property = nullptr;
    std::string name;
    std::function<void(TComponent*)> set;
    std::string source;
    int line = 0;
    std::string path;
  };
  void ResolveFixups();

  void ReadComponent(TComponent* component, const TObjectDesc& desc);
  TComponent* CreateChild(TComponent* container, const TObjectDesc& desc);

  TComponent* root_;
  std::string sourceName_;
  std::vector<TComponent*> loaded_;  // every component read, in reading order
  std::vector<TFixup> fixups_;       // references waiting for the whole description
  // The assignment being read, for the fix-ups it leaves.
  struct TReading {
    const TPropertyAssignment* assignment = nullptr;
    const std::string* source = nullptr;
    const TObject* object = nullptr;
    const TPropInfo* property = nullptr;
  };
  TReading reading_;
};

// Parses and reads a description into root.
void ReadComponentRes(TComponent* root, std::string_view text, const std::string& sourceName);

// The description of a component and the components it owns that are placed on it, with every
// property that differs from its default.
std::string WriteComponentRes(const TComponent* root);
// One value in the text format (used by the writer and by tests). indent is the indentation of
// the line the value starts on; the lines of collections, lists and binary data go deeper. Reals
// are written as the shortest text that reads back as the same double, always with a '.' or an
// exponent so that they read back as reals.
std::string FormatFormValue(const TFormValue& value, int indent);
// A whole block in the text format; ParseFormDescription of the result gives desc back.
std::string FormatObjectDesc(const TObjectDesc& desc, int indent = 0);
// The assignments a description holds for obj's published properties: those whose value differs
// from the default, nested objects as dotted paths (Font.Height), in publishing order.
std::vector<TPropertyAssignment> WriteProperties(const TObject* obj);

// Binary data that the build embeds from the resources folder, found by its path there. The bytes
// are copied. Registering a name again with the same bytes is harmless; with other bytes it is a
// programming error (Exception), so spans handed out stay valid for the life of the program.
void RegisterResource(const std::string& name, std::span<const uint8_t> bytes);
// The same for bytes that live as long as the program (compiled into it): they are not copied.
void RegisterStaticResource(const std::string& name, std::span<const uint8_t> bytes);
std::span<const uint8_t> FindResource(const std::string& name);  // empty when unknown
// A registered resource as text; raises EReadError when there is none of that name.
std::string_view FindResourceText(const std::string& name);
bool HasResource(const std::string& name);

}  // namespace framework
