#pragma once
// Keyboard input: the input method (so composed and dead-key characters arrive as text), the
// translation of key events into virtual keys, typed text and a repeat flag.

#include <X11/Xlib.h>

#include <bitset>
#include <string>

namespace platform::x11 {

// The Windows virtual key for a keysym, or 0 when the program has none for it.
int VirtualKeyFromKeysym(KeySym keysym);

// Drops control characters (C0, DEL and C1) from UTF-8 text: they are keys, never typed text.
std::string WithoutControlCharacters(const std::string& utf8);

class X11Keyboard {
 public:
  struct Key {
    int virtualKey = 0;   // 0: no virtual key for it
    bool repeat = false;  // the key was already down (auto-repeat)
    std::string text;     // typed text, UTF-8 without control characters; may be empty
  };

  // Asks the server for detectable auto-repeat, so held keys give presses without releases in
  // between. The input method is opened with the first input context: reading the locale's
  // compose table is a large share of a start, and a window needs it only once it has the
  // keyboard.
  explicit X11Keyboard(Display* display);
  ~X11Keyboard();
  X11Keyboard(const X11Keyboard&) = delete;
  X11Keyboard& operator=(const X11Keyboard&) = delete;

  // An input context for a top-level window (nullptr when there is no input method) and the
  // events the window must select for the input method to work. The first call opens the input
  // method (falling back to the built-in one, then to none).
  XIC CreateContext(::Window window);
  static void DestroyContext(XIC context);
  static long ContextEventMask(XIC context);
  static void SetContextFocus(XIC context, bool focused);

  Key TranslatePress(XKeyEvent& event, XIC context);
  int TranslateRelease(XKeyEvent& event);
  // The keyboard left the program: no key counts as held any more.
  void ForgetHeldKeys() { held_.reset(); }
  // Forgets the keys the server says are up: a release sent to a window that is gone (a synthetic
  // press whose release found no window) never reaches us, and the key's next press is no repeat.
  void ForgetReleasedKeys();

 private:
  std::string LookupText(XKeyEvent& event, XIC context, KeySym* keysym);
  void OpenInputMethod();

  Display* display_;
  XIM inputMethod_ = nullptr;
  bool inputMethodTried_ = false;
  std::bitset<256> held_;  // keycodes pressed and not yet released
};

}  // namespace platform::x11
