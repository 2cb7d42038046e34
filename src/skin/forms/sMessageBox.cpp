#include "skin/forms/sMessageBox.h"

#include <memory>
#include <optional>

#include "framework/forms/Application.h"
#include "framework/graphics/Canvas.h"
#include "platform/windows/Input.h"
#include "platform/windows/MessageBox.h"
#include "platform/windows/Screen.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sLabel.h"
#include "skin/data/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"

namespace skin {

using framework::HWND;
using platform::TRect;

namespace {

void UseFont(framework::TFont* font, const platform::LogFont& from, TColor color) {
  font->SetName(from.FaceName);
  font->SetHeight(from.Height);
  font->SetStyle(from.Weight >= platform::FW_BOLD ? framework::TFontStyles{framework::fsBold}
                                                  : framework::TFontStyles{});
  font->SetColor(color);
}

TsLabel* MakeLabel(TsMessageForm* form, const TRect& bounds, const platform::LogFont& font,
                   TColor color) {
  auto* label = framework::Create<TsLabel>(form);
  label->SetParent(form);
  label->SetUseSkinColor(false);
  label->SetAutoSize(false);
  label->SetShowAccelChar(false);
  label->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  UseFont(label->Font(), font, color);
  return label;
}

}  // namespace

std::string MessageBoxSection() {
  TsSkinManager* manager = DefaultManager();
  if (!manager || !manager->Active() || !manager->SkinData().SkinReady) return {};
  for (const char* name : {"DIALOG", "FORM"})
    if (manager->Tables().FindSection(name) >= 0) return name;
  return {};
}

void TsMessageIcon::Paint() { platform::DrawErrorIcon(Canvas()->Handle(), 0, 0, Width()); }

TsMessageForm::TsMessageForm(HWND owner, const std::string& text, const std::string& caption,
                             const std::string& section)
    : framework::TForm(nullptr), owner_(owner) {
  const platform::MessageBoxLayout layout = platform::LayOutMessageBox(text, caption);
  SetBorderStyle(framework::bsNone);
  SetPosition(framework::poDesigned);
  SetCaption(caption);
  SetClientWidth(layout.Size.cx);
  SetClientHeight(layout.Size.cy);
  // A form made in code has no description to read: it is made once its constructor is done.
  SetState(framework::csCreating, false);
  provider_ = framework::Create<TsSkinProvider>(this);
  provider_->SkinData()->SetSkinSection(section);

  TColor textColor = platform::clWindowText;
  if (const TsGeneralData* s = provider_->SkinData()->Section()) textColor = s->FontColor[0];
  // The button's caption takes the form's font, as large as the message's.
  Font()->SetHeight(platform::MessageTextFont().Height);
  caption_ = MakeLabel(this, layout.CaptionText, platform::MessageCaptionFont(), textColor);
  caption_->SetLayout(framework::tlCenter);
  caption_->SetEllipsisPosition(framework::epEndEllipsis);
  caption_->SetCaption(caption);
  text_ = MakeLabel(this, layout.Text, platform::MessageTextFont(), textColor);
  text_->SetWordWrap(true);
  text_->SetCaption(text);
  icon_ = framework::Create<TsMessageIcon>(this);
  icon_->SetParent(this);
  icon_->SetBounds(layout.Icon.Left, layout.Icon.Top, layout.Icon.Width(), layout.Icon.Height());

  button_ = framework::Create<TsButton>(this);
  button_->SetParent(this);
  button_->SetBounds(layout.Button.Left, layout.Button.Top, layout.Button.Width(),
                     layout.Button.Height());
  button_->SetCaption("OK");
  // The layout is made at the device's scale: the focus frame's margin is too.
  button_->SetFocusMargin(platform::DeviceScaled(button_->FocusMargin()));
  button_->SetDefault(true);
  button_->OnClick = [this](framework::TObject*) { done_ = true; };
  SetActiveControl(button_);

  // Return, Escape and Space close the box wherever the focus is, as the platform's box does.
  SetKeyPreview(true);
  OnKeyDown = [this](framework::TObject*, uint16_t& key, framework::TShiftState) {
    if (key == platform::VK_RETURN || key == platform::VK_ESCAPE || key == platform::VK_SPACE)
      done_ = true;
  };
  // Closing the window closes the box; the box itself goes once its loop ends.
  OnCloseQuery = [this](framework::TObject*, bool& canClose) {
    done_ = true;
    canClose = false;
  };
}

void TsMessageForm::CreateParams(framework::TCreateParams& params) {
  framework::TForm::CreateParams(params);
  params.WinClassName = "MessageBox";
  params.ExStyle = platform::WS_EX_TOPMOST | platform::WS_EX_DLGMODALFRAME;
  params.WndParent = owner_ ? platform::GetTopLevel(owner_) : nullptr;
}

int SkinnedMessageBox(HWND owner, const std::string& text, const std::string& caption,
                      unsigned type) {
  const std::string section = MessageBoxSection();
  if (section.empty()) return platform::MessageBox(owner, text, caption, type);
  std::optional<TRect> ownerRect;
  if (owner && platform::IsWindowVisible(platform::GetTopLevel(owner))) {
    ownerRect.emplace();
    platform::GetWindowRect(platform::GetTopLevel(owner), &*ownerRect);
  }
  // Every other window of the program stops taking input while the box is open.
  const platform::ModalBoxScope modal;
  const std::unique_ptr<TsMessageForm> box(
      framework::Create<TsMessageForm>(owner, text, caption, section));
  const TRect bounds =
      platform::MessageBoxBounds({box->Width(), box->Height()}, ownerRect, platform::GetWorkArea());
  box->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  box->Show();
  platform::SetFocus(box->Button()->Handle());
  platform::RunModalBox(box->Handle(), box->Done());
  box->Hide();
  return platform::IDOK;
}

void UseSkinnedMessageBoxes() { framework::SetMessageBoxFunction(SkinnedMessageBox); }

}  // namespace skin
