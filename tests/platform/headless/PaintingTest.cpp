// Invalidation, the order of painting, clipping of overlapping windows and regions, and what
// reaches the screen.

#include <string>
#include <vector>

#include "platform/Exception.h"
#include "platform/windows/Paint.h"
#include "tests/platform/headless/HeadlessFixture.h"

namespace platform::test {
namespace {

class PaintingTest : public HeadlessTest {
 protected:
  // A window that fills everything it may paint with its own colour.
  HWND MakeFilled(HWND parent, TRect bounds, TColor color, uint32_t style = WS_VISIBLE) {
    HWND h = MakeWindow(parent, bounds, style);
    SetWindowProc(h, [this, color](HWND hwnd, UINT m, WPARAM w, LPARAM l) -> LRESULT {
      if (m == WM_PAINT) {
        painted.push_back(hwnd);
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        TRect client;
        GetClientRect(hwnd, &client);
        FillRect(dc, client, CreateSolidBrush(color));
        EndPaint(hwnd, &ps);
        return 0;
      }
      if (m == WM_NCPAINT || m == WM_ERASEBKGND) log.push_back({hwnd, m, w, l});
      return DefWindowProc(hwnd, m, w, l);
    });
    return h;
  }
  TColor At(int x, int y) const { return desktop->ScreenPixel({x, y}); }

  std::vector<HWND> painted;
};

TEST_F(PaintingTest, ParentsPaintBeforeChildrenAndChildrenClipTheirParent) {
  HWND top = MakeFilled(nullptr, Bounds(100, 100, 60, 40), clRed, WS_POPUP | WS_VISIBLE);
  HWND left = MakeFilled(top, Bounds(10, 10, 20, 20), clGreen);
  HWND over = MakeFilled(top, Bounds(20, 15, 20, 20), clBlue);  // above `left`, overlapping it
  Pump();
  EXPECT_EQ(painted, (std::vector<HWND>{top, left, over}));
  EXPECT_EQ(At(100, 100), clRed);
  EXPECT_EQ(At(110, 10 + 100), clGreen);
  EXPECT_EQ(At(125, 120), clBlue);  // inside both: the higher sibling wins
  EXPECT_EQ(At(139, 134), clBlue);
  EXPECT_EQ(At(140, 135), clRed);

  // Repainting the parent alone leaves the children's pixels alone.
  painted.clear();
  InvalidateRect(top, nullptr, true);
  Pump();
  EXPECT_EQ(painted, (std::vector<HWND>{top}));
  EXPECT_EQ(At(110, 110), clGreen);
  EXPECT_EQ(At(125, 120), clBlue);

  // Repainting the lower sibling cannot draw over the higher one.
  painted.clear();
  InvalidateRect(left, nullptr, false);
  SetWindowProc(left, [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m != WM_PAINT) return DefWindowProc(h, m, w, l);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    FillRect(dc, Bounds(0, 0, 100, 100), CreateSolidBrush(clYellow));  // tries everything
    EndPaint(h, &ps);
    return 0;
  });
  Pump();
  EXPECT_EQ(At(110, 110), clYellow);
  EXPECT_EQ(At(125, 120), clBlue);
  EXPECT_EQ(At(100, 100), clRed);
}

TEST_F(PaintingTest, WindowRegionsClipPaintingAndHitTesting) {
  HWND top = MakeFilled(nullptr, Bounds(0, 0, 40, 40), clRed, WS_POPUP | WS_VISIBLE);
  HWND shaped = MakeFilled(top, Bounds(10, 10, 20, 20), clBlue);
  Region shape = Region(Bounds(0, 0, 20, 20)).Subtracted(Bounds(0, 0, 5, 5));
  SetWindowRgn(shaped, shape, true);
  Pump();
  EXPECT_EQ(At(12, 12), clRed);  // the cut-out corner shows the parent
  EXPECT_EQ(At(16, 16), clBlue);
  EXPECT_EQ(WindowFromPoint({12, 12}), top);
  EXPECT_EQ(WindowFromPoint({16, 16}), shaped);
}

TEST_F(PaintingTest, HidingAndMovingRepaintWhatWasUncovered) {
  HWND top = MakeFilled(nullptr, Bounds(0, 0, 50, 50), clRed, WS_POPUP | WS_VISIBLE);
  HWND child = MakeFilled(top, Bounds(0, 0, 10, 10), clBlue);
  Pump();
  EXPECT_EQ(At(5, 5), clBlue);
  MoveWindow(child, 20, 20, 10, 10, true);
  Pump();
  EXPECT_EQ(At(5, 5), clRed);
  EXPECT_EQ(At(25, 25), clBlue);
  ShowWindow(child, SW_HIDE);
  Pump();
  EXPECT_EQ(At(25, 25), clRed);
  EXPECT_FALSE(IsWindowVisible(child));
  ShowWindow(child, SW_SHOW);
  Pump();
  EXPECT_EQ(At(25, 25), clBlue);
}

TEST_F(PaintingTest, RedrawWindowFlags) {
  HWND top = MakeFilled(nullptr, Bounds(0, 0, 50, 50), clRed, WS_POPUP | WS_VISIBLE);
  HWND child = MakeFilled(top, Bounds(0, 0, 10, 10), clBlue);
  Pump();
  painted.clear();
  log.clear();

  // Without RDW_ALLCHILDREN only the window itself; RDW_UPDATENOW paints before returning.
  RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(painted, (std::vector<HWND>{top}));
  painted.clear();
  RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_EQ(painted, (std::vector<HWND>{top, child}));
  EXPECT_TRUE(log.empty());

  // RDW_FRAME brings WM_NCPAINT, RDW_ERASE brings WM_ERASEBKGND, both before the paint.
  painted.clear();
  RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
  Pump();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].msg, WM_NCPAINT);
  EXPECT_EQ(log[1].msg, WM_ERASEBKGND);
  EXPECT_EQ(painted, (std::vector<HWND>{child}));

  // RDW_NOERASE drops a pending erase; RDW_INTERNALPAINT paints with nothing invalid,
  // RDW_NOINTERNALPAINT takes that back.
  log.clear();
  painted.clear();
  InvalidateRect(child, nullptr, true);
  RedrawWindow(child, nullptr, nullptr, RDW_NOERASE);
  Pump();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(painted.size(), 1u);
  painted.clear();
  RedrawWindow(child, nullptr, nullptr, RDW_INTERNALPAINT);
  RedrawWindow(child, nullptr, nullptr, RDW_NOINTERNALPAINT);
  Pump();
  EXPECT_TRUE(painted.empty());
  RedrawWindow(child, nullptr, nullptr, RDW_INTERNALPAINT);
  Pump();
  EXPECT_EQ(painted.size(), 1u);
  // RDW_VALIDATE takes an invalid area back before it is painted.
  painted.clear();
  InvalidateRect(child, nullptr, false);
  RedrawWindow(child, nullptr, nullptr, RDW_VALIDATE);
  Pump();
  EXPECT_TRUE(painted.empty());
}

TEST_F(PaintingTest, PaintContextsCoverOnlyTheInvalidVisiblePart) {
  HWND top = MakeWindow(nullptr, Bounds(0, 0, 40, 40), WS_POPUP | WS_VISIBLE);
  HWND cover = MakeFilled(top, Bounds(0, 0, 40, 10), clBlue);
  Pump();
  TRect r = Bounds(5, 5, 10, 10);
  InvalidateRect(top, &r, false);
  TRect box;
  ASSERT_TRUE(GetUpdateRect(top, &box, false));
  EXPECT_EQ(box, r);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(top, &ps);
  EXPECT_EQ(ps.rcPaint, r);
  TRect clip;
  EXPECT_EQ(GetClipBox(dc, &clip), SIMPLEREGION);
  EXPECT_EQ(clip, Rect(5, 10, 15, 15));  // the child covers rows 0 to 9
  EndPaint(top, &ps);
  EXPECT_FALSE(GetUpdateRect(top, &box, false));
  (void)cover;

  // A window context covers the whole visible client area, children cut out.
  HDC whole = GetDC(top);
  EXPECT_EQ(GetClipBox(whole, &clip), SIMPLEREGION);
  EXPECT_EQ(clip, Rect(0, 10, 40, 40));
  ReleaseDC(top, whole);
}

TEST_F(PaintingTest, WhatAFailingPaintDrewStillReachesTheScreenAndItsContextsAreGivenBack) {
  HWND top = MakeWindow(nullptr, Bounds(0, 0, 20, 20), WS_POPUP | WS_VISIBLE);
  SetWindowProc(top, [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m != WM_PAINT) return DefWindowProc(h, m, w, l);
    const PaintScope paint(h);
    const SavedDC saved(paint.DC());
    FillRect(paint.DC(), Bounds(0, 0, 20, 20), CreateSolidBrush(clGreen));
    OffsetViewportOrgEx(paint.DC(), 10, 10);
    throw Exception("a paint handler failed");
  });
  std::vector<std::string> failures;
  SetFailureReport([&](const std::exception& e) { failures.emplace_back(e.what()); });
  Pump();
  SetFailureReport(nullptr);
  EXPECT_EQ(failures, std::vector<std::string>{"a paint handler failed"});
  EXPECT_EQ(At(0, 0), clGreen);
  EXPECT_EQ(At(19, 19), clGreen);

  // A window context left on the way out of a failed drawing is given back: what it drew reaches
  // the screen.
  const auto drawAndFail = [top] {
    const WindowDC window(top);
    const SavedDC saved(window.DC());
    OffsetViewportOrgEx(window.DC(), 5, 5);
    FillRect(window.DC(), Bounds(0, 0, 5, 5), CreateSolidBrush(clBlue));
    throw Exception("a drawing failed");
  };
  EXPECT_THROW(drawAndFail(), Exception);
  Pump();
  EXPECT_EQ(At(4, 4), clGreen);
  EXPECT_EQ(At(5, 5), clBlue);
  EXPECT_EQ(At(9, 9), clBlue);
  EXPECT_EQ(At(10, 10), clGreen);
}

TEST_F(PaintingTest, ExposeRepresentsWithoutRepainting) {
  HWND top = MakeFilled(nullptr, Bounds(0, 0, 20, 20), clGreen, WS_POPUP | WS_VISIBLE);
  Pump();
  const int presents = desktop->Find(top)->presents;
  painted.clear();
  desktop->Expose(top, Bounds(0, 0, 5, 5));
  Pump();
  EXPECT_TRUE(painted.empty());
  EXPECT_EQ(desktop->Find(top)->presents, presents + 1);
}

}  // namespace
}  // namespace platform::test
