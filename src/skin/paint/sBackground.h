#pragma once
// Background composition: how a skinned control's or form's face is composed into its 24-bit
// cache bitmap from its skin section. The section colour, gradient and texture are laid over the
// parent's background by the section's transparency; then come the border mask and the corner
// images; a disabled control gets the disabled look on top.
//
// State index: 0 normal, 1 hot (focused or under the mouse), 2 pressed. State 0 reads the
// section's normal values (Color, Transparency, GradientPercent, GradientData, ImagePercent,
// "PATTERN"); every other state reads the hot ones. The same index selects the state image of the
// border mask and the corner images.
//
// Two process-wide colours take part: the colour slot, which stands for the parent while its
// image is missing, and MaskFillColor, which key-coloured pixels of masked images take then. Both
// are set at the start of PaintControlFace and returned to the key colour before it ends.
// Painters never raise: invalid indices, a missing manager or bitmap, or a rectangle outside the
// bitmap make them return without drawing.

#include <string>

#include "framework/controls/Control.h"
#include "platform/drawing/DeviceContext.h"
#include "skin/data/sMessages.h"
#include "skin/paint/sCommonDataBase.h"
#include "skin/paint/sPixelAccess.h"

namespace framework {
class TWinControl;
}

namespace skin {

class TsSkinManager;

// Makes the parent's colour available before a face is composed: without a parent image the
// colour slot and MaskFillColor take the parent's Color; with one, a control that does not depend
// on its parent asks it for its colour (AskParentColor). ResetFaceColors returns both to the key
// colour once the face is done. PaintControlFace does both; painters of their own faces (the push
// buttons) call them around their composition.
void PrepareFaceColors(const TsCommonDataBase& data, const TCacheInfo& info);
void ResetFaceColors();

// The whole face of a control into bitmap at target: background, border mask (fillCentre paints
// its centre; useParent lets its transparent corners show info's parent image), corner images.
// info is the parent-cache record from the control's GetParentCache; position is the control's
// place in its parent.
void PaintControlFace(TsCommonDataBase& data, TCacheInfo info, bool fillCentre, bool useParent,
                      framework::TBitmap* bitmap, platform::TPoint position, const TRect& target,
                      int state);

// PaintSectionBackground with the binding's section, textures and custom colour: the colour of
// the provider's form or of the owner control when CustomColor is set.
void PaintControlBackground(TsCommonDataBase& data, const TCacheInfo& info, int state,
                            framework::TBitmap* bitmap, platform::TPoint position,
                            const TRect& target);

// The background layers of a section (colour, texture, gradient) over the parent's image by the
// section's transparency. customColor replaces the section colour unless it is the key colour;
// hotTexture and texture are the binding's texture indices (-1: look them up); manager nullptr
// means the default manager.
void PaintSectionBackground(int section, const std::string& name, const TCacheInfo& info,
                            TColor customColor, int hotTexture, int texture, TsSkinManager* manager,
                            framework::TBitmap* bitmap, platform::TPoint position,
                            const TRect& target, int state);

// Background and the section's "BORDERSMASK", whose transparent corners show the parent's image.
void PaintSection(int section, const std::string& name, TCacheInfo info, int hotTexture,
                  int texture, TsSkinManager* manager, framework::TBitmap* bitmap,
                  platform::TPoint position, const TRect& target, int state, bool fillCentre);

// PaintSection into a temporary bitmap of the target's size, copied onto the context at the
// target's top-left; the context's state comes back as it was.
void PaintSectionToDC(int section, const std::string& name, const TCacheInfo& info,
                      TsSkinManager* manager, platform::HDC dc, platform::TPoint position,
                      const TRect& target, int state, bool fillCentre);

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
