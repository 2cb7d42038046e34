#include "platform/x11/X11Keyboard.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <clocale>

#include "platform/Utf8.h"
#include "platform/windows/Messages.h"

namespace platform::x11 {

namespace {

// Virtual keys the program may see that Messages.h does not name (Windows' numbers).
enum : int {
  kVkClear = 0x0C,
  kVkPrint = 0x2C,
  kVkLeftWindows = 0x5B,
  kVkRightWindows = 0x5C,
  kVkApps = 0x5D,
  kVkSeparator = 0x6C,
  kVkNumLock = 0x90,
  kVkScrollLock = 0x91,
  kVkOemSemicolon = 0xBA,
  kVkOemPlus = 0xBB,
  kVkOemComma = 0xBC,
  kVkOemMinus = 0xBD,
  kVkOemPeriod = 0xBE,
  kVkOemSlash = 0xBF,
  kVkOemGrave = 0xC0,
  kVkOemOpenBracket = 0xDB,
  kVkOemBackslash = 0xDC,
  kVkOemCloseBracket = 0xDD,
  kVkOemQuote = 0xDE,
};

// Text for a keysym when there is no input method: Latin-1 keysyms are their own code points,
// and keysyms 0x01000000 + U are the character U.
std::string TextFromKeysym(KeySym keysym) {
  uint32_t code = 0;
  if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF)) {
    code = static_cast<uint32_t>(keysym);
  } else if ((keysym & 0xFF000000ul) == 0x01000000ul) {
    code = static_cast<uint32_t>(keysym & 0x00FFFFFFul);
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {};
  } else {
    return {};
  }
  return EncodeUtf8(code);
}

// The keysym with the event's modifiers applied (NumLock and Shift decide what a keypad key is).
KeySym ResolvedKeysym(XKeyEvent& event) {
  KeySym keysym = NoSymbol;
  char unused[8];
  XLookupString(&event, unused, sizeof unused, &keysym, nullptr);
  return keysym;
}

// The punctuation keys of a US keyboard, by either of their faces (Windows' OEM keys).
int PunctuationVirtualKey(KeySym keysym) {
  switch (keysym) {
    case XK_semicolon:
    case XK_colon: return kVkOemSemicolon;
    case XK_equal:
    case XK_plus: return kVkOemPlus;
    case XK_comma:
    case XK_less: return kVkOemComma;
    case XK_minus:
    case XK_underscore: return kVkOemMinus;
    case XK_period:
    case XK_greater: return kVkOemPeriod;
    case XK_slash:
    case XK_question: return kVkOemSlash;
    case XK_grave:
    case XK_asciitilde: return kVkOemGrave;
    case XK_bracketleft:
    case XK_braceleft: return kVkOemOpenBracket;
    case XK_backslash:
    case XK_bar: return kVkOemBackslash;
    case XK_bracketright:
    case XK_braceright: return kVkOemCloseBracket;
    case XK_apostrophe:
    case XK_quotedbl: return kVkOemQuote;
    default: return 0;
  }
}

// Windows names keys by their unshifted face ('1' for Shift+1, 'A' for a and A), except on the
// keypad, where NumLock decides between digits and movement keys.
int VirtualKeyForEvent(XKeyEvent& event, KeySym resolved) {
  const KeySym base = XLookupKeysym(&event, 0);
  int vk = 0;
  if (IsKeypadKey(base) && resolved != NoSymbol) vk = VirtualKeyFromKeysym(resolved);
  if (vk == 0) vk = VirtualKeyFromKeysym(base);
  if (vk == 0 && resolved != NoSymbol) vk = VirtualKeyFromKeysym(resolved);
  return vk;
}

}  // namespace

int VirtualKeyFromKeysym(KeySym keysym) {
  if (keysym >= XK_a && keysym <= XK_z) return VK_A + static_cast<int>(keysym - XK_a);
  if (keysym >= XK_A && keysym <= XK_Z) return VK_A + static_cast<int>(keysym - XK_A);
  if (keysym >= XK_0 && keysym <= XK_9) return VK_0 + static_cast<int>(keysym - XK_0);
  if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
    return VK_NUMPAD0 + static_cast<int>(keysym - XK_KP_0);
  if (keysym >= XK_F1 && keysym <= XK_F24) return VK_F1 + static_cast<int>(keysym - XK_F1);
  switch (keysym) {
    case XK_BackSpace: return VK_BACK;
    case XK_Tab:
    case XK_ISO_Left_Tab:
    case XK_KP_Tab: return VK_TAB;
    case XK_Return:
    case XK_KP_Enter: return VK_RETURN;
    case XK_Escape: return VK_ESCAPE;
    case XK_space:
    case XK_KP_Space: return VK_SPACE;
    case XK_Prior:
    case XK_KP_Prior: return VK_PRIOR;
    case XK_Next:
    case XK_KP_Next: return VK_NEXT;
    case XK_End:
    case XK_KP_End: return VK_END;
    case XK_Home:
    case XK_KP_Home: return VK_HOME;
    case XK_Left:
    case XK_KP_Left: return VK_LEFT;
    case XK_Up:
    case XK_KP_Up: return VK_UP;
    case XK_Right:
    case XK_KP_Right: return VK_RIGHT;
    case XK_Down:
    case XK_KP_Down: return VK_DOWN;
    case XK_Insert:
    case XK_KP_Insert: return VK_INSERT;
    case XK_Delete:
    case XK_KP_Delete: return VK_DELETE;
    case XK_KP_Begin: return kVkClear;
    case XK_KP_Multiply: return VK_MULTIPLY;
    case XK_KP_Add: return VK_ADD;
    case XK_KP_Separator: return kVkSeparator;
    case XK_KP_Subtract: return VK_SUBTRACT;
    case XK_KP_Decimal: return VK_DECIMAL;
    case XK_KP_Divide: return VK_DIVIDE;
    case XK_Shift_L:
    case XK_Shift_R: return VK_SHIFT;
    case XK_Control_L:
    case XK_Control_R: return VK_CONTROL;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R: return VK_MENU;
    case XK_Pause: return VK_PAUSE;
    case XK_Caps_Lock: return VK_CAPITAL;
    case XK_Num_Lock: return kVkNumLock;
    case XK_Scroll_Lock: return kVkScrollLock;
    case XK_Print: return kVkPrint;
    case XK_Super_L: return kVkLeftWindows;
    case XK_Super_R: return kVkRightWindows;
    case XK_Menu: return kVkApps;
    default: return PunctuationVirtualKey(keysym);
  }
}

std::string WithoutControlCharacters(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const size_t start = i;
    const uint32_t cp = NextCodePoint(utf8, i);
    // C0 controls and DEL; C1 controls only where they are characters (C2 80..C2 9F), not where
    // a lone byte of that value merely stands for one.
    const bool control = cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp <= 0x9F && i - start == 2);
    if (!control) out.append(utf8, start, i - start);
  }
  return out;
}

X11Keyboard::X11Keyboard(Display* display) : display_(display) {
  // Xlib picks the input method and the text encoding from the locale's character type; the rest
  // of the program keeps the "C" locale for numbers and messages.
  std::setlocale(LC_CTYPE, "");
  Bool supported = False;
  XkbSetDetectableAutoRepeat(display, True, &supported);
}

void X11Keyboard::OpenInputMethod() {
  if (inputMethodTried_) return;
  inputMethodTried_ = true;
  if (!XSupportsLocale()) return;
  XSetLocaleModifiers("");
  inputMethod_ = XOpenIM(display_, nullptr, nullptr, nullptr);
  if (!inputMethod_) {
    // The configured input method (XMODIFIERS) is not running: use Xlib's built-in one, which
    // still does dead keys and compose sequences.
    XSetLocaleModifiers("@im=none");
    inputMethod_ = XOpenIM(display_, nullptr, nullptr, nullptr);
  }
}

X11Keyboard::~X11Keyboard() {
  if (inputMethod_) XCloseIM(inputMethod_);
}

XIC X11Keyboard::CreateContext(::Window window) {
  OpenInputMethod();
  if (!inputMethod_) return nullptr;
  return XCreateIC(inputMethod_, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow,
                   window, XNFocusWindow, window, nullptr);
}

void X11Keyboard::DestroyContext(XIC context) {
  if (context) XDestroyIC(context);
}

long X11Keyboard::ContextEventMask(XIC context) {
  long mask = 0;
  if (context && XGetICValues(context, XNFilterEvents, &mask, nullptr) != nullptr) mask = 0;
  return mask;
}

void X11Keyboard::SetContextFocus(XIC context, bool focused) {
  if (!context) return;
  if (focused) {
    XSetICFocus(context);
  } else {
    XUnsetICFocus(context);
  }
}

std::string X11Keyboard::LookupText(XKeyEvent& event, XIC context, KeySym* keysym) {
  *keysym = NoSymbol;
  if (!context) {
    *keysym = ResolvedKeysym(event);
    return TextFromKeysym(*keysym);
  }
  char small[64];
  Status status = 0;
  KeySym found = NoSymbol;
  int length = Xutf8LookupString(context, &event, small, sizeof small, &found, &status);
  std::string text;
  if (status == XBufferOverflow) {
    // A long composed string: ask again with room for all of it.
    text.resize(static_cast<size_t>(length));
    length = Xutf8LookupString(context, &event, text.data(), length, &found, &status);
    text.resize(status == XLookupChars || status == XLookupBoth ? static_cast<size_t>(length) : 0);
  } else if (status == XLookupChars || status == XLookupBoth) {
    text.assign(small, static_cast<size_t>(length));
  }
  if (status == XLookupKeySym || status == XLookupBoth) *keysym = found;
  if (*keysym == NoSymbol) *keysym = ResolvedKeysym(event);
  return text;
}

X11Keyboard::Key X11Keyboard::TranslatePress(XKeyEvent& event, XIC context) {
  Key key;
  KeySym keysym = NoSymbol;
  key.text = WithoutControlCharacters(LookupText(event, context, &keysym));
  key.virtualKey = VirtualKeyForEvent(event, keysym);
  const unsigned code = event.keycode & 0xFF;
  key.repeat = held_.test(code);
  held_.set(code);
  return key;
}

int X11Keyboard::TranslateRelease(XKeyEvent& event) {
  held_.reset(event.keycode & 0xFF);
  return VirtualKeyForEvent(event, ResolvedKeysym(event));
}

void X11Keyboard::ForgetReleasedKeys() {
  char keys[32] = {};
  XQueryKeymap(display_, keys);
  for (size_t code = 0; code < held_.size(); ++code)
    if (held_.test(code) && !(static_cast<unsigned char>(keys[code / 8]) & (1u << (code % 8))))
      held_.reset(code);
}

}  // namespace platform::x11
