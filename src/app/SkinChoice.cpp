#include "app/SkinChoice.h"

#include <algorithm>
#include <cstdio>

#include "app/Settings.h"
#include "framework/classes/Strings.h"
#include "platform/Exception.h"
#include "skin/data/sSkinManager.h"

namespace app {

namespace {

constexpr std::string_view kInternal = " (internal)";

std::string ShortName(const std::string& storedName) {
  return storedName.ends_with(kInternal)
             ? storedName.substr(0, storedName.size() - kInternal.size())
             : storedName;
}

std::vector<std::string> StoredNames(const skin::TsSkinManager& manager) {
  const skin::TsStoredSkins& stored = *manager.InternalSkins();
  std::vector<std::string> names;
  names.reserve(static_cast<size_t>(std::max(0, stored.Count())));
  for (int i = 0; i < stored.Count(); ++i) names.push_back(stored.Items(i)->Name());
  return names;
}

bool Contains(const std::vector<std::string>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// The names of the skin folders, by name. A name that cannot stand in one line of the settings
// file or the menu is no name to choose by.
std::vector<std::string> FolderNames(const skin::TsSkinManager& manager) {
  const std::vector<std::string> stored = StoredNames(manager);
  framework::TStringList all;
  manager.ListSkinNames(&all);
  std::vector<std::string> folders;
  for (int i = 0; i < all.Count(); ++i) {
    const std::string name = all.Get(i);
    if (Contains(stored, name)) continue;
    if (std::any_of(name.begin(), name.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }))
      continue;
    folders.push_back(name);
  }
  return folders;
}

// The stored skin called name (either way), or nullopt.
std::optional<std::string> StoredSkinCalled(const std::vector<std::string>& stored,
                                            std::string_view name) {
  for (const std::string& full : stored)
    if (full == name || ShortName(full) == name) return full;
  return std::nullopt;
}

void ReportFailedFolder(const skin::TsSkinManager& manager, const char* instead) {
  std::fprintf(stderr, "snipwell: skin folder %s cannot be loaded: %s; drawing with %s\n",
               manager.FailedSkinFolder().c_str(), manager.SkinLoadError().c_str(), instead);
}

// Sets the manager's skin and says on standard error what went wrong: a skin folder that could
// not be loaded, with the reason. When the manager had to fall back to another skin than the one
// asked for, BlueIce is drawn instead.
void Apply(skin::TsSkinManager& manager, const std::string& skinName) {
  manager.SetSkinName(skinName);
  const bool fellBack = manager.SkinName() != skinName;
  if (!manager.FailedSkinFolder().empty())
    ReportFailedFolder(manager, fellBack ? "BlueIce" : "the stored skin");
  if (fellBack && manager.SkinName() != kDefaultSkinName) manager.SetSkinName(kDefaultSkinName);
}

}  // namespace

std::vector<std::string> ChoosableSkins(const skin::TsSkinManager& manager) {
  const std::vector<std::string> stored = StoredNames(manager);
  std::vector<std::string> names;
  names.reserve(stored.size());
  for (const std::string& full : stored) names.push_back(ShortName(full));
  for (const std::string& folder : FolderNames(manager))
    if (!StoredSkinCalled(stored, folder)) names.push_back(folder);
  return names;
}

std::string ActiveSkin(const skin::TsSkinManager& manager) {
  const std::optional<std::string> stored =
      StoredSkinCalled(StoredNames(manager), manager.SkinName());
  return stored ? ShortName(*stored) : manager.SkinName();
}

std::optional<std::string> SkinNameFor(const skin::TsSkinManager& manager, std::string_view name) {
  const std::vector<std::string> folders = FolderNames(manager);
  if (std::optional<std::string> stored = StoredSkinCalled(StoredNames(manager), name)) {
    // A folder of either name stands in for the stored skin; the manager looks for the folder
    // of the name it is given.
    if (!Contains(folders, *stored) && Contains(folders, ShortName(*stored)))
      return ShortName(*stored);
    return stored;
  }
  if (Contains(folders, name)) return std::string(name);
  return std::nullopt;
}

void ChooseSkin(skin::TsSkinManager& manager, const std::string& name) {
  const std::optional<std::string> skinName = SkinNameFor(manager, name);
  if (!skinName) throw platform::Exception("There is no skin named \"" + name + "\"");
  Apply(manager, *skinName);
  // The name as chosen: a folder that failed to load today may be mended by tomorrow.
  TSettings settings;
  settings.Set("Skin", "Name", name);
}

void ApplyStartSkin(skin::TsSkinManager& manager, const std::optional<std::string>& skinOption,
                    const TSettings& settings) {
  std::optional<std::string> name = skinOption;
  if (!name) name = settings.Value("Skin", "Name");
  if (!name || name->empty()) name = manager.SkinName();
  std::optional<std::string> skinName = SkinNameFor(manager, *name);
  if (!skinName) {
    std::fprintf(stderr, "snipwell: there is no skin named \"%s\"; drawing with BlueIce\n",
                 name->c_str());
    skinName = kDefaultSkinName;
  }
  if (*skinName != manager.SkinName()) {
    Apply(manager, *skinName);
  } else if (!manager.FailedSkinFolder().empty()) {
    // Loaded with the bar already; its folder's failure is told all the same.
    ReportFailedFolder(manager, "the stored skin");
  }
}

}  // namespace app
