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
//       end>
//     Lines.Strings = ( 'a' 'b' )    string lists
//     Data = { 0A0B0C }              binary data as hex, or { file 'skins/x.bin' } from resources
//     OnClick = Button1Click         events name a published method of the form
//     object Button1: TButton
//       ...
//     end
//   end
//
// Errors name the line: "Form1.dfm(12): Unknown property 'Colour'".

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/ClassRegistry.h"
#include "framework/FormValue.h"

namespace framework {

class TComponent;

// Parses a description; raises EReadError naming sourceName and the line on any syntax error.
TObjectDesc ParseFormDescription(std::string_view text, const std::string& sourceName);

class TReader {
 public:
  TReader(TComponent* root, std::string sourceName);
  TComponent* Root() const { return root_; }
  const std::string& SourceName() const { return sourceName_; }

  // Reads desc into the root component, which exists already (a form's constructor calls this).
  // On failure every component made so far is freed and the error (EReadError with the line) goes
  // on; the root is left to its caller to free.
  void ReadRoot(const TObjectDesc& desc);

  // Sets one (possibly dotted) property of obj; used for the root, children and collection items.
  void SetProperty(TObject* obj, const TPropertyAssignment& assignment);

 private:
  void ReadComponent(TComponent* component, const TObjectDesc& desc);
  TComponent* CreateChild(TComponent* container, const TObjectDesc& desc);

  TComponent* root_;
  std::string sourceName_;
  std::vector<TComponent*> loaded_;  // every component read, in reading order
};

// Parses and reads a description into root.
void ReadComponentRes(TComponent* root, std::string_view text, const std::string& sourceName);

// The description of a component and the components it owns that are placed on it, with every
// property that differs from its default.
std::string WriteComponentRes(const TComponent* root);
// One value in the text format (used by the writer and by tests).
std::string FormatFormValue(const TFormValue& value, int indent);

// Binary data that the build embeds from the resources folder, found by its path there.
void RegisterResource(const std::string& name, std::span<const uint8_t> bytes);
std::span<const uint8_t> FindResource(const std::string& name);  // empty when unknown

}  // namespace framework
