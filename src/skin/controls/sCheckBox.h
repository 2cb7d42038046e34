#pragma once
// TsCheckBox: the skinned check box. While its binding is skinned it draws everything itself
// into its cache: the background from its section ("CHECKBOX" by default), the check glyph from
// the skin's "GLOBALINFO" masks (or from glyphs the user supplies), the caption and a dotted focus
// frame. It handles the mouse and the space key itself, so that it can show a pressed glyph,
// honour ReadOnly, and fade between looks. It toggles only when the press began on the box and
// the pointer never left it. Without an active skin it is the class library's check box, with the
// pressed and ReadOnly filtering.

#include <memory>

#include "framework/controls/CheckBox.h"
#include "framework/graphics/Bitmap.h"
#include "skin/controls/sCommonData.h"
#include "skin/controls/sFadeTimer.h"
#include "skin/paint/sPaintParams.h"

namespace skin {

class TsCheckBox : public framework::TCheckBox {
 public:
  explicit TsCheckBox(framework::TComponent* owner);
  ~TsCheckBox() override;
  DECLARE_CLASS_INFO()

  TsCommonData* SkinData() const { return skinData_.get(); }
  TacAnimatEvents AnimatEvents() const { return animatEvents_; }
  void SetAnimatEvents(TacAnimatEvents value) { animatEvents_ = value; }
  TsDisabledKind DisabledKind() const { return disabledKind_; }
  void SetDisabledKind(TsDisabledKind value);
  // User glyphs: three state cells side by side (normal, hot, pressed) over their masks.
  framework::TBitmap* GlyphChecked() const { return glyphChecked_.get(); }
  void SetGlyphChecked(const framework::TBitmap* value);
  framework::TBitmap* GlyphUnChecked() const { return glyphUnChecked_.get(); }
  void SetGlyphUnChecked(const framework::TBitmap* value);
  int Margin() const { return margin_; }
  void SetMargin(int value);
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value) { readOnly_ = value; }
  bool ShowFocus() const { return showFocus_; }
  void SetShowFocus(bool value);
  int TextIndent() const { return textIndent_; }
  void SetTextIndent(int value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  void SetChecked(bool value) override;

  // The glyph's place in the cache (skin glyph: the BOXCHECKED cell, 16 x 16 without one).
  platform::TRect GlyphRect() const;
  // The look the glyph shows: pressed, hot (and not ReadOnly), else normal.
  TsLook GlyphState() const;
  bool Pressed() const { return pressed_; }
  TsFadeTimer* FadeTimer() const { return fadeTimer_; }
  // Sizes the box to glyph and caption (skinned, AutoSize on, not loading).
  void AdjustSize() override;
  void Invalidate() override;

  void AfterConstruction() override;
  void Loaded() override;
  void Notification(framework::TComponent* component, framework::TOperation operation) override;
  void WndProc(framework::TMessage& message) override;

 private:
  bool SkinActive() const;
  // The skin's glyph mask for the current state, or nullptr.
  const TsMaskData* SkinGlyphMask(framework::TCheckBoxState state) const;
  const framework::TBitmap* UserGlyph() const;
  platform::TSize GlyphCellSize() const;
  void RenderCache();
  void DrawCaption();
  void DrawGlyph();
  void PaintSkinned(framework::TMessage& message);
  bool HandleSkinCommand(framework::TMessage& message);
  bool HandleFocusAndHover(framework::TMessage& message);
  bool HandleSkinnedMessage(framework::TMessage& message);
  void HandleUnskinnedFiltering(framework::TMessage& message);
  void ChangeLookOn(TacAnimatEvent event, bool halve);
  void TakeFocusQuietly();

  std::unique_ptr<TsCommonData> skinData_;
  TacAnimatEvents animatEvents_ = aeGlobalDef;
  TsDisabledKind disabledKind_ = dkBlended;
  std::unique_ptr<framework::TBitmap> glyphChecked_;
  std::unique_ptr<framework::TBitmap> glyphUnChecked_;
  int margin_ = 2;
  bool multiLine_ = false;
  bool readOnly_ = false;
  bool showFocus_ = true;
  int textIndent_ = 0;
  bool autoSize_ = true;
  bool pressed_ = false;
  TsFadeTimer* fadeTimer_ = nullptr;
};

}  // namespace skin
