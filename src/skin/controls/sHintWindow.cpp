#include "skin/controls/sHintWindow.h"

#include <algorithm>

#include "framework/controls/FormHost.h"
#include "framework/forms/Application.h"
#include "framework/graphics/Canvas.h"
#include "platform/windows/Screen.h"
#include "platform/windows/Timer.h"
#include "skin/controls/sFadeTimer.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sBorderMask.h"
#include "skin/paint/sPixelAccess.h"

namespace skin {

using platform::TPoint;
using platform::TRect;
using platform::TSize;

namespace {

constexpr uintptr_t kFadeTimer = 1;

// The "HINT" section when the tip fades in with it: the skin is active and not being changed, and
// the section has fading on with steps to show; else nullptr.
const TsGeneralData* FadingHintSection() {
  TsSkinManager* manager = nullptr;
  const int section = ActiveHintSection(manager);
  if (section < 0 || SkinChanging()) return nullptr;
  const TsGeneralData* data = manager->Tables().Section(section);
  return data && data->FadingEnabled && data->FadingIterations > 0 ? data : nullptr;
}

}  // namespace

int ActiveHintSection(TsSkinManager*& manager) {
  manager = DefaultManager();
  if (!manager || !manager->Active() || !manager->SkinData().SkinReady) {
    manager = nullptr;
    return -1;
  }
  const int section = manager->Tables().FindSection("HINT");
  if (!manager->Tables().IsValidSectionIndex(section)) {
    manager = nullptr;
    return -1;
  }
  return section;
}

void UseSkinnedHints() {
  framework::SetHintWindowClass([] { return std::make_unique<TsHintWindow>(); });
}

TRect TsHintWindow::PlaceOutside(TSize size, TPoint at, const TRect& avoid, const TRect& area) {
  const int left = std::max(area.Left, std::min(at.X, area.Right - size.cx));
  int top = avoid.IsEmpty() ? at.Y : std::max(at.Y, avoid.Bottom);
  if (top + size.cy > area.Bottom) {
    // No room below: above the window, or above the pointer when there is none to keep clear.
    top = avoid.IsEmpty() ? at.Y - size.cy - 24 : std::min(at.Y, avoid.Top) - size.cy;
  }
  top = std::max(area.Top, top);
  return platform::Bounds(left, top, size.cx, size.cy);
}

TRect TsHintWindow::HintBounds(TSize size, TPoint at) const {
  TsSkinManager* manager = nullptr;
  if (ActiveHintSection(manager) < 0) return THintWindow::HintBounds(size, at);
  TRect avoid;
  const framework::TApplication* application = framework::Application();
  const framework::TControl* control = application ? application->HintControl() : nullptr;
  framework::TFormHost* form = control ? control->GetParentForm() : nullptr;
  if (form && form->HandleAllocated()) platform::GetWindowRect(form->Handle(), &avoid);
  const TRect work = platform::GetWorkArea();
  const TSize screen = platform::GetVirtualScreenSize();
  const TRect area{work.Left, work.Top, std::max(work.Right, screen.cx), work.Bottom};
  return PlaceOutside(size, at, avoid, area);
}

void TsHintWindow::Paint(platform::HDC dc, const TRect& client) {
  TsSkinManager* manager = nullptr;
  const int section = ActiveHintSection(manager);
  if (section < 0 || client.IsEmpty()) {
    if (!region_.IsEmpty()) {
      platform::SetWindowRgn(Handle(), std::nullopt, false);
      region_ = platform::Region();
    }
    THintWindow::Paint(dc, client);
    return;
  }
  const std::unique_ptr<framework::TBitmap> face = NewBitmap24(client.Width(), client.Height());
  const TRect whole{0, 0, client.Width(), client.Height()};
  const TsSkinTables& t = manager->Tables();
  PaintSectionBackground({&t, section, "HINT"}, TCacheInfo{}, kKeyColor,
                         {face.get(), {0, 0}, whole});
  platform::Region region(whole);
  // As on a panel, the mask draws the edges and corners; the face between shows the section.
  if (const TsMaskData* border = t.Mask(t.FindMask(section, "HINT", "BORDERSMASK")))
    DrawBorderMaskWithRegion(face.get(), region, 0, lkNormal, *border);
  framework::TCanvas* canvas = face->Canvas();
  const platform::LogFont font = HintLogFont();
  canvas->Font()->SetName(font.FaceName);
  canvas->Font()->SetHeight(font.Height);
  canvas->Font()->SetColor(platform::ColorToRGB(t.Section(section)->FontColor[0]));
  canvas->Brush()->SetStyle(framework::bsClear);
  TRect text = TextRect(client);
  platform::DrawText(canvas->Handle(), Shown(), &text, kTextFormat);
  platform::BitBlt(dc, 0, 0, client.Width(), client.Height(), canvas->Handle(), 0, 0,
                   platform::SRCCOPY);
  if (region != region_) {
    region_ = region;
    platform::SetWindowRgn(Handle(), region_, false);
  }
}

void TsHintWindow::Appearing() {
  const platform::HWND window = Handle();
  const TsGeneralData* section = FadingHintSection();
  if (!section) {
    // At once, also for a window an earlier fade left layered.
    platform::KillTimer(window, kFadeTimer);
    platform::SetLayeredWindowAttributes(window, 0, 255, platform::LWA_ALPHA);
    return;
  }
  fadeIterations_ = section->FadingIterations;
  fadeLevel_ = 1;
  platform::SetWindowExStyle(window, platform::GetWindowExStyle(window) | platform::WS_EX_LAYERED);
  platform::SetLayeredWindowAttributes(window, 0, 0, platform::LWA_ALPHA);
  platform::SetTimer(window, kFadeTimer, kFadeInterval);
}

void TsHintWindow::TimerTick(uintptr_t id) {
  if (id != kFadeTimer) return;
  // A skin that went or stopped fading meanwhile: the rest of the fade at once.
  const int level = FadingHintSection() ? fadeLevel_++ : fadeIterations_;
  const auto opacity = static_cast<uint8_t>(255 - FadeWeight(level, fadeIterations_));
  platform::SetLayeredWindowAttributes(Handle(), 0, opacity, platform::LWA_ALPHA);
  if (level >= fadeIterations_) platform::KillTimer(Handle(), kFadeTimer);
}

}  // namespace skin
