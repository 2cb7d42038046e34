#include "app/Unit2.h"

#include "app/SnippetSlots.h"
#include "app/Unit1.h"
#include "framework/classes/ClassBuilder.h"
#include "framework/classes/FormReader.h"
#include "framework/controls/Image.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sEdit.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sPanel.h"
#include "skin/forms/sSkinProvider.h"

using framework::TClassBuilder;
using framework::TClassInfo;
using framework::TComponent;
using framework::TKeyEvent;
using framework::TNotifyEvent;
using framework::TObject;
using framework::TShiftState;

TForm2* Form2 = nullptr;

const TClassInfo& TForm2::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TForm2>("TForm2", framework::TForm::StaticClassInfo())
          .Field("sSkinProvider1", &TForm2::sSkinProvider1)
          .Field("sPanel1", &TForm2::sPanel1)
          .Field("sEdit1", &TForm2::sEdit1)
          .Field("sEdit2", &TForm2::sEdit2)
          .Field("sEdit3", &TForm2::sEdit3)
          .Field("sEdit4", &TForm2::sEdit4)
          .Field("sEdit5", &TForm2::sEdit5)
          .Field("sEdit6", &TForm2::sEdit6)
          .Field("sEdit7", &TForm2::sEdit7)
          .Field("sButton1", &TForm2::sButton1)
          .Field("sButton2", &TForm2::sButton2)
          .Field("sLabelFX2", &TForm2::sLabelFX2)
          .Field("sLabelFX3", &TForm2::sLabelFX3)
          .Field("sLabelFX4", &TForm2::sLabelFX4)
          .Field("sLabelFX5", &TForm2::sLabelFX5)
          .Field("sLabelFX6", &TForm2::sLabelFX6)
          .Field("sLabelFX7", &TForm2::sLabelFX7)
          .Field("sLabelFX8", &TForm2::sLabelFX8)
          .Field("sLabelFX1", &TForm2::sLabelFX1)
          .Field("Image1", &TForm2::Image1)
          .Method<TNotifyEvent>("sButton2Click", &TForm2::sButton2Click)
          .Method<TNotifyEvent>("FormShow", &TForm2::FormShow)
          .Method<TNotifyEvent>("sButton1Click", &TForm2::sButton1Click)
          .Method<TKeyEvent>("FormKeyDown", &TForm2::FormKeyDown);
  return info;
}

TForm2::TForm2(TComponent* owner) : framework::TForm(owner) {
  InitializeForm(framework::FindResourceText("app/Unit2.dfm"), "Unit2.dfm");
}

std::array<TsEdit*, 7> TForm2::Fields() const {
  return {sEdit1, sEdit2, sEdit3, sEdit4, sEdit5, sEdit6, sEdit7};
}

// "Cancel": nothing is saved and the bar is not changed.
void TForm2::sButton2Click(TObject*) { Close(); }

// Each show reloads the fields from the snippet file, then field 1 takes the keyboard. A failed
// load goes to the error report and the dialog still opens, the focus where it was.
void TForm2::FormShow(TObject*) {
  app::LoadSnippetsInto(Fields());
  sEdit1->SetFocus();
}

// "OK": save, then copy the seven texts into the bar's slots, then close. A failed save leaves
// the bar as it was and the dialog open. Once the file is written the dialog's work is done: the
// close is asked for before the bar is touched, so nothing that happens while the bar takes its
// new texts (a failure, a paint, a message handled meanwhile) can keep the dialog open over a file
// that was saved. Closing a modal dialog only sets its result; the modal loop ends after this.
void TForm2::sButton1Click(TObject*) {
  app::SaveSnippetsFrom(Fields());
  Close();
  const auto fields = Fields();
  const auto slots = Form1->Slots();
  for (size_t k = 0; k < fields.size(); ++k) slots[k]->SetText(fields[k]->Text());
}

// Up and Down move through the tab order, wrapping around; Esc closes as "Cancel". The key is
// left as it is, so the focused control still receives it.
void TForm2::FormKeyDown(TObject*, uint16_t& Key, TShiftState) {
  switch (Key) {
    case 38: SelectNext(ActiveControl(), false, true); break;
    case 40: SelectNext(ActiveControl(), true, true); break;
    case 27: Close(); break;
    default: break;
  }
}
