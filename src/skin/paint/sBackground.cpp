#include "skin/paint/sBackground.h"

#include <algorithm>

#include "framework/controls/WinControl.h"
#include "framework/graphics/JPEGImage.h"
#include "skin/data/sSkinTables.h"
#include "skin/paint/sBlending.h"
#include "skin/paint/sBorderMask.h"
#include "skin/paint/sGradient.h"
#include "skin/paint/sStateImage.h"
#include "skin/paint/sTexture.h"

namespace skin {

using framework::TBitmap;
using platform::TPoint;

namespace {

// A key with a high byte of $FF: no pixel matches it.
constexpr TColor kNoKey = static_cast<TColor>(0xFFFFFFFFu);

bool Inside(const TRect& t, const TBitmap* bitmap) {
  return t.Left >= 0 && t.Top >= 0 && t.Right <= bitmap->Width() && t.Bottom <= bitmap->Height();
}

void Fill(TBitmap* bitmap, const TRect& rect, TColor color) {
  platform::DeviceContext dc(&bitmap->DIB());
  FillSolid(&dc, rect, color);
}

TCacheInfo Moved(TCacheInfo info, TPoint by) {
  info.X += by.X;
  info.Y += by.Y;
  return info;
}

// What the texture layer of a face is: a mask of the skin, a pattern picture, or nothing.
struct TsTexture {
  const TsMaskData* mask = nullptr;
  const framework::TJPEGImage* pattern = nullptr;
};

// The values of one column of the section (normal or hot) that the layers are made of.
struct TsLayers {
  TColor color = 0;
  int imagePercent = 0;
  int gradientPercent = 0;
  const std::string* gradientText = nullptr;  // empty when there is no gradient
  const TsGradArray* gradient = nullptr;
  int transparency = 0;
  TsTexture texture;
};

const std::string& NoText() {
  static const std::string none;
  return none;
}

// The colour, texture and gradient of the section without transparency, into target of bitmap.
// info (offsets already at the bitmap) and maskFill serve two-layer textures.
void FillSectionLayers(TBitmap* bitmap, const TRect& target, const TsLayers& l,
                       const TCacheInfo& info, TColor maskFill) {
  bool painted = false;
  TRect x = target;
  if (l.imagePercent > 0) {
    if (l.texture.pattern) {
      DrawTexture(bitmap, x, l.texture.pattern, 0, nullptr);
      painted = true;
    } else if (l.texture.mask && l.texture.mask->MaskType != 0) {
      DrawMaskedTexture(bitmap, x, info, l.texture.mask->DrawMode, *l.texture.mask, maskFill);
      painted = true;
    } else if (l.texture.mask) {
      DrawTexture(bitmap, x, l.texture.mask->Bmp.get(), l.texture.mask->DrawMode, l.texture.mask);
      painted = true;
    }
    if (x != kCoveredAll) Fill(bitmap, x, l.color);
  }
  if (l.gradientPercent > 0) {
    const bool noGradient = l.gradientText->empty();
    if (painted) {
      // The texture keeps ImagePercent, the gradient takes the rest; the rightmost column keeps
      // the texture.
      auto layer = NewBitmap24(target.Width(), target.Height());
      const TRect all{0, 0, target.Width(), target.Height()};
      if (noGradient)
        Fill(layer.get(), all, l.color);
      else
        DrawGradient(layer.get(), all, *l.gradient, 0);
      MixBitmap(bitmap, layer.get(), PercentWeight(l.imagePercent), target.TopLeft(),
                {0, 0, target.Width() - 1, target.Height()});
    } else if (noGradient) {
      Fill(bitmap, target, l.color);
    } else {
      DrawGradient(bitmap, target, *l.gradient, 0);
    }
  }
  const int64_t shares = int64_t{l.gradientPercent} + l.imagePercent;
  if (l.gradientPercent == 0 && l.imagePercent == 0) {
    const TColor slot = ColorSlot();
    Fill(bitmap, target, slot != kColorSlotUnset && l.transparency != 0 ? slot : l.color);
  } else if (shares >= 1 && shares <= 99) {
    TintRect(bitmap, target, static_cast<int>(shares), l.color);
  }
}

// Puts the parent's image (or the colour slot's colour, when set) under target.
void PutParentUnder(TBitmap* bitmap, const TRect& target, const TCacheInfo& info, TPoint position) {
  if (bitmap == info.Bitmap) return;
  const TColor slot = ColorSlot();
  if (slot == kColorSlotUnset)
    CopyBlock(bitmap, target.Left, target.Top, target.Width(), target.Height(), info.Bitmap,
              info.X + position.X, info.Y + position.Y);
  else
    Fill(bitmap, target, slot);
}

// The texture of the column: the given index when its mask has one layer, a mask found by name
// when none is given, else a pattern picture of that name.
TsTexture ChooseTexture(const TsSkinTables& t, int section, const std::string& name,
                        const std::string& property, int given) {
  TsTexture texture;
  if (given == -1) {
    texture.mask = t.Mask(t.FindMask(section, name, property));
  } else if (const TsMaskData* mask = t.Mask(given); mask && mask->MaskType == 0) {
    texture.mask = mask;
  }
  if (texture.mask) return texture;
  if (const TsPatternData* pattern = t.Pattern(t.FindPattern(section, name, property)))
    texture.pattern = pattern->Img.get();
  return texture;
}

bool TwoLayerMode10(const TsMaskData* mask) {
  return mask && mask->MaskType >= 1 && mask->DrawMode == 10;
}

}  // namespace

void PaintSectionBackground(const TsSectionRef& section, const TCacheInfo& info, TColor customColor,
                            const TsPaintTarget& to) {
  const TsSkinTables* t = section.Tables;
  const TsGeneralData* record = t ? t->Section(section.Index) : nullptr;
  TBitmap* bitmap = to.Bitmap;
  const TRect& target = to.Rect;
  if (!record || !IsPaintable(bitmap) || !target.Intersects(Bounds(bitmap))) return;
  const TsGeneralData& g = *record;
  const bool hot = to.Look != lkNormal;
  TsLayers l;
  l.color = customColor != kKeyColor ? customColor : hot ? g.HotColor : g.Color;
  l.imagePercent = hot ? g.HotImagePercent : g.ImagePercent;
  l.gradientPercent = hot ? g.HotGradientPercent : g.GradientPercent;
  l.gradientText = &NoText();
  if (l.gradientPercent != 0) {
    l.gradientText = hot ? &g.HotGradientData : &g.GradientData;
    l.gradient = hot ? &g.HotGradientArray : &g.GradientArray;
  }
  l.transparency = hot ? g.HotTransparency : g.Transparency;
  if (l.imagePercent > 0)
    l.texture = ChooseTexture(*t, section.Index, section.Name, hot ? "HOTPATTERN" : "PATTERN",
                              hot ? section.HotTexture : section.Texture);
  const TCacheInfo layersInfo = Moved(info, to.Position);
  try {
    if (!info.Ready || !info.Bitmap || l.transparency == 0) {
      FillSectionLayers(bitmap, target, l, layersInfo, to.MaskFill);
    } else if (l.transparency >= 100) {
      PutParentUnder(bitmap, target, info, to.Position);
    } else {
      auto layers = NewBitmap24(target.Width(), target.Height());
      FillSectionLayers(layers.get(), {0, 0, target.Width(), target.Height()}, l, layersInfo,
                        to.MaskFill);
      PutParentUnder(bitmap, target, info, to.Position);
      MixBitmap(bitmap, layers.get(), PercentWeight(l.transparency), target.TopLeft(),
                {0, 0, target.Width(), target.Height()});
    }
  } catch (const std::exception&) {
    // A temporary bitmap that cannot be made leaves the face as far as it got.
  }
  if (hot) return;
  // Two-layer textures in draw mode 10 lie over everything, in the normal state only.
  const TsMaskData* own = t->Mask(section.Texture);
  const TsMaskData* hotMask = t->Mask(section.HotTexture);
  TRect area = target;
  if ((!own || own->MaskType < 1) && TwoLayerMode10(hotMask))
    DrawMaskedTexture(bitmap, area, layersInfo, 10, *hotMask, to.MaskFill);
  else if (TwoLayerMode10(own))
    DrawMaskedTexture(bitmap, area, layersInfo, 10, *own, to.MaskFill);
}

void PaintControlBackground(TsCommonDataBase& data, const TCacheInfo& info,
                            const TsPaintTarget& target) {
  TColor custom = kKeyColor;
  if (data.CustomColor()) {
    if (data.ProviderForm)
      custom = platform::ColorToRGB(data.ProviderForm->Color());
    else if (data.OwnerControl)
      custom = platform::ColorToRGB(data.OwnerControl->Color());
  }
  PaintSectionBackground(data.SectionRef(), info, custom, target);
}

TsFaceColors::TsFaceColors(const TsCommonDataBase& data, const TCacheInfo& info) {
  framework::TWinControl* parent = data.OwnerControl ? data.OwnerControl->Parent() : nullptr;
  ColorSlot() = kColorSlotUnset;
  if (!info.Ready && parent) {
    fills_ = true;
    maskFill_ = ColorSlot() = platform::ColorToRGB(parent->Color());
  }
  if (info.Ready && parent && !data.DependsOnParent() && ColorSlot() == kColorSlotUnset)
    AskParentColor(parent);
}

TsFaceColors::~TsFaceColors() { ColorSlot() = kKeyColor; }

TsPaintTarget TsFaceColors::Filled(TsPaintTarget target) const {
  if (fills_) target.MaskFill = maskFill_;
  return target;
}

void PaintControlFace(TsCommonDataBase& data, const TCacheInfo& info, TsBorderFlags border,
                      const TsPaintTarget& to) {
  const TsSkinTables* t = data.SkinTables();
  TBitmap* bitmap = to.Bitmap;
  const TRect& target = to.Rect;
  if (!IsPaintable(bitmap) || !t || !t->IsValidSectionIndex(data.SectionIndex) ||
      !Inside(target, bitmap))
    return;
  {
    TsFaceColors faceColors(data, info);
    const TsPaintTarget filled = faceColors.Filled(to);
    PaintControlBackground(data, info, filled);
    if (const TsMaskData* mask = t->Mask(data.BorderMaskIndex))
      DrawBorderMask(bitmap, target, border, to.Look, *mask, Moved(info, to.Position),
                     filled.MaskFill);
  }
  struct Corner {
    const char* role;
    bool right, bottom;
  };
  for (const Corner& c : {Corner{"IMGTOPLEFT", false, false}, Corner{"IMGTOPRIGHT", true, false},
                          Corner{"IMGBTMLEFT", false, true}, Corner{"IMGBTMRIGHT", true, true}}) {
    const TsMaskData* mask = t->Mask(t->FindMask(data.SectionIndex, data.SkinSection(), c.role));
    if (!mask) continue;
    const int w = mask->R.Width() / std::max<int>(mask->ImageCount, 1);
    const int h = mask->R.Height() / (std::clamp<int>(mask->MaskType, 0, 1) + 1);
    const TPoint at{c.right ? target.Right - w : target.Left,
                    c.bottom ? target.Bottom - h : target.Top};
    DrawStateImage(bitmap, at, to.Look, *mask, 1);
  }
}

void PaintSection(const TsSectionRef& section, TCacheInfo info, const TsPaintTarget& to,
                  TsBorderFlags border) {
  const TsSkinTables* t = section.Tables;
  const TRect& target = to.Rect;
  if (!IsPaintable(to.Bitmap) || target.IsEmpty() || !Inside(target, to.Bitmap) || !t ||
      !t->IsValidSectionIndex(section.Index))
    return;
  PaintSectionBackground(section, info, kKeyColor, to);
  const int mask = t->FindMask(section.Index, section.Name, "BORDERSMASK");
  info = Moved(info, to.Position);
  if (const TsMaskData* borderMask = t->Mask(mask))
    DrawBorderMask(to.Bitmap, target, static_cast<TsBorderFlags>(border | bfShowParent), to.Look,
                   *borderMask, info, to.MaskFill);
}

void PaintSectionToDC(const TsSectionRef& section, const TCacheInfo& info, platform::HDC dc,
                      TPoint position, const TRect& target, TsLook look, TsBorderFlags border) {
  if (!dc || !section.Tables || !section.Tables->IsValidSectionIndex(section.Index) ||
      target.Left < 0 || target.Top < 0 || target.Width() <= 0 || target.Height() <= 0)
    return;
  platform::SavedDC saved(dc);
  try {
    auto temporary = NewBitmap24(target.Width(), target.Height());
    TsSectionRef byName = section;
    byName.Texture = byName.HotTexture = -1;
    PaintSection(byName, info,
                 {temporary.get(), position, {0, 0, target.Width(), target.Height()}, look},
                 border);
    platform::DeviceContext source(&temporary->DIB());
    platform::BitBlt(dc, target.Left, target.Top, target.Width(), target.Height(), &source, 0, 0,
                     platform::SRCCOPY);
  } catch (const std::exception&) {
  }
}

void PaintDisabledLook(TBitmap* bitmap, TsDisabledKind kind, const framework::TControl* parent,
                       TPoint position, const TCacheInfo& info) {
  if (!IsPaintable(bitmap)) return;
  if (kind & dkGrayed) Desaturate(bitmap);
  if (!(kind & dkBlended)) return;
  if (info.Ready && info.Bitmap) {
    const int x = info.X + position.X;
    const int y = info.Y + position.Y;
    BlendOver(bitmap, 0, 0, kNoKey, 0.4, {x, y, x + bitmap->Width() - 1, y + bitmap->Height() - 1},
              info.Bitmap);
    return;
  }
  TColor color = ColorSlot();
  if (color == kColorSlotUnset) {
    if (!parent) return;
    color = parent->Color();
  }
  TintRect(bitmap, {0, 0, bitmap->Width(), bitmap->Height()}, 50, color);
}

void AskParentColor(framework::TWinControl* control) {
  ColorSlot() = kColorSlotUnset;
  if (!control) return;
  SendSkinCommand(control, SKC_GETCOLOR);
  if (ColorSlot() == kColorSlotUnset) ColorSlot() = control->Color();
  ColorSlot() = platform::ColorToRGB(ColorSlot());
}

}  // namespace skin
