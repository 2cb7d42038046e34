#pragma once
// The small value types the standard controls share: how text sits in a control, the kinds of
// bevel and border, the three states of a check box and the result a button gives a modal form.
// Names and order as the VCL has them, so form descriptions name them the same way.

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

// The border of a form; an edit's border takes two of its values, those that controls take.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// What a modal form ends with: set by the button that closes it, returned by ShowModal.
using TModalResult = int;
enum : TModalResult {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7
};

}  // namespace framework
