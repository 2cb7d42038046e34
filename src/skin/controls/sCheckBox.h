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
#include "framework/graphics/ImageList.h"
#include "skin/controls/sFading.h"
#include "skin/paint/sPaintParams.h"

namespace skin {

class TsCheckBox : public TsFading<framework::TCheckBox> {
 public:
  explicit TsCheckBox(framework::TComponent* owner);
  DECLARE_CLASS_INFO()

  // User glyphs: three state cells side by side (normal, hot, pressed) over their masks.
  framework::TBitmap* GlyphChecked() const { return glyphChecked_.get(); }
  void SetGlyphChecked(const framework::TBitmap* value);
  framework::TBitmap* GlyphUnChecked() const { return glyphUnChecked_.get(); }
  void SetGlyphUnChecked(const framework::TBitmap* value);
  // Glyphs by index from an image list, laid out as the user glyphs are; used when Images is set
  // and both indexes are 0 or more. The list's changes and its freeing reach the box.
  framework::TCustomImageList* Images() const { return images_; }
  void SetImages(framework::TCustomImageList* value);
  int ImgChecked() const { return imgChecked_; }
  void SetImgChecked(int value);
  int ImgUnchecked() const { return imgUnchecked_; }
  void SetImgUnchecked(int value);
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
  // Sizes the box to glyph and caption (skinned, AutoSize on, not loading).
  void AdjustSize() override;
  void Invalidate() override;

  void Loaded() override;
  void Notification(framework::TComponent* component, framework::TOperation operation) override;
  void WndProc(framework::TMessage& message) override;

 private:
  // The skin's glyph mask for the current state, or nullptr.
  const TsMaskData* SkinGlyphMask(framework::TCheckBoxState state) const;
  const framework::TBitmap* UserGlyph() const;
  bool UsesImageList() const;
  void ImageListChanged();
  platform::TSize GlyphCellSize() const;
  void RenderCache() override;
  // The cache rendered with key-coloured pixels of two-layer masks taking maskFill where no
  // parent image shows through (kKeyColor: none).
  void RenderCacheFilled(TColor maskFill);
  void DrawCaption();
  void DrawGlyph();
  void PaintSkinned(framework::TMessage& message);
  // A new skin, its removal or a refresh from the binding's manager.
  void SkinAnnounced(uint16_t command, framework::TMessage& message) override;
  bool HandleFocusAndHover(framework::TMessage& message);
  bool HandleSkinnedMessage(framework::TMessage& message);
  // Space and the left button push the box in; their release toggles it.
  bool HandlePressAndRelease(framework::TMessage& message);
  void HandleUnskinnedFiltering(framework::TMessage& message);
  void TakeFocusQuietly();

  std::unique_ptr<framework::TBitmap> glyphChecked_;
  std::unique_ptr<framework::TBitmap> glyphUnChecked_;
  framework::TCustomImageList* images_ = nullptr;
  std::unique_ptr<framework::TChangeLink> imagesLink_;
  int imgChecked_ = 0;
  int imgUnchecked_ = 0;
  int margin_ = 2;
  bool multiLine_ = false;
  bool readOnly_ = false;
  bool showFocus_ = true;
  int textIndent_ = 0;
  bool autoSize_ = true;
  bool pressed_ = false;
};

}  // namespace skin
