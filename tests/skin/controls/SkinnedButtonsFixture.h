#pragma once
// A skinned form (SkinnedFormFixture) with a skinned push button and check box on its panel, whose
// sections fade over a given number of steps, and the means to drive them: the pointer at a
// point of a control, presses, keys and ticks of the virtual clock.

#include <string>

#include "framework/controls/ControlMessages.h"
#include "platform/windows/Input.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sCheckBox.h"
#include "tests/skin/SkinnedFormFixture.h"

namespace skin::test {

class SkinnedButtonsTest : public SkinnedFormTest {
 protected:
  // The form with its panel, edit, button and check box; BUTTON and CHECKBOX fade over
  // `iterations` steps. The button's border mask leaves its top-left pixel transparent.
  void ShowButtons(int iterations = 5) {
    adjust = [iterations](TsStoredSkin* skin) {
      for (const char* name : {"BUTTON", "CHECKBOX"}) {
        TsSkinGeneral* s = StoredSection(skin, name);
        s->FadingEnabled = true;
        s->FadingIterations = iterations;
        s->ShowFocus = true;
      }
      // (40 + 0) % 5 == 0: the mask's first pixel is the key colour.
      AddMask(skin, "BUTTON", "BORDERSMASK", {40, 0, 52, 12}, 1, 0, 0);
    };
    ShowSkinned();
    button = framework::Create<TsButton>(form);
    button->SetParent(panel);
    button->SetBounds(110, 10, 75, 30);
    button->SetCaption("Exit");
    button->OnClick = [this](framework::TObject*) { ++clicks; };
    box = framework::Create<TsCheckBox>(form);
    box->SetParent(panel);
    box->SetLeft(10);
    box->SetTop(36);
    box->SetCaption("Copy");
    box->OnClick = [this](framework::TObject*) { ++toggles; };
    Pump();
    // The pointer starts away from everything.
    desktop->MoveMouse(form->Left() + 290, form->Top() + 110);
    Pump();
  }

  platform::TPoint ScreenPointOf(framework::TControl* c, int x, int y) {
    platform::TPoint p{x, y};
    platform::ClientToScreen(dynamic_cast<framework::TWinControl*>(c)->Handle(), &p);
    return p;
  }
  void PointAt(framework::TControl* c, int x, int y) {
    desktop->MoveMouse(ScreenPointOf(c, x, y));
    Pump();
  }
  void PointAway() {
    desktop->MoveMouse(form->Left() + 290, form->Top() + 110);
    Pump();
  }
  void Press() {
    desktop->Press();
    Pump();
  }
  void Release() {
    desktop->Release();
    Pump();
  }
  void Tick() {
    desktop->Advance(kFadeInterval);
    Pump();
  }
  // Ticks until the control's fade is over; the number of ticks it took (at most 100).
  template <typename Control>
  int TicksUntilFadeEnds(Control* control) {
    int ticks = 0;
    while (control->FadeTimer() && ticks < 100) {
      Tick();
      ++ticks;
    }
    return ticks;
  }
  TColor ScreenAt(framework::TControl* c, int x, int y) {
    return desktop->ScreenPixel(ScreenPointOf(c, x, y));
  }

  TsButton* button = nullptr;
  TsCheckBox* box = nullptr;
  int clicks = 0;
  int toggles = 0;
};

}  // namespace skin::test
