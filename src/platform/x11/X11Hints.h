#pragma once
// What the window manager is told about a top-level window: decorations, layer, task-bar and
// pager entries, window type and focus model, exact position and fixed size, identity, title and
// icon. Everything here is set before the window is mapped (and again before it is mapped after a
// withdrawal, since window managers drop _NET_WM_STATE then).

#include <X11/Xlib.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/Backend.h"
#include "platform/drawing/DIBitmap.h"
#include "platform/x11/X11Atoms.h"
#include "platform/x11/X11Backend.h"

namespace platform::x11 {

// Whether the window follows the "globally active" focus model: the window manager never gives it
// the keyboard on its own, the program takes the focus itself after a click.
inline bool TakesFocusOnlyByClick(const TopLevelStyle& style) {
  return style.noActivate && !style.dialog;
}

// Every hint of the style; ownerWindow is the owner's X window (None without an owner), `name`
// gives WM_CLASS.
void SetTopLevelHints(Display* display, const X11Atoms& atoms, ::Window window,
                      const TopLevelStyle& style, ::Window ownerWindow, const X11ProgramName& name);

// WM_NORMAL_HINTS for an exact position (StaticGravity, user position) and a fixed size, or for a
// window the user may resize, its size limits.
void SetPlacementHints(Display* display, ::Window window, const TRect& bounds,
                       const std::optional<TopLevelStyle::SizeLimits>& resizable);

// _NET_WM_NAME (UTF-8) and WM_NAME. Bytes that are not UTF-8 are taken as Latin-1 characters, as
// everywhere text is shown.
void SetTitleHints(Display* display, const X11Atoms& atoms, ::Window window,
                   const std::string& title);

// _NET_WM_WINDOW_OPACITY, which compositing managers show the window with (on the window itself:
// window managers copy it to their frames): alpha scaled to 0 .. 0xFFFFFFFF. Opaque windows carry
// none, as the convention wants.
void SetOpacityHint(Display* display, const X11Atoms& atoms, ::Window window, uint8_t alpha);

// Icons larger than this on either side are not sent (the property would outgrow a request);
// the window then keeps no icon.
constexpr int kMaxIconSide = 256;

// _NET_WM_ICON: {width, height, then width*height ARGB pixels}, one `long` each as Xlib wants for
// format 32. Mask pixels that are not zero make the icon transparent there (for paletted masks:
// indices that are not zero); outside the mask the icon is opaque. Empty when the image is empty or
// too large.
std::vector<unsigned long> IconToArgb(const DIBitmap& image, const DIBitmap* mask);
void SetIconHint(Display* display, const X11Atoms& atoms, ::Window window, const DIBitmap& image,
                 const DIBitmap* mask);

}  // namespace platform::x11
