#pragma once
// The skinned labels: light-weight text controls drawn by their parent onto its surface, with
// three additions to the class library's label. Their text colour follows the active skin (the
// "GLOBALINFO" section's first font colour), a disabled label's text is mixed 40 % toward the
// colour behind it, and TsLabelFX draws its text over a soft drop shadow blurred in a byte mask.
// Labels have no skin binding of their own: they read the default skin manager.
//
// TsCustomLabel is the base and is transparent from the start; TsLabel can keep its own font
// colour (UseSkinColor off); TsLabelFX takes its text colour from its Kind and its shadow from
// its Shadow (or the skin's first shadow settings).

#include <cstdint>
#include <memory>

#include "framework/classes/Persistent.h"
#include "framework/controls/Label.h"
#include "framework/graphics/Bitmap.h"
#include "skin/paint/sTextShadow.h"

namespace skin {

class TsCustomLabel : public framework::TCustomLabel {
 public:
  explicit TsCustomLabel(framework::TComponent* owner);
  DECLARE_CLASS_INFO()

  void WndProc(framework::TMessage& message) override;

 protected:
  // Gives the font the skin's text colour (when it follows the skin), then paints as the class
  // library's label.
  void Paint() override;
  // Disabled under an active skin: the text in 40 % of its colour and 60 % of the colour beneath.
  void DoDrawText(platform::TRect& rect, unsigned flags) override;
  // Whether the font colour follows the skin.
  virtual bool FollowsSkinColor() const { return true; }
  // The label's text with a blank added when measuring an empty text or a lone "&", so that it
  // still has a line's height; with DT_NOPREFIX added when ShowAccelChar is off.
  std::string TextToDraw(unsigned& flags) const;
};

class TsLabel : public TsCustomLabel {
 public:
  explicit TsLabel(framework::TComponent* owner) : TsCustomLabel(owner) {}
  DECLARE_CLASS_INFO()

  bool UseSkinColor() const { return useSkinColor_; }
  void SetUseSkinColor(bool value) { useSkinColor_ = value; }

  void WndProc(framework::TMessage& message) override;

 protected:
  bool FollowsSkinColor() const override { return useSkinColor_; }

 private:
  bool useSkinColor_ = true;
};

class TsLabelFX;

enum TsShadowMode : uint8_t { smNone, smCustom, smSkin1 };
enum TsKindType : uint8_t { ktStandard, ktCustom, ktSkin };

// The drop shadow of a TsLabelFX: where its parameters come from, its colour, how often it is
// blurred (0: no shadow) and how far it lies right and down.
class TsShadow : public framework::TPersistent {
 public:
  explicit TsShadow(TsLabelFX* label) : label_(label) {}
  DECLARE_CLASS_INFO()

  TsShadowMode Mode() const { return mode_; }
  void SetMode(TsShadowMode value);
  platform::TColor Color() const { return color_; }
  void SetColor(platform::TColor value);
  int BlurCount() const { return blurCount_; }
  void SetBlurCount(int value);
  int Distance() const { return distance_; }
  void SetDistance(int value);

 private:
  TsLabelFX* label_;
  TsShadowMode mode_ = smCustom;
  platform::TColor color_ = platform::clBlack;
  int blurCount_ = 4;
  int distance_ = 1;
};

// Where the text colour of a TsLabelFX comes from; Color serves ktCustom and stands in for the
// skin's colour.
class TsKind : public framework::TPersistent {
 public:
  explicit TsKind(TsLabelFX* label) : label_(label) {}
  DECLARE_CLASS_INFO()

  TsKindType KindType() const { return kindType_; }
  void SetKindType(TsKindType value);
  platform::TColor Color() const { return color_; }
  void SetColor(platform::TColor value);

 private:
  TsLabelFX* label_;
  TsKindType kindType_ = ktSkin;
  platform::TColor color_ = platform::clWhite;
};

class TsLabelFX : public TsCustomLabel {
 public:
  explicit TsLabelFX(framework::TComponent* owner);
  ~TsLabelFX() override;
  DECLARE_CLASS_INFO()

  TsShadow* Shadow() const { return shadow_.get(); }
  TsKind* Kind() const { return kind_.get(); }
  // What a change of the shadow or the kind does: the label is drawn again.
  void EffectChanged();

 protected:
  // The shadow's distance and blur grow with the label, so its text keeps its look.
  void ChangeScale(int m, int d) override;
  // Measures with room for the shadow, or draws the shadow image and the text over it.
  void DoDrawText(platform::TRect& rect, unsigned flags) override;

 private:
  struct ShadowParams {
    platform::TColor color;
    int blur;
    int distance;
  };
  ShadowParams ResolveShadow() const;
  platform::TColor TextColor() const;
  // Mixes the shadow colour through the mask into the work bitmap, over what lies beneath rect
  // when the label is transparent, else over its colour.
  void ComposeShadow(const platform::TRect& rect, platform::TColor shadow);

  std::unique_ptr<TsShadow> shadow_;
  std::unique_ptr<TsKind> kind_;
  std::unique_ptr<framework::TBitmap> work_;
  TsShadowMask mask_;
  bool rebuild_ = true;
  int nearMargin_ = 0;  // never positive
  int farMargin_ = 0;   // never negative
};

}  // namespace skin
