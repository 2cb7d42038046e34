#pragma once
// The small value types the standard controls share: how text sits in a control, the kinds of
// bevel and border, and the three states of a check box. Names and order as the VCL has them, so
// form descriptions name them the same way.

#include "framework/forms/Form.h"

namespace framework {

// Horizontal placement of a caption (and, for check boxes, which side the caption is on).
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// Vertical placement of a label's text.
enum TTextLayout { tlTop, tlCenter, tlBottom };
// Where a label's text that is wider than the label loses characters for "...".
enum TEllipsisPosition { epNone, epEndEllipsis };

// One bevel of a panel or edit: none, sunk into the surface, standing out of it, or a blank ring.
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
// How an edit draws its bevels: not at all, as classic tiles, softened, or flat.
enum TBevelKind { bkNone, bkTile, bkSoft, bkFlat };

// The border of an edit: the two values of a form's border style that controls take.
using TBorderStyle = TFormBorderStyle;

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

}  // namespace framework
