#pragma once
// Device contexts: a drawing state over a 24- or 32-bit DIBitmap, with GDI's coordinate mapping,
// clipping and save/restore stack.
//
// Coordinates. Drawing calls take logical coordinates. A logical point maps to a device point as
//   device = logical - WindowOrg + ViewportOrg
// and a device point to a pixel of the bitmap as surface = device + the context's Origin(), which
// the window system sets for window contexts (the window's place in its top-level back buffer)
// and which is (0, 0) for a context over a plain bitmap.
//
// Clipping. A pixel is drawn only when it lies inside the bitmap, inside the system region
// (set by the window system: the visible part of a window, in device coordinates; none means
// the whole bitmap) and inside the clip region that the caller selected (device coordinates;
// none means no clip). Nothing ever reads or writes outside either bitmap. A bitmap of another
// depth than 24 or 32 bits, or none, is treated as nothing to draw on: drawing calls return
// false (CLR_INVALID) and the effective clip is empty.
//
// Mapping is exact for any int origins (worked in 64 bits); results that leave the int range
// are clamped to it, which keeps them outside every bitmap.
//
// On 32-bit bitmaps the fourth byte of every pixel a context draws is 0, as converting from 24
// bits leaves it; only copies from another 32-bit bitmap carry it over.

#include <optional>
#include <utility>
#include <vector>

#include "platform/Types.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/DIBitmap.h"
#include "platform/drawing/Region.h"

namespace platform {

class Font;
using HFONT = const Font*;

struct Brush {
  enum class Style { Solid, Clear };
  Style style = Style::Solid;
  TColor color = clWhite;
  friend bool operator==(const Brush&, const Brush&) = default;
};

enum BkMode : int { TRANSPARENT = 1, OPAQUE = 2 };
enum StretchMode : int { BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4 };
// Raster operations: only plain copies are offered.
constexpr unsigned SRCCOPY = 0x00CC0020;
constexpr TColor CLR_INVALID = static_cast<TColor>(0xFFFFFFFF);

class DeviceContext {
 public:
  explicit DeviceContext(DIBitmap* surface = nullptr);

  // The bitmap drawn into; selecting another one keeps the rest of the state. Returns the
  // previous one (SelectObject with a bitmap).
  DIBitmap* SelectBitmap(DIBitmap* surface);
  DIBitmap* Surface() const { return surface_; }

  // Set by the window system: where device (0, 0) lies in the bitmap, and the system region.
  void SetOrigin(TPoint origin);
  TPoint Origin() const { return origin_; }
  void SetSystemRegion(std::optional<Region> deviceRegion);
  const std::optional<Region>& SystemRegion() const { return systemRegion_; }

  // The saved part of the state.
  struct State {
    TPoint viewportOrg;
    TPoint windowOrg;
    std::optional<Region> clip;  // device coordinates
    Brush brush;
    TColor textColor = clBlack;
    TColor bkColor = clWhite;
    BkMode bkMode = OPAQUE;
    int stretchMode = BLACKONWHITE;
    HFONT font = nullptr;  // nullptr: the default font
  };
  // Read-only: the state changes through the setters below (which the GDI calls further down use),
  // so that a changed clip is always worked out again.
  const State& Current() const { return state_; }
  // Each setter returns the value it replaces.
  TPoint SetViewportOrg(TPoint org) { return std::exchange(state_.viewportOrg, org); }
  TPoint SetWindowOrg(TPoint org) { return std::exchange(state_.windowOrg, org); }
  // The clip in device coordinates; nullopt for none.
  void SetClip(std::optional<Region> deviceClip) {
    state_.clip = std::move(deviceClip);
    clipValid_ = false;
  }
  Brush SetBrush(Brush brush) { return std::exchange(state_.brush, brush); }
  TColor SetTextColor(TColor color) { return std::exchange(state_.textColor, color); }
  TColor SetBkColor(TColor color) { return std::exchange(state_.bkColor, color); }
  BkMode SetBkMode(BkMode mode) { return std::exchange(state_.bkMode, mode); }
  int SetStretchMode(int mode) { return std::exchange(state_.stretchMode, mode); }
  HFONT SetFont(HFONT font) { return std::exchange(state_.font, font); }
  // Save pushes the state and returns the new depth, 1 for the first save. Restore(n), n > 0,
  // brings back the state pushed by the save that returned n and drops it and every later one;
  // Restore(-k) does the same for the depth k steps back (-1: the latest save). A level of 0 or
  // one that names no saved state returns false and changes nothing.
  int Save();
  bool Restore(int level);

  // Mapping between logical and bitmap (surface) coordinates.
  TPoint LogicalToSurface(TPoint p) const;
  TRect LogicalToSurface(const TRect& r) const;
  TPoint SurfaceToLogical(TPoint p) const;
  TRect SurfaceToLogical(const TRect& r) const;
  TPoint LogicalToDevice(TPoint p) const;
  TRect LogicalToDevice(const TRect& r) const;

  // Where drawing may touch the bitmap: bitmap ∩ system region ∩ clip, in surface coordinates.
  // Drawing calls intersect their target with each rectangle of it.
  const Region& EffectiveClip() const;

 private:
  DIBitmap* surface_ = nullptr;
  TPoint origin_;
  std::optional<Region> systemRegion_;
  State state_;
  std::vector<State> saved_;
  mutable Region effectiveClip_;
  mutable bool clipValid_ = false;
  // The bitmap's size and depth when effectiveClip_ was made: a bitmap resized or converted
  // behind the context's back must not leave a clip reaching past its new edges.
  mutable int clipWidth_ = 0;
  mutable int clipHeight_ = 0;
  mutable int clipDepth_ = 0;
};

using HDC = DeviceContext*;

// Save and restore.
int SaveDC(HDC dc);
bool RestoreDC(HDC dc, int savedDC);

// Saves a context's state for a scope and restores it when the scope ends, however it ends.
class SavedDC {
 public:
  explicit SavedDC(HDC dc) : dc_(dc), level_(SaveDC(dc)) {}
  ~SavedDC() {
    if (level_ > 0) RestoreDC(dc_, level_);
  }
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;

 private:
  HDC dc_;
  int level_;
};

// Origins.
bool SetViewportOrgEx(HDC dc, int x, int y, TPoint* old = nullptr);
bool GetViewportOrgEx(HDC dc, TPoint* point);
bool SetWindowOrgEx(HDC dc, int x, int y, TPoint* old = nullptr);
bool GetWindowOrgEx(HDC dc, TPoint* point);
bool OffsetViewportOrgEx(HDC dc, int dx, int dy, TPoint* old = nullptr);

// Clipping. Regions given to SelectClipRgn are in device coordinates and copied (nullptr removes
// the clip); the rectangles of IntersectClipRect and ExcludeClipRect are logical, and when no clip
// is selected they start from everything that could be drawn: the bitmap (in device coordinates)
// within the system region. Each returns the kind of what can then be drawn (the effective
// clip), NULLREGION when nothing; RGN_ERROR for a null context. OffsetClipRgn moves a selected
// clip and does nothing without one.
RegionKind SelectClipRgn(HDC dc, const Region* deviceRegion);
RegionKind IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
RegionKind ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
RegionKind OffsetClipRgn(HDC dc, int dx, int dy);
// The logical bounding box of what can be drawn; NULLREGION (and an empty box) when nothing.
RegionKind GetClipBox(HDC dc, TRect* box);
// 1 and the selected clip (device coordinates) when there is one, else 0; -1 for a null context.
int GetClipRgn(HDC dc, Region* deviceRegion);
bool PtVisible(HDC dc, int x, int y);
bool RectVisible(HDC dc, const TRect& rect);

// Brushes are values; DeleteObject is not needed for them.
inline Brush CreateSolidBrush(TColor color) { return Brush{Brush::Style::Solid, color}; }
inline Brush ClearBrush() { return Brush{Brush::Style::Clear, clWhite}; }
Brush SelectBrush(HDC dc, Brush brush);

// Colours and modes. Setters return the previous value; a mode that is not one of the enum's
// values is refused with 0 and changes nothing. A null context gives CLR_INVALID, 0 or nullptr.
TColor SetTextColor(HDC dc, TColor color);
TColor GetTextColor(HDC dc);
TColor SetBkColor(HDC dc, TColor color);
int SetBkMode(HDC dc, int mode);
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);
HFONT SelectFont(HDC dc, HFONT font);
HFONT GetCurrentFont(HDC dc);

// Pixels. FillRect resolves system colours and fills nothing with a clear brush.
bool FillRect(HDC dc, const TRect& rect, const Brush& brush);
TColor SetPixel(HDC dc, int x, int y, TColor color);  // the colour set, or CLR_INVALID
TColor GetPixel(HDC dc, int x, int y);                // CLR_INVALID outside the clip or bitmap
// Plain copies. The source context's mapping applies to the source point; its clip does not.
// Destination pixels whose source lies outside the source bitmap are left as they are. A copy
// within one bitmap reads every source pixel before it is overwritten (as memmove does). A width
// or height of 0 or less copies nothing. Any rop but SRCCOPY returns false and draws nothing.
bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
            unsigned rop);
// Nearest-pixel scaling (the COLORONCOLOR rule, used whatever the mode): destination column i of
// width w takes source column srcX + floor((2i + 1) * srcWidth / (2w)), rows alike. A negative
// extent puts its rectangle on the other side of the point (x + width .. x - 1) and mirrors: with
// |w| and |srcWidth| and both rectangles' left edges, destination column i is mapped as column
// |w| - 1 - i by the rule above; negative on both sides, the two mirrors cancel. Stretching within
// one bitmap reads the source as it was before the call. A zero extent draws nothing.
bool StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                int srcWidth, int srcHeight, unsigned rop);

}  // namespace platform
