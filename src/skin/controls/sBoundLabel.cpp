#include "skin/controls/sBoundLabel.h"

#include <algorithm>

#include "framework/classes/ClassBuilder.h"
#include "framework/controls/WinControl.h"

namespace skin {

using framework::TClassInfo;
using framework::TComponent;

// ---- TsEditLabel

TsEditLabel::TsEditLabel(TComponent* owner, TsBoundLabel* boundLabel)
    : TsLabel(owner), boundLabel_(boundLabel) {}

TsEditLabel::~TsEditLabel() {
  // Freed with its parent before the edit lets it go: the bound label must not keep it.
  if (boundLabel_ && boundLabel_->theLabel_ == this) boundLabel_->theLabel_ = nullptr;
}

const TClassInfo& TsEditLabel::StaticClassInfo() {
  static const TClassInfo info =
      framework::TClassBuilder<TsEditLabel>("TsEditLabel", TsLabel::StaticClassInfo());
  return info;
}

// ---- TsBoundLabel

const TClassInfo& TsBoundLabel::StaticClassInfo() {
  using B = TsBoundLabel;
  static const TClassInfo info =
      framework::TClassBuilder<B>("TsBoundLabel", TPersistent::StaticClassInfo())
          .Boolean("Active", &B::Active, &B::SetActive, false)
          .String("Caption", &B::Caption, &B::SetCaption)
          .Integer("Indent", &B::Indent, &B::SetIndent, 0)
          .Object("Font", &B::Font)
          .Enum<TsCaptionLayout>("Layout", &B::Layout, &B::SetLayout,
                                 {{"sclLeft", sclLeft},
                                  {"sclTopLeft", sclTopLeft},
                                  {"sclTopCenter", sclTopCenter},
                                  {"sclTopRight", sclTopRight}},
                                 sclLeft)
          .Integer("MaxWidth", &B::MaxWidth, &B::SetMaxWidth, 0);
  return info;
}

TsBoundLabel::TsBoundLabel(framework::TWinControl* edit, TsCommonData* skinData)
    : edit_(edit), skinData_(skinData), font_(std::make_unique<framework::TFont>()) {}

TsBoundLabel::~TsBoundLabel() { SetActive(false); }

void TsBoundLabel::SetActive(bool value) {
  if (value == Active()) return;
  if (!value) {
    TsEditLabel* doomed = theLabel_;
    theLabel_ = nullptr;
    doomed->boundLabel_ = nullptr;
    delete doomed;
    return;
  }
  auto* label = new TsEditLabel(edit_, this);
  theLabel_ = label;
  label->SetVisible(false);
  label->SetParent(edit_->Parent());
  label->SetFocusControl(edit_);
  label->SetFont(font_.get());
  try {
    label->SetName(edit_->Name() + "Label");
  } catch (const framework::Exception&) {
    // Another component took the name: the label stays unnamed.
  }
  UpdateCaption();
  AlignLabel();
  UpdateEnabled();
  UpdateVisibility();
}

void TsBoundLabel::SetCaption(const std::string& value) {
  caption_ = value;
  if (!theLabel_) return;
  UpdateCaption();
  AlignLabel();
}

void TsBoundLabel::UpdateCaption() {
  if (theLabel_) theLabel_->SetCaption(caption_.empty() ? edit_->Name() : caption_);
}

void TsBoundLabel::SetIndent(int value) {
  indent_ = value;
  AlignLabel();
}

void TsBoundLabel::SetLayout(TsCaptionLayout value) {
  layout_ = value;
  AlignLabel();
}

void TsBoundLabel::SetMaxWidth(int value) {
  maxWidth_ = value;
  AlignLabel();
}

framework::TFont* TsBoundLabel::Font() const { return theLabel_ ? theLabel_->Font() : font_.get(); }

void TsBoundLabel::SetFont(const framework::TFont* font) {
  font_->Assign(font);
  if (theLabel_) theLabel_->SetFont(font);
}

void TsBoundLabel::AlignLabel() {
  TsEditLabel* label = theLabel_;
  if (!label) return;
  label->SetAlignment(layout_ == sclTopLeft     ? framework::taLeftJustify
                      : layout_ == sclTopCenter ? framework::taCenter
                                                : framework::taRightJustify);
  if (maxWidth_ > 0) {
    label->SetAutoSize(false);
    label->SetWordWrap(true);
    label->SetBounds(label->Left(), label->Top(), maxWidth_,
                     std::max(label->Height(), edit_->Height()));
  } else {
    label->SetWordWrap(false);
    label->SetAutoSize(true);
  }
  int left = edit_->Left();
  int top = edit_->Top() - label->Height() - indent_;
  switch (layout_) {
    case sclLeft:
      left = edit_->Left() - label->Width() - 4 - indent_;
      top = edit_->Top() + (edit_->Height() - label->Height()) / 2 - 1;
      break;
    case sclTopLeft: break;
    case sclTopCenter: left = edit_->Left() + (edit_->Width() - label->Width()) / 2; break;
    case sclTopRight: left = edit_->Left() + edit_->Width() - label->Width(); break;
  }
  label->SetBounds(left, top, label->Width(), label->Height());
}

void TsBoundLabel::UpdateVisibility() {
  if (theLabel_) theLabel_->SetVisible(edit_->Visible() || edit_->HasState(framework::csDesigning));
}

void TsBoundLabel::UpdateEnabled() {
  if (theLabel_) theLabel_->SetEnabled(edit_->Enabled());
}

void TsBoundLabel::UpdateBiDiMode() {
  if (!theLabel_) return;
  theLabel_->SetBiDiMode(edit_->BiDiMode());
  AlignLabel();
}

}  // namespace skin
