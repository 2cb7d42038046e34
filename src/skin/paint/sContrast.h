#pragma once
// Contrast of text on its background, as the WCAG 2 rules measure it, and the selection colours
// of skinned edits that follow from it.

#include "platform/drawing/Colors.h"

namespace skin {

using platform::TColor;

// The colour's relative luminance (0 black to 1 white) from its sRGB channels.
double RelativeLuminance(TColor color);
// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double ContrastRatio(TColor a, TColor b);

// The contrast text needs on its background to be read at ease.
constexpr double kReadableContrast = 4.5;

struct TsSelectionColors {
  TColor Back;
  TColor Text;
};

// The selection of an edit whose text is drawn in font on face: the selected text takes the face
// colour, on the font colour mixed into the face by the least share (from one half, in steps of
// 5 %) that parts the two by kReadableContrast; when not even the font colour itself does, the
// selected text is black or white, whichever stands out more from it.
TsSelectionColors MixedSelectionColors(TColor font, TColor face);

}  // namespace skin
