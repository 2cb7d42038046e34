#include "skin/data/sSkinManager.h"

#include <malloc.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "framework/classes/ClassBuilder.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/graphics/DisplayScale.h"
#include "platform/windows/Window.h"
#include "skin/data/sIniText.h"
#include "skin/data/sMessages.h"
#include "skin/data/sSkinDirectory.h"
#include "skin/data/sSkinFolder.h"
#include "skin/data/sStrUtils.h"

namespace skin {

using framework::TClassBuilder;
using framework::TClassInfo;
using framework::TPersistent;

namespace {

TsSkinManager* defaultManager = nullptr;
bool skinChanging = false;
bool skinNotifying = false;

// Sets a process-wide flag for a scope and gives back what it was, also when a step fails.
class FlagScope {
 public:
  FlagScope(bool& flag, bool value) : flag_(flag), old_(flag) { flag_ = value; }
  ~FlagScope() { flag_ = old_; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
  bool old_;
};

}  // namespace

TsSkinManager* DefaultManager() { return defaultManager; }
bool SkinChanging() { return skinChanging; }
bool SkinNotifying() { return skinNotifying; }

// ---- TacMenuSupport
// ------------------------------------------------------------------------------

TacMenuSupport::TacMenuSupport() : extraLineFont_(std::make_unique<framework::TFont>()) {}

const TClassInfo& TacMenuSupport::StaticClassInfo() {
  using C = TacMenuSupport;
  static const TClassInfo info = TClassBuilder<C>("TacMenuSupport", TPersistent::StaticClassInfo())
                                     .String("IcoLineSkin", &C::IcoLineSkin)
                                     .Object("ExtraLineFont", &C::ExtraLineFont);
  return info;
}

void TacMenuSupport::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TacMenuSupport*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  IcoLineSkin = other->IcoLineSkin;
  extraLineFont_->Assign(other->extraLineFont_.get());
}

// ---- class description
// ---------------------------------------------------------------------------

const TClassInfo& TsSkinManager::StaticClassInfo() {
  using C = TsSkinManager;
  static const TClassInfo info =
      TClassBuilder<C>("TsSkinManager", TComponent::StaticClassInfo())
          .Creatable()
          .Boolean("IsDefault", &C::IsDefault, &C::SetIsDefault, true)
          .Boolean("Active", &C::Active, &C::SetActive, true)
          .Strings("CommonSections", &C::CommonSections)
          .Integer("Saturation", &C::Saturation, &C::SetSaturation, 0)
          .Integer("HueOffset", &C::HueOffset, &C::SetHueOffset, 0)
          .Collection("InternalSkins", &C::InternalSkins)
          .Object("MenuSupport", &C::MenuSupport)
          .String("SkinDirectory", &C::SkinDirectory, &C::SetSkinDirectory)
          .String("SkinName", &C::SkinName, &C::SetSkinName)
          // Written for whoever reads the description; reading it back changes nothing.
          .String("SkinInfo", &C::SkinInfo, [](C&, const std::string&) {})
          .String("Version", nullptr, [](C&, const std::string&) {})
          .Boolean("SkinnedPopups", &C::SkinnedPopups, &C::SetSkinnedPopups, true)
          .EventProperty("OnAfterChange", &C::OnAfterChange)
          .EventProperty("OnBeforeChange", &C::OnBeforeChange)
          .EventProperty("OnGetMenuExtraLineData", &C::OnGetMenuExtraLineData);
  return info;
}

// ---- life
// ----------------------------------------------------------------------------------------

TsSkinManager::TsSkinManager(TComponent* owner)
    : TComponent(owner),
      skinData_(std::make_unique<TsSkinData>()),
      internalSkins_(std::make_unique<TsStoredSkins>(this)),
      commonSections_(std::make_unique<framework::TStringList>()),
      menuSupport_(std::make_unique<TacMenuSupport>()) {
  if (!defaultManager) defaultManager = this;
  SetSkinDirectory("c:\\Skins");
}

TsSkinManager::~TsSkinManager() {
  Destroying();
  SetActive(false);
  if (defaultManager == this) defaultManager = nullptr;
}

void TsSkinManager::Loaded() {
  TComponent::Loaded();
  if (skinDirectory_.empty()) SetSkinDirectory("c:\\Skins");
  if (menuSupport_->IcoLineSkin.empty()) menuSupport_->IcoLineSkin = "ICOLINE";
  if (active_ && !skinName_.empty()) SendNewSkin();
}

// ---- properties
// ----------------------------------------------------------------------------------

bool TsSkinManager::IsDefault() const { return defaultManager == this; }

void TsSkinManager::SetIsDefault(bool value) {
  if (value || !defaultManager) {
    defaultManager = this;
    if (active_) {
      SendNewSkin();
      RepaintForms();
    } else {
      SendRemoveSkin();
    }
  }
  // Set to false while another manager is the default, this one simply is not; the default
  // manager keeps its role whatever it is told.
}

void TsSkinManager::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  if (active_) {
    SetSkinName(skinName_);
    return;
  }
  if (!HasState(framework::csLoading)) SendRemoveSkin();
  tables_.RebuildCommonIndices();
}

void TsSkinManager::SetCommonSections(const framework::TStrings* lines) {
  commonSections_->Clear();
  if (lines) {
    for (int i = 0; i < lines->Count(); ++i) {
      std::string line = lines->Get(i);
      if (!line.empty() && line.front() != ';') std::erase(line, ' ');
      commonSections_->Add(line);
    }
  }
  SetSkinName(skinName_);
}

void TsSkinManager::SetSaturation(int value) {
  if (value == saturation_) return;
  saturation_ = value;
  ReloadAdjusted();
}

void TsSkinManager::SetHueOffset(int value) {
  if (value == hueOffset_) return;
  hueOffset_ = value;
  ReloadAdjusted();
}

// A new colour adjustment is applied by loading the skin again from its stored data, so that
// adjustments never add up.
void TsSkinManager::ReloadAdjusted() {
  if (!skinData_->SkinReady) return;
  const std::string before = skinName_;
  {
    FlagScope changing(skinChanging, true);
    LoadSkin();
  }
  if (HasState(framework::csLoading)) return;
  // Loading may have fallen back to another skin (the named one was taken out of the stored
  // skins): then every holder of indices must look them up again.
  if (active_ && skinName_ != before)
    SendNewSkin();
  else if (active_)
    RepaintForms();
}

void TsSkinManager::SetInternalSkins(const TsStoredSkins* value) { internalSkins_->Assign(value); }

namespace {

// A skin name that can name a folder inside a skin directory, and nothing outside it.
bool IsFolderName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("/\\") == std::string::npos;
}

// The skin directory as the text rules resolve it; empty when the program's own folder cannot be
// expressed, which leaves no folder skins.
std::string ResolvedSkinDirectory(std::string_view value) {
  const std::optional<std::string> folder = ApplicationFolder();
  return folder ? ResolveSkinDirectory(value, *folder) : std::string();
}

}  // namespace

void TsSkinManager::SetSkinDirectory(const std::string& value) {
  if (value == skinDirectory_) return;
  skinDirectory_ = value;
  skinData_->SkinPath = ResolvedSkinDirectory(value);
}

std::vector<std::string> TsSkinManager::SkinFolders() const {
  return SkinFolderRoots(skinDirectory_);
}

void TsSkinManager::SetSkinName(const std::string& value) {
  skinName_ = value;
  if (!active_) return;
  if (OnBeforeChange) OnBeforeChange(this);
  {
    FlagScope changing(skinChanging, true);
    skinData_->SkinReady = false;
    LoadSkin();
    // A manager that found no skin at all has become inactive and removed its skin: announcing a
    // loaded one now would report an empty skin as ready.
    if (active_) SendNewSkin();
  }
  if (OnAfterChange) OnAfterChange(this);
}

std::string TsSkinManager::SkinInfo() const {
  if (!skinData_->SkinReady) return "N/A";
  // Shortest of up to 15 significant digits, always with "." whatever the locale says.
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, skinData_->Version,
                                    std::chars_format::general, 15);
  return std::string(buffer, result.ptr);
}

TsStoredSkin* TsSkinManager::CurrentStoredSkin() const {
  const int index = internalSkins_->IndexOfSkin(skinName_);
  return index < 0 ? nullptr : internalSkins_->Items(index);
}

TsIniText TsSkinManager::CommonSectionsText() const {
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(commonSections_->Count()));
  for (int i = 0; i < commonSections_->Count(); ++i) {
    std::string line = commonSections_->Get(i);
    // Lines read straight from a description never went through SetCommonSections: they lose
    // their blanks here as they would have there.
    if (!line.empty() && line.front() != ';') std::erase(line, ' ');
    lines.push_back(std::move(line));
  }
  return TsIniText(lines);
}

TsSkinLoadOptions TsSkinManager::LoadOptions() const {
  return {CommonSectionsText(), hueOffset_, saturation_, framework::DisplayScale()};
}

void TsSkinManager::AdoptSkin(TsLoadedSkin&& skin) {
  tables_.Adopt(std::move(skin.Tables));
  const bool ready = skinData_->SkinReady;
  *skinData_ = std::move(skin.Info);
  skinData_->SkinReady = ready;
  skinLoaded_ = true;
}

void TsSkinManager::LoadSkin() {
  if (!active_) return;
  FlagScope changing(skinChanging, true);
  skinLoadError_.clear();
  failedSkinFolder_.clear();
  if (IsFolderName(skinName_)) {
    // The first folder of that name holding a settings file is the skin; one that fails to load
    // is passed over for the stored skins, not for a folder of the same name further down.
    for (const std::string& root : SkinFolders()) {
      const std::string skinPath = root + skinName_ + "/";
      if (!DiskSkinFiles().Exists(SkinFilePath("Options.dat", skinPath))) continue;
      try {
        TsLoadedSkin loaded = LoadFolderSkin(DiskSkinFiles(), skinPath, LoadOptions());
        for (const std::string& note : loaded.Notes) ReportFolder(skinPath, note);
        AdoptSkin(std::move(loaded));
        // The load held picture files and their decoding beside the pictures it keeps. Blocks
        // that large come from the heap once the allocator has seen a few of them, and a heap
        // gives memory back only when asked: without this, a skin chosen from the menu would
        // keep its peak.
        malloc_trim(0);
        return;
      } catch (const platform::Exception& e) {
        skinLoadError_ = e.Message();
        failedSkinFolder_ = skinPath;
      }
      break;
    }
  }
  skinData_->SkinPath.clear();
  if (internalSkins_->IndexOfSkin(skinName_) < 0) {
    if (internalSkins_->Count() == 0) {
      SetActive(false);
      return;
    }
    skinName_ = internalSkins_->Items(0)->Name();
  }
  AdoptSkin(LoadStoredSkin(*CurrentStoredSkin(), LoadOptions()));
}

// One line on standard error: a skin folder is something the user installed, and what of it
// could not be used would otherwise go unexplained.
void TsSkinManager::ReportFolder(const std::string& skinPath, const std::string& what) {
  std::fprintf(stderr, "snipwell: skin folder %s: %s\n", PlatformPath(skinPath).c_str(),
               what.c_str());
}

// ---- announcing
// ----------------------------------------------------------------------------------

void TsSkinManager::SendNewSkin() {
  if (skinLoaded_) {
    skinData_->SkinReady = false;
    {
      FlagScope notifying(skinNotifying, true);
      tables_.RebuildCommonIndices();
      SendToAllForms(SKC_SETNEWSKIN);
    }
    skinData_->SkinReady = skinLoaded_;
  }
  RepaintForms();
}

void TsSkinManager::SendRemoveSkin() {
  skinData_->SkinReady = false;
  SendToAllForms(SKC_REMOVESKIN);
  tables_.Clear();
  skinLoaded_ = false;
  // Nothing may keep pointing into the emptied tables.
  tables_.RebuildCommonIndices();
}

void TsSkinManager::RepaintForms() {
  SendToAllForms(SKC_STOPFADE);
  SendToAllForms(SKC_REFRESH);
}

void TsSkinManager::SendToAllForms(uint16_t command) {
  framework::TApplication* app = framework::Application();
  if (!app) return;
  const auto lParam = reinterpret_cast<platform::LPARAM>(this);
  // Two passes over the live list, by index from the end: a form may close or open forms while it
  // handles the message, and a copy of the list could then hold a freed form.
  for (bool mdiChildren : {false, true}) {
    for (size_t i = app->Forms().size(); i-- > 0;) {
      if (i >= app->Forms().size()) continue;
      framework::TCustomForm* form = app->Forms()[i];
      if (form->HasState(framework::csDestroying)) continue;
      if ((form->FormStyle() == framework::fsMDIChild) != mdiChildren) continue;
      if (form->HandleAllocated()) {
        platform::SendMessage(form->Handle(), SM_SKINCMD, SkinWParam(command), lParam);
      } else {
        framework::TMessage message{SM_SKINCMD, SkinWParam(command), lParam, 0};
        form->WindowProc(message);
      }
    }
  }
}

// ---- skin names
// -----------------------------------------------------------------------------------------------

std::string TsSkinManager::ListSkinNames(framework::TStrings* list) const {
  std::vector<std::string> names;
  names.reserve(static_cast<size_t>(std::max(0, internalSkins_->Count())));
  for (int i = 0; i < internalSkins_->Count(); ++i)
    names.push_back(internalSkins_->Items(i)->Name());
  std::string defaultName = names.empty() ? std::string() : names.front();
  std::vector<std::string> folders;
  for (const std::string& root : SkinFolders()) {
    std::error_code error;
    for (std::filesystem::directory_iterator it(root, error), end; !error && it != end;
         it.increment(error)) {
      const std::string name = it->path().filename().string();
      if (name.empty() || name.front() == '.') continue;
      std::error_code fileError;
      if (std::filesystem::is_regular_file(it->path() / "Options.dat", fileError))
        folders.push_back(name);
    }
  }
  // In name order, so that "the first folder" does not depend on the order of the directory; a
  // name found in several folders is one skin (the first folder's).
  std::sort(folders.begin(), folders.end());
  folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
  if (names.empty() && !folders.empty()) defaultName = folders.front();
  // A folder named like a stored skin replaces it: one skin, listed once.
  for (const std::string& folder : folders)
    if (std::find(names.begin(), names.end(), folder) == names.end()) names.push_back(folder);
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return UpperCase(a) < UpperCase(b);
  });
  if (list) {
    list->Clear();
    for (const std::string& name : names) list->Add(name);
  }
  return defaultName;
}

}  // namespace skin
