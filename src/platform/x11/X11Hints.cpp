#include "platform/x11/X11Hints.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/Utf8.h"

namespace platform::x11 {

namespace {

void SetAtomList(Display* display, ::Window window, Atom property, const std::vector<Atom>& atoms) {
  if (atoms.empty()) {
    XDeleteProperty(display, window, property);
    return;
  }
  // Format 32 data is an array of long in Xlib, and Atom is an unsigned long.
  XChangeProperty(display, window, property, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(atoms.data()),
                  static_cast<int>(atoms.size()));
}

void SetCardinal(Display* display, ::Window window, Atom property, unsigned long value) {
  XChangeProperty(display, window, property, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&value), 1);
}

// The window type and the focus model, chosen together.
//
// The bar (noActivate) is a DOCK: openbox (and the other EWMH window managers) keep docks in the
// layer above normal windows, never decorate or auto-place them, never push them out of the
// struts and never give them the keyboard when the pointer moves over them or clicks them (seen
// under openbox: exact position, pointer events arrive, no focus taken). A NORMAL or UTILITY
// window with input = False would also keep the keyboard away, but NORMAL windows are auto-placed,
// and both are focused by click (through WM_TAKE_FOCUS) under every focus-follows-click window
// manager, which the bar must not rely on. So the bar also says input = False and lists
// WM_TAKE_FOCUS ("globally active"): a window manager that does try to focus it asks the program,
// which accepts only right after a click on the bar, never on hover.
//
// Modal dialogs are DIALOGs with input = True: they take the keyboard when shown. Tool tips are
// TOOLTIPs (and override-redirect, see X11Backend): compositors that manage them anyway, as sway
// would place and focus a managed hint in the middle of the screen, then know what they are. Menus
// are POPUP_MENUs, override-redirect as well, for the same reason.
// Everything else is a NORMAL window the window manager may focus as it likes.
Atom WindowType(const X11Atoms& atoms, const TopLevelStyle& style) {
  if (style.dialog) return atoms.NET_WM_WINDOW_TYPE_DIALOG;
  if (style.toolTip) return atoms.NET_WM_WINDOW_TYPE_TOOLTIP;
  if (style.popupMenu) return atoms.NET_WM_WINDOW_TYPE_POPUP_MENU;
  if (style.noActivate) return atoms.NET_WM_WINDOW_TYPE_DOCK;
  return atoms.NET_WM_WINDOW_TYPE_NORMAL;
}

void SetIdentity(Display* display, const X11Atoms& atoms, ::Window window,
                 const X11ProgramName& name, const std::string& role) {
  XClassHint classHint;
  classHint.res_name = const_cast<char*>(name.instance.c_str());
  classHint.res_class = const_cast<char*>(name.className.c_str());
  XSetClassHint(display, window, &classHint);

  // Every window of the program has the program's name; the role tells them apart (window
  // managers' rules and tests match it).
  if (role.empty()) {
    XDeleteProperty(display, window, atoms.WM_WINDOW_ROLE);
  } else {
    XChangeProperty(display, window, atoms.WM_WINDOW_ROLE, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(role.data()),
                    static_cast<int>(role.size()));
  }

  // _NET_WM_PID is only meaningful beside WM_CLIENT_MACHINE, so both go together.
  char host[HOST_NAME_MAX + 1] = {};
  if (gethostname(host, sizeof host - 1) == 0 && host[0] != '\0') {
    XChangeProperty(display, window, atoms.WM_CLIENT_MACHINE, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(host), static_cast<int>(strlen(host)));
    SetCardinal(display, window, atoms.NET_WM_PID, static_cast<unsigned long>(getpid()));
  }
}

}  // namespace

void SetTopLevelHints(Display* display, const X11Atoms& atoms, ::Window window,
                      const TopLevelStyle& style, ::Window ownerWindow,
                      const X11ProgramName& name) {
  // Decorations: the Motif hint is the one every window manager reads; flags = decorations,
  // decorations = none.
  if (style.decorated) {
    XDeleteProperty(display, window, atoms.MOTIF_WM_HINTS);
  } else {
    const unsigned long motif[5] = {2, 0, 0, 0, 0};
    XChangeProperty(display, window, atoms.MOTIF_WM_HINTS, atoms.MOTIF_WM_HINTS, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(motif), 5);
  }

  std::vector<Atom> states;
  if (style.topmost) states.push_back(atoms.NET_WM_STATE_ABOVE);
  if (style.skipTaskbar) {
    states.push_back(atoms.NET_WM_STATE_SKIP_TASKBAR);
    states.push_back(atoms.NET_WM_STATE_SKIP_PAGER);
  }
  if (style.dialog) states.push_back(atoms.NET_WM_STATE_MODAL);
  SetAtomList(display, window, atoms.NET_WM_STATE, states);
  SetAtomList(display, window, atoms.NET_WM_WINDOW_TYPE, {WindowType(atoms, style)});

  // On every desktop, like a window that Windows shows regardless of virtual desktops.
  SetCardinal(display, window, atoms.NET_WM_DESKTOP, 0xFFFFFFFFul);

  XWMHints* wmHints = XAllocWMHints();
  if (wmHints) {
    wmHints->flags = InputHint | StateHint;
    wmHints->input = TakesFocusOnlyByClick(style) ? False : True;
    wmHints->initial_state = NormalState;
    if (ownerWindow != None) {
      wmHints->flags |= WindowGroupHint;
      wmHints->window_group = ownerWindow;
    }
    XSetWMHints(display, window, wmHints);
    XFree(wmHints);
  }
  if (ownerWindow != None && style.dialog) XSetTransientForHint(display, window, ownerWindow);

  std::vector<Atom> protocols = {atoms.WM_DELETE_WINDOW};
  if (TakesFocusOnlyByClick(style)) protocols.push_back(atoms.WM_TAKE_FOCUS);
  XSetWMProtocols(display, window, protocols.data(), static_cast<int>(protocols.size()));

  SetIdentity(display, atoms, window, name, style.role);
  SetTitleHints(display, atoms, window, style.title);
  SetPlacementHints(display, window, style.bounds, style.resizable);
}

void SetPlacementHints(Display* display, ::Window window, const TRect& bounds,
                       const std::optional<TopLevelStyle::SizeLimits>& resizable) {
  XSizeHints* hints = XAllocSizeHints();
  if (!hints) return;
  const int width = std::max(1, bounds.Width());
  const int height = std::max(1, bounds.Height());
  // USPosition and StaticGravity make openbox (and others) skip their own placement and put the
  // client area itself at x, y; equal minimum and maximum sizes keep the size fixed.
  hints->flags = USPosition | PPosition | USSize | PSize | PMinSize | PMaxSize | PWinGravity;
  hints->x = bounds.Left;
  hints->y = bounds.Top;
  hints->width = width;
  hints->height = height;
  hints->min_width = hints->max_width = width;
  hints->min_height = hints->max_height = height;
  if (resizable) {
    hints->min_width = std::max(1, resizable->min.cx);
    hints->min_height = std::max(1, resizable->min.cy);
    hints->max_width = std::max(hints->min_width, resizable->max.cx);
    hints->max_height = std::max(hints->min_height, resizable->max.cy);
  }
  hints->win_gravity = StaticGravity;
  XSetWMNormalHints(display, window, hints);
  XFree(hints);
}

void SetTitleHints(Display* display, const X11Atoms& atoms, ::Window window,
                   const std::string& title) {
  const std::string text = SanitizeUtf8(title);
  XChangeProperty(display, window, atoms.NET_WM_NAME, atoms.UTF8_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(text.data()),
                  static_cast<int>(text.size()));
  // WM_NAME for older window managers and tools: STRING when Latin-1 holds it, else COMPOUND_TEXT.
  char* list[1] = {const_cast<char*>(text.c_str())};
  XTextProperty property{};
  if (Xutf8TextListToTextProperty(display, list, 1, XStdICCTextStyle, &property) >= Success) {
    XSetWMName(display, window, &property);
    XFree(property.value);
  }
}

void SetOpacityHint(Display* display, const X11Atoms& atoms, ::Window window, uint8_t alpha) {
  if (alpha == 255) {
    XDeleteProperty(display, window, atoms.NET_WM_WINDOW_OPACITY);
    return;
  }
  // 0xFF repeated in every byte is 0xFFFFFFFF: each step of alpha is an equal step of the range.
  SetCardinal(display, window, atoms.NET_WM_WINDOW_OPACITY, alpha * 0x01010101ul);
}

std::vector<unsigned long> IconToArgb(const DIBitmap& image, const DIBitmap* mask) {
  if (image.Empty() || image.Width() > kMaxIconSide || image.Height() > kMaxIconSide) return {};
  const int width = image.Width();
  const int height = image.Height();
  const DIBitmap colors = image.BitsPerPixel() == 24 ? image : image.ConvertedTo(24);

  // The mask as 24 bits where "not zero" means transparent. A paletted mask is judged by its
  // indices, whatever its palette says: give it a palette where index 0 is black and every other
  // index white before converting.
  DIBitmap maskColors;
  if (mask && !mask->Empty()) {
    if (mask->BitsPerPixel() <= 8) {
      DIBitmap indexed = *mask;
      std::vector<RGBQuad> palette(size_t{1} << mask->BitsPerPixel(), RGBQuad{255, 255, 255, 0});
      palette[0] = RGBQuad{};
      indexed.SetPalette(std::move(palette));
      maskColors = indexed.ConvertedTo(24);
    } else {
      maskColors = mask->BitsPerPixel() == 24 ? *mask : mask->ConvertedTo(24);
    }
  }
  const int maskWidth = std::min(width, maskColors.Width());
  const int maskHeight = std::min(height, maskColors.Height());

  std::vector<unsigned long> argb(2 + static_cast<size_t>(width) * height);
  argb[0] = static_cast<unsigned long>(width);
  argb[1] = static_cast<unsigned long>(height);
  unsigned long* out = argb.data() + 2;
  for (int y = 0; y < height; ++y) {
    const uint8_t* src = colors.ScanLine(y);
    for (int x = 0; x < width; ++x, src += 3, ++out) {
      *out = 0xFF000000ul | (static_cast<unsigned long>(src[2]) << 16) |
             (static_cast<unsigned long>(src[1]) << 8) | src[0];
    }
  }
  for (int y = 0; y < maskHeight; ++y) {
    const uint8_t* m = maskColors.ScanLine(y);
    unsigned long* row = argb.data() + 2 + static_cast<size_t>(y) * width;
    for (int x = 0; x < maskWidth; ++x, m += 3) {
      if ((m[0] | m[1] | m[2]) != 0) row[x] = 0;
    }
  }
  return argb;
}

void SetIconHint(Display* display, const X11Atoms& atoms, ::Window window, const DIBitmap& image,
                 const DIBitmap* mask) {
  const std::vector<unsigned long> argb = IconToArgb(image, mask);
  if (argb.empty()) {
    XDeleteProperty(display, window, atoms.NET_WM_ICON);
    return;
  }
  XChangeProperty(display, window, atoms.NET_WM_ICON, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(argb.data()),
                  static_cast<int>(argb.size()));
}

}  // namespace platform::x11
