#pragma once
// TsSkinManager: the non-visual component that owns the skins of the application and makes one of
// them current. It keeps the stored skins, selects the one SkinName names, builds from it the
// tables that all painting reads (TsSkinTables: sections, masks, patterns, the master bitmap and
// their look-ups by name), recolours them (HueOffset, Saturation), and tells every form when the
// skin has been loaded, removed or changed, with the skin message.
//
// The first manager made is the default manager, used by every skinned control and form that
// names no manager of its own. Everything runs on the user-interface thread.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/classes/Component.h"
#include "framework/classes/Strings.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "skin/data/sMaskData.h"
#include "skin/data/sSkinLoading.h"
#include "skin/data/sSkinTables.h"
#include "skin/data/sStoredSkin.h"

namespace skin {

class TsIniText;

// Options of skinned menus. No window of the program has a menu; the options are kept so that
// descriptions holding them read and write back.
class TacMenuSupport : public framework::TPersistent {
 public:
  TacMenuSupport();
  DECLARE_CLASS_INFO()
  void Assign(const framework::TPersistent* source) override;

  std::string IcoLineSkin;
  framework::TFont* ExtraLineFont() const { return extraLineFont_.get(); }

 private:
  std::unique_ptr<framework::TFont> extraLineFont_;
};

// Used only by skinned menus.
using TsGetExtraLineData =
    std::function<void(framework::TObject* firstItem, std::string& skinSection,
                       std::string& caption, framework::TBitmap* glyph, bool& lineVisible)>;

class TsSkinManager : public framework::TComponent {
 public:
  explicit TsSkinManager(framework::TComponent* owner);
  ~TsSkinManager() override;
  DECLARE_CLASS_INFO()

  // Once the whole description is read: an empty SkinDirectory becomes "c:\Skins", an empty
  // MenuSupport.IcoLineSkin "ICOLINE", and an active manager with a SkinName announces its skin
  // once more, now that every control of the form exists.
  void Loaded() override;

  // ---- published properties

  // True while this manager is the default manager. Setting true (or any value while there is no
  // default manager) makes it the default and announces its skin (or its removal when inactive);
  // a default manager does not give up the role when set to false.
  bool IsDefault() const;
  void SetIsDefault(bool value);
  // False: the manager holds no current skin. Becoming true loads SkinName; becoming false
  // removes the skin (not while being read from a description) and resets the index cache.
  bool Active() const { return active_; }
  void SetActive(bool value);
  // Extra sections in INI form added to every skin. Setting copies the lines without their blanks
  // (comment lines kept as they are) and reloads the current skin.
  framework::TStringList* CommonSections() const { return commonSections_.get(); }
  void SetCommonSections(const framework::TStrings* lines);
  // Colour adjustment applied at every load; changing either reloads the ready skin from its
  // stored data (adjustments never accumulate) and refreshes every form.
  int Saturation() const { return saturation_; }
  void SetSaturation(int value);
  int HueOffset() const { return hueOffset_; }
  void SetHueOffset(int value);
  // The stored skins; setting copies the items.
  TsStoredSkins* InternalSkins() const { return internalSkins_.get(); }
  void SetInternalSkins(const TsStoredSkins* value);
  TacMenuSupport* MenuSupport() const { return menuSupport_.get(); }
  // The folder that holds skin folders; setting stores it and points SkinPath at the resolved
  // folder, without reloading.
  const std::string& SkinDirectory() const { return skinDirectory_; }
  void SetSkinDirectory(const std::string& value);
  // Setting loads that skin and announces it, also when the name is the current one. A name no
  // stored skin has exactly (letter case counts) selects the first stored skin, and SkinName then
  // reads its name; with no stored skin at all the manager becomes inactive.
  const std::string& SkinName() const { return skinName_; }
  void SetSkinName(const std::string& value);
  // The loaded skin's version with "." as decimal separator ("4.83"), or "N/A" while no skin is
  // ready.
  std::string SkinInfo() const;
  // The version of the skin engine.
  static std::string Version() { return "4.90"; }
  bool SkinnedPopups() const { return skinnedPopups_; }
  void SetSkinnedPopups(bool value) { skinnedPopups_ = value; }

  framework::TNotifyEvent OnAfterChange;
  framework::TNotifyEvent OnBeforeChange;
  TsGetExtraLineData OnGetMenuExtraLineData;

  // ---- loading and announcing

  // Loads the skin SkinName names (the tables, with the common sections, the colour adjustment
  // and the display's scale) and adopts it in place of the current one: the first skin folder of
  // that name in the skin folders (SkinFolders) that holds "Options.dat", else the stored skin of
  // that name. A folder that cannot be loaded (a settings file that cannot be read, a malformed
  // number, a master bitmap that cannot be used) is passed over as if it were not there, with the
  // current tables untouched: SkinLoadError says why and FailedSkinFolder names it, for the
  // program to tell the user. Each picture of a loaded folder that could not be used is named in
  // one line on standard error. Nothing while inactive.
  void LoadSkin();
  // Why the last load could not use the skin folder it found; empty when it could, or found none.
  const std::string& SkinLoadError() const { return skinLoadError_; }
  // The skin folder the last load could not use (ending with "/"); empty when it could.
  const std::string& FailedSkinFolder() const { return failedSkinFolder_; }
  // SKC_SETNEWSKIN to every form (with the index cache rebuilt first), SkinReady, then a refresh.
  // Nothing but the refresh while no skin has been loaded.
  void SendNewSkin();
  // SkinReady false, SKC_REMOVESKIN to every form, every table emptied, the index cache reset.
  void SendRemoveSkin();
  // SKC_STOPFADE, then SKC_REFRESH, to every form.
  void RepaintForms();
  // Sends the skin message with command and this manager to every form of the application that is
  // not being destroyed: ordinary forms from the last made to the first, then MDI children.
  void SendToAllForms(uint16_t command);

  // ---- the loaded skin

  // Fills list with the names of the stored skins and of the skin folders in the skin folders
  // (sub-folders not beginning with "." that hold a file "Options.dat"), sorted ignoring letter
  // case, each name once, and returns the default name: the first stored skin's, or without
  // stored skins the first folder's (empty when there is neither).
  std::string ListSkinNames(framework::TStrings* list) const;

  // The tables of the loaded skin (empty while none is), with their look-ups by name.
  const TsSkinTables& Tables() const { return tables_; }
  const TsSkinData& SkinData() const { return *skinData_; }
  // The folders that hold skin folders, as this platform names them, in the order they are
  // searched: the desktop's skin folders for the stored "c:\Skins", else the one folder
  // SkinDirectory resolves to.
  std::vector<std::string> SkinFolders() const;

 private:
  TsStoredSkin* CurrentStoredSkin() const;
  // What every load applies: the common sections, the colour adjustment, the display's scale.
  TsSkinLoadOptions LoadOptions() const;
  TsIniText CommonSectionsText() const;
  // The loaded skin's tables and skin-wide values in place of the current ones.
  void AdoptSkin(TsLoadedSkin&& skin);
  void ReloadAdjusted();
  static void ReportFolder(const std::string& skinPath, const std::string& what);

  bool active_ = true;
  bool skinLoaded_ = false;  // tables built by LoadSkin and not removed since
  bool skinnedPopups_ = true;
  int saturation_ = 0;
  int hueOffset_ = 0;
  std::string skinName_;
  std::string skinDirectory_;
  std::unique_ptr<TsSkinData> skinData_;
  std::unique_ptr<TsStoredSkins> internalSkins_;
  std::unique_ptr<framework::TStringList> commonSections_;
  std::unique_ptr<TacMenuSupport> menuSupport_;
  TsSkinTables tables_;
  std::string skinLoadError_;
  std::string failedSkinFolder_;
};

// The default manager: the first one made, until it is destroyed (no other takes over); nullptr
// when there is none.
TsSkinManager* DefaultManager();
// Set while a skin is being (re)loaded: fading does not start and form providers skip their
// handling of position changes meanwhile.
bool SkinChanging();
// Set while the skin-loaded command is being sent.
bool SkinNotifying();

}  // namespace skin
