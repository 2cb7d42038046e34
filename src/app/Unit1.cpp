#include "app/Unit1.h"

#include <algorithm>

#include "app/BarMenu.h"
#include "app/SnippetSlots.h"
#include "app/Unit2.h"
#include "framework/classes/ClassBuilder.h"
#include "framework/classes/FormReader.h"
#include "framework/controls/ClipboardObject.h"
#include "framework/forms/Application.h"
#include "platform/windows/Screen.h"
#include "platform/windows/Window.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sCheckBox.h"
#include "skin/controls/sEdit.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sPanel.h"
#include "skin/data/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"

using framework::TClassBuilder;
using framework::TClassInfo;
using framework::TComponent;
using framework::TMouseMoveEvent;
using framework::TNotifyEvent;
using framework::TObject;
using framework::TShiftState;

TForm1* Form1 = nullptr;

const TClassInfo& TForm1::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TForm1>("TForm1", framework::TForm::StaticClassInfo())
          .Field("sSkinManager1", &TForm1::sSkinManager1)
          .Field("sSkinProvider1", &TForm1::sSkinProvider1)
          .Field("sLabel1", &TForm1::sLabel1)
          .Field("sLabel2", &TForm1::sLabel2)
          .Field("sButton1", &TForm1::sButton1)
          .Field("sPanel1", &TForm1::sPanel1)
          .Field("sEdit1", &TForm1::sEdit1)
          .Field("sEdit2", &TForm1::sEdit2)
          .Field("sEdit3", &TForm1::sEdit3)
          .Field("sEdit4", &TForm1::sEdit4)
          .Field("sEdit5", &TForm1::sEdit5)
          .Field("sEdit6", &TForm1::sEdit6)
          .Field("sEdit7", &TForm1::sEdit7)
          .Field("sCheckBox1", &TForm1::sCheckBox1)
          .Field("sButton2", &TForm1::sButton2)
          .Field("sLabelFX1", &TForm1::sLabelFX1)
          .Method<TNotifyEvent>("FormCreate", &TForm1::FormCreate)
          .Method<TMouseMoveEvent>("sEdit1MouseMove", &TForm1::sEdit1MouseMove)
          .Method<TNotifyEvent>("sButton1Click", &TForm1::sButton1Click)
          .Method<TNotifyEvent>("FormShow", &TForm1::FormShow)
          .Method<TNotifyEvent>("sCheckBox1Click", &TForm1::sCheckBox1Click)
          .Method<TNotifyEvent>("sButton2Click", &TForm1::sButton2Click);
  return info;
}

TForm1::TForm1(TComponent* owner) : framework::TForm(owner) {
  InitializeForm(framework::FindResourceText("app/Unit1.dfm"), "Unit1.dfm");
  barMenu_ = std::make_unique<app::TBarMenu>(*this);
  sLabel2->SetEllipsisPosition(framework::epEndEllipsis);
}

TForm1::~TForm1() = default;

std::array<TsEdit*, 7> TForm1::Slots() const {
  return {sEdit1, sEdit2, sEdit3, sEdit4, sEdit5, sEdit6, sEdit7};
}

int TForm1::CopiedTextRoom() const {
  constexpr int kGapBeforeTitle = 8;
  return std::max(0, sLabelFX1->Left() - kGapBeforeTitle - sLabel2->Left());
}

// The label keeps the whole text (the clipboard and the slot's tip have it too) and sizes itself
// to it; a text wider than the room before the title is drawn cut, ending in "...", so that it
// never runs through the title or under the buttons.
void TForm1::ShowCopiedText(const framework::TText& text) {
  sLabel2->SetCaption(text);
  if (sLabel2->Width() > CopiedTextRoom()) sLabel2->SetWidth(CopiedTextRoom());
}

// Reads the snippet file into the slots, then places the bar. A failed read goes to the error
// report (the form's creation catches it); the bar is placed all the same.
void TForm1::FormCreate(TObject*) {
  try {
    app::LoadSnippetsInto(Slots());
  } catch (...) {
    PlaceOnWorkArea();
    throw;
  }
  PlaceOnWorkArea();
}

// The bottom centre of the primary monitor's work area, as far left as the area begins when the
// bar is wider than the area.
void TForm1::PlaceOnWorkArea() {
  const platform::TRect workArea = platform::GetWorkArea();
  const int W = workArea.Right - workArea.Left;
  const int H = workArea.Bottom - workArea.Top;
  const int left = Width() > W ? workArea.Left : workArea.Left + W / 2 - Width() / 2;
  SetBounds(left, workArea.Top + H - Height(), Width(), Height());
}

// Monitors that come, go or change size and panels that come, go or move take the bar with them.
void TForm1::WndProc(framework::TMessage& Message) {
  if (Message.Msg == platform::WM_DISPLAYCHANGE ||
      (Message.Msg == platform::WM_SETTINGCHANGE && Message.WParam == platform::SPI_SETWORKAREA))
    PlaceOnWorkArea();
  framework::TForm::WndProc(Message);
}

// Every mouse move over a slot, while the option is ticked: focus the slot, select its text, put
// the text on the clipboard, show it in the label and as the slot's tool tip.
void TForm1::sEdit1MouseMove(TObject* Sender, TShiftState, int, int) {
  if (!sCheckBox1->Checked()) return;
  auto* edit = dynamic_cast<TsEdit*>(Sender);
  if (!edit) throw framework::EInvalidCast("Invalid class typecast");
  edit->SetFocus();
  edit->SelectAll();
  framework::TClipboard clipboard;
  clipboard.SetAsText(edit->Text());
  ShowCopiedText(edit->Text());
  edit->SetHint(edit->Text());
}

// "Exit": closing the main form ends the program; the snippet file is not written.
void TForm1::sButton1Click(TObject*) { Close(); }

// The application's owner window stays hidden, and with it the program's task-bar entry.
void TForm1::FormShow(TObject*) {
  platform::ShowWindow(platform::GetWindowOwner(Handle()), platform::SW_HIDE);
}

// Unticking the option leaves an empty text on the clipboard and empties the label and the bar's
// tool tip with what the clipboard then holds.
void TForm1::sCheckBox1Click(TObject*) {
  if (sCheckBox1->Checked()) return;
  framework::TClipboard clipboard;
  clipboard.SetAsText("");
  ShowCopiedText(clipboard.AsText());
  SetHint(clipboard.AsText());
}

// "Edit text...": the editor, modally; its result is not needed here.
void TForm1::sButton2Click(TObject*) { Form2->ShowModal(); }
