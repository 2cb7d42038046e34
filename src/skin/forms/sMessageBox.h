#pragma once
// The message box drawn from the active skin. It is the platform's box in every respect but its
// look: the same size, place, texts, keys (Return, Escape and Space close it), title and modal
// behaviour; its face is the skin's "DIALOG" section (or "FORM" where a skin has none), its OK
// button a skinned button with that section's looks and fades, its caption and message in the
// section's font colour, and the error sign as ever. Without an active skin the platform's box
// shows instead.

#include <string>

#include "framework/controls/GraphicControl.h"
#include "framework/forms/Form.h"

namespace skin {

class TsButton;
class TsLabel;
class TsSkinManager;
class TsSkinProvider;

// The section a box is drawn with, or "" without an active skin that has either.
std::string MessageBoxSection();

// The error sign of the platform's box, as a control.
class TsMessageIcon : public framework::TGraphicControl {
 public:
  explicit TsMessageIcon(framework::TComponent* owner) : framework::TGraphicControl(owner) {}

 protected:
  void Paint() override;
};

// The box's form: made in code, laid out as the platform's box, closed by its keys and button.
class TsMessageForm : public framework::TForm {
 public:
  TsMessageForm(framework::HWND owner, const std::string& text, const std::string& caption,
                const std::string& section);

  // Set once the box is to close.
  const bool& Done() const { return done_; }
  TsButton* Button() const { return button_; }
  TsLabel* TextLabel() const { return text_; }
  TsLabel* CaptionLabel() const { return caption_; }
  TsSkinProvider* Provider() const { return provider_; }

 protected:
  void CreateParams(framework::TCreateParams& params) override;

 private:
  framework::HWND owner_;
  bool done_ = false;
  TsSkinProvider* provider_ = nullptr;
  TsLabel* caption_ = nullptr;
  TsLabel* text_ = nullptr;
  TsMessageIcon* icon_ = nullptr;
  TsButton* button_ = nullptr;
};

// platform::MessageBox's counterpart: the skinned box while a skin is active, else the platform's.
int SkinnedMessageBox(framework::HWND owner, const std::string& text, const std::string& caption,
                      unsigned type);

// Makes SkinnedMessageBox the box of the application's reports.
void UseSkinnedMessageBoxes();

}  // namespace skin
