#pragma once
// TsSkinProvider: the non-visual component that skins the form it belongs to. It takes over the
// form's window procedure, so it sees every message before the form does. While a skin is active
// it paints the form's surface from its section ("FORM") through an image of the whole window (its
// binding's cache), answers the skin questions of the form's controls (your background, your
// colour, are you still dirty) and follows the skin manager's announcements; the form's Color
// follows the skin's global background colour. Without an active skin it stays out of the way and
// every message reaches the form as before.
//
// What only bordered forms use (the skinned frame and title bar, title buttons, system menu,
// size grip, snapping, menus, scroll bars, multi-document areas) is kept as published options; the
// program's forms are borderless and none of it acts on them.

#include <memory>
#include <string>

#include "framework/classes/Component.h"
#include "framework/controls/ControlTypes.h"
#include "framework/forms/Form.h"
#include "skin/controls/sCommonData.h"
#include "skin/forms/sTitleParts.h"

namespace skin {

enum TsBorderIcon : uint32_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TsBorderIcons = uint32_t;
enum TsGripMode { gmNone, gmRightBottom };
enum TsResizeMode { rmStandard, rmBorder };

class TsSkinProvider : public framework::TComponent, public TsSkinMessageReceiver {
 public:
  explicit TsSkinProvider(framework::TComponent* owner);
  ~TsSkinProvider() override;
  DECLARE_CLASS_INFO()

  // ---- published properties

  TsBorderIcons BorderIcons = biSystemMenu | biMinimize | biMaximize;
  framework::TAlignment CaptionAlignment = framework::taLeftJustify;
  TsGripMode GripMode = gmNone;
  bool MakeSkinMenu = true;
  std::string MenuLineSkin;
  TsResizeMode ResizeMode = rmStandard;
  bool ScreenSnap = false;
  int SnapBuffer = 10;
  bool ShowAppIcon = true;
  std::string TitleSkin;
  bool UseGlobalColor = true;
  TsCommonData* SkinData() const { return skinData_.get(); }
  TsTitleButtons* TitleButtons() const { return titleButtons_.get(); }
  TsTitleIcon* TitleIcon() const { return titleIcon_.get(); }

  // ---- run-time state

  // The form the provider works for: the nearest form among its owners.
  framework::TCustomForm* OwnerForm() const { return ownerForm_; }
  bool FormActive() const { return formActive_; }
  int HotTitleItem() const { return hotTitleItem_; }

  void AfterConstruction() override;
  void Loaded() override;
  void Notification(framework::TComponent* component, framework::TOperation operation) override;

  // Binds the provider to the manager's skin: the binding's section and indices, the form's
  // border icons (drawn by the provider) and, with UseGlobalColor, the form's colour.
  void SetupForm();
  // The form's window procedure while the provider is attached.
  void FormWindowProc(framework::TMessage& message);
  // The binding's own notices (SetSkinManager) come straight here.
  void SkinMessage(framework::TMessage& message) override;
  // Composes the form's image from its section into the cache, when dirty.
  void RenderFormImage();

 private:
  // The manager at hand: the binding's, else the default one.
  bool ManagerAtHand() const;
  bool FromOurManager(const framework::TMessage& message) const;
  void PassOn(framework::TMessage& message);
  void BroadcastToChildren(framework::TMessage& message);
  // A skinned form's handling of the skin message and of window messages.
  void SkinnedSkinCommand(framework::TMessage& message);
  void SkinnedWindowMessage(framework::TMessage& message);
  // WM_GETMINMAXINFO: the limits the form leaves open, from the work area.
  void AnswerMinMaxInfo(framework::TMessage& message);
  void ApplyNewSkin(framework::TMessage& message);
  void RemoveSkin(framework::TMessage& message);
  void PaintFormClient();
  void PaintAttachedControl(platform::HDC dc);
  void NonClientPaint();
  void SetFormColorFromSkin();
  void DropBorderIcons();

  std::unique_ptr<TsCommonData> skinData_;
  std::unique_ptr<TsTitleButtons> titleButtons_;
  std::unique_ptr<TsTitleIcon> titleIcon_;
  framework::TCustomForm* ownerForm_ = nullptr;
  framework::TWndMethod savedWindowProc_;
  bool formActive_ = true;
  framework::TBorderIcons savedBorderIcons_ = 0;
  bool firstSetup_ = true;
  bool setUp_ = false;          // SetupForm has run with a manager
  bool paintingParts_ = false;  // the form's controls are being painted over its image
  int hotTitleItem_ = -1;
};

}  // namespace skin
