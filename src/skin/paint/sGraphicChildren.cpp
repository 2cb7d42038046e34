#include "skin/paint/sGraphicChildren.h"

#include <algorithm>
#include <vector>

#include "framework/controls/WinControl.h"
#include "platform/windows/Messages.h"
#include "skin/data/sMessages.h"
#include "skin/paint/sBlending.h"
#include "skin/paint/sPixelAccess.h"

namespace skin {

using framework::TControl;
using framework::TWinControl;

namespace {

bool Qualifies(platform::HDC dc, const TControl* child) {
  return !dynamic_cast<const TWinControl*>(child) &&
         (child->Visible() || child->HasState(framework::csDesigning)) &&
         !child->HasState(framework::csDestroying) && child->Width() > 0 && child->Height() > 0 &&
         platform::RectVisible(dc, child->BoundsRect());
}

}  // namespace

void PaintGraphicChildren(platform::HDC dc, TWinControl* control) {
  if (!dc || !control || control->ControlCount() == 0 ||
      !(control->Visible() || control->HasState(framework::csDesigning)))
    return;
  std::vector<TControl*> children;
  for (int i = 0; i < control->ControlCount(); ++i) {
    if (Qualifies(dc, control->Controls(i))) children.push_back(control->Controls(i));
  }
  TRect clip;
  if (platform::GetClipBox(dc, &clip) == platform::NULLREGION) {
    SendSkinCommand(control, SKC_SETPARTLY);
    return;
  }
  if (children.empty()) return;
  ParentCache().Ready = false;
  SendSkinCommand(control, SKC_GETCACHE);
  const TCacheInfo info = ParentCache();
  if (!info.Ready || !IsPaintable(info.Bitmap)) {
    ParentCache().Ready = false;
    return;
  }
  try {
    // The off-screen picture covers the children's places within the control, not the whole
    // control: a label's paint does not fill a picture of the whole bar.
    TRect area;
    for (TControl* child : children) area = area.United(child->BoundsRect());
    area = area.Intersected(TRect{0, 0, control->Width(), control->Height()});
    platform::DIBitmap offscreen(std::max(0, area.Width()), std::max(0, area.Height()), 24);
    platform::DeviceContext memory(&offscreen);
    for (TControl* child : children) {
      const TRect r = child->BoundsRect().Translated(-area.Left, -area.Top);
      if (child->ControlStyleHas(framework::csOpaque))
        FillSolid(&memory, r, child->Color());
      else
        CopyBlock(offscreen, r.Left, r.Top, r.Width(), r.Height(), info.Bitmap->DIB(),
                  info.X + area.Left + r.Left, info.Y + area.Top + r.Top);
    }
    for (TControl* child : children) {
      platform::SavedDC saved(&memory);
      platform::SetViewportOrgEx(&memory, child->Left() - area.Left, child->Top() - area.Top);
      platform::IntersectClipRect(&memory, 0, 0, child->Width(), child->Height());
      child->Perform(platform::WM_PAINT, reinterpret_cast<platform::WPARAM>(&memory), 0);
    }
    const TsBGR key = ColorToBGR(kKeyColor);
    for (TControl* child : children) {
      const TRect r = child->BoundsRect();
      const TRect o = r.Translated(-area.Left, -area.Top);
      const bool keyed = offscreen.Width() > o.Left && offscreen.Height() > o.Top && o.Left >= 0 &&
                         o.Top >= 0 && PixelIs(offscreen.ScanLine(o.Top) + 3 * o.Left, key);
      if (!keyed)
        platform::BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), &memory, o.Left, o.Top,
                         platform::SRCCOPY);
    }
  } catch (const std::exception&) {
  }
  ParentCache().Ready = false;
}

}  // namespace skin
