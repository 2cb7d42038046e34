#pragma once
// Skinned text: captions drawn in their section's colours (a main colour and up to four one-pixel
// outline copies, left, top, right and bottom, normal or hot), the embossed text of disabled
// controls, captions shortened with an ellipsis, text measuring, the dotted focus frame and the
// text flags of an alignment.
//
// Flags are those of DrawText; DT_CENTER, DT_RIGHT, DT_WORDBREAK and DT_NOCLIP are interpreted
// here and the others pass through.

#include <string>
#include <string_view>

#include "framework/controls/Control.h"
#include "framework/controls/ControlTypes.h"
#include "framework/graphics/Canvas.h"
#include "platform/text/Font.h"
#include "skin/paint/sCommonDataBase.h"

namespace skin {

using platform::TColor;
using platform::TRect;

// Draws text on the canvas in the colours of the binding's section (HotFontColor in every look but
// lkNormal),
// clipped to rect. The canvas takes the owner control's font (underlined for a hot "WEBBUTTON").
// A single line is placed in rect by its measured size (centred, right-aligned or left-aligned),
// and rect comes back fitted around the text, one pixel larger on every side, for the focus
// frame. A txDisabled caption is embossed in clBtnHighlight and clBtnShadow; an unskinned one is
// drawn in the font's own colour; with CustomFont no outlines are drawn and the text keeps the
// owner font's colour.
void DrawSkinText(framework::TCanvas* canvas, std::string_view text, TsTextState state, TsLook look,
                  const TsCommonDataBase& data, unsigned flags, TRect& rect);

// The same by section index, without clipping, font assignment or the CustomFont rule: outlines
// are always drawn, in the hot colours for every look but lkNormal. Nothing without tables or a
// valid section.
void DrawSectionText(framework::TCanvas* canvas, std::string_view text, TsTextState state,
                     const TsSkinTables* tables, TsLook look, int section, unsigned flags,
                     TRect& rect);

// The text when it fits in limit pixels; else its longest prefix (whole characters) that fits
// together with "...", followed by "..."; empty when the limit is 0 or not even one character
// fits.
std::string FitTextWithEllipsis(framework::TCanvas* canvas, std::string_view text, int limit);

// Width and height of the text in the font; (0, 0) when it cannot be measured.
platform::TSize MeasureText(platform::HFONT font, std::string_view text);

// The dotted focus frame of skinned controls: every third pixel of the rectangle's edges black,
// with a white pixel one up and to the left of it.
void DrawFocusDots(framework::TCanvas* canvas, const TRect& rect);

// DT_LEFT, DT_RIGHT or DT_CENTER for the alignment, with DT_VCENTER and DT_EXPANDTABS, adjusted
// for the control's right-to-left reading.
unsigned AlignmentTextFlags(const framework::TControl* control, framework::TAlignment alignment);

}  // namespace skin
