#pragma once
// Background composition: how a skinned control's or form's face is composed into its 24-bit
// cache bitmap from its skin section. The section colour, gradient and texture are laid over the
// parent's background by the section's transparency; then come the border mask and the corner
// images; a disabled control gets the disabled look on top.
//
// The look: lkNormal reads the section's normal values (Color, Transparency, GradientPercent,
// GradientData, ImagePercent, "PATTERN"); lkHot (focused or under the mouse) and lkPressed read
// the hot ones. The look also selects the state image of the border mask and the corner images.
//
// Two colours stand for the parent while its image is missing: the process-wide colour slot (also
// the answer to SKC_GETCOLOR), and the target's MaskFill, which key-coloured pixels of masked
// images take then. A TsFaceColors scope sets the slot while a face is composed and returns it to
// the key colour when it ends, however it ends; it gives the mask fill to the target it paints.
// Painters never raise: invalid indices, missing tables or bitmap, or a rectangle outside the
// bitmap make them return without drawing.

#include <string>

#include "framework/controls/Control.h"
#include "platform/drawing/DeviceContext.h"
#include "skin/data/sMessages.h"
#include "skin/paint/sCommonDataBase.h"
#include "skin/paint/sPaintParams.h"
#include "skin/paint/sPixelAccess.h"

namespace framework {
class TWinControl;
}

namespace skin {

// The parent's colour, made available while a face is composed: without a parent image the
// colour slot and the mask fill (Filled) take the parent's Color; with one, a control that does
// not depend on its parent asks it for its colour (AskParentColor). The slot returns to the key
// colour when the scope ends. PaintControlFace holds one while it paints the background and the
// border; painters of their own faces (the push buttons) hold one around their composition.
class TsFaceColors {
 public:
  TsFaceColors(const TsCommonDataBase& data, const TCacheInfo& info);
  ~TsFaceColors();
  TsFaceColors(const TsFaceColors&) = delete;
  TsFaceColors& operator=(const TsFaceColors&) = delete;

  // The target with the parent's colour as its MaskFill while the parent's image is missing; as
  // it is otherwise.
  TsPaintTarget Filled(TsPaintTarget target) const;

 private:
  bool fills_ = false;
  TColor maskFill_ = kKeyColor;
};

// The whole face of a control into the target: background, border mask (with the border flags),
// corner images. info is the parent-cache record from the control's GetParentCache; the target's
// Position is the control's place in its parent.
void PaintControlFace(TsCommonDataBase& data, const TCacheInfo& info, TsBorderFlags border,
                      const TsPaintTarget& target);

// PaintSectionBackground with the binding's section, textures and custom colour: the colour of
// the provider's form or of the owner control when CustomColor is set.
void PaintControlBackground(TsCommonDataBase& data, const TCacheInfo& info,
                            const TsPaintTarget& target);

// The background layers of a section (colour, texture, gradient) over the parent's image by the
// section's transparency. customColor replaces the section colour unless it is the key colour.
void PaintSectionBackground(const TsSectionRef& section, const TCacheInfo& info, TColor customColor,
                            const TsPaintTarget& target);

// Background and the section's "BORDERSMASK", whose transparent corners show the parent's image;
// bfFillCentre paints its centre.
void PaintSection(const TsSectionRef& section, TCacheInfo info, const TsPaintTarget& target,
                  TsBorderFlags border);

// PaintSection (textures looked up by name) into a temporary bitmap of the target's size, copied
// onto the context at the target's top-left; the context's state comes back as it was.
void PaintSectionToDC(const TsSectionRef& section, const TCacheInfo& info, platform::HDC dc,
                      platform::TPoint position, const TRect& target, TsLook look,
                      TsBorderFlags border);

// The disabled look over the whole bitmap: dkGrayed desaturates; dkBlended then takes 60 % of the
// parent's image at the control's place (info ready), else mixes half and half with the colour
// slot's colour or, while that is unset, the parent control's Color.
void PaintDisabledLook(framework::TBitmap* bitmap, TsDisabledKind kind,
                       const framework::TControl* parent, platform::TPoint position,
                       const TCacheInfo& info);

// Fills the colour slot with the control's colour: its answer to SKC_GETCOLOR, else its Color,
// as a real colour.
void AskParentColor(framework::TWinControl* control);

}  // namespace skin
