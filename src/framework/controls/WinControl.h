#pragma once
// TWinControl: a control with a window of its own, made when first needed; it holds child
// controls, takes the keyboard focus, paints its non-windowed children, and routes mouse messages
// to them.

#include <string>
#include <vector>

#include "framework/controls/Control.h"
#include "platform/drawing/DeviceContext.h"
#include "platform/windows/Window.h"

namespace framework {

struct TCreateParams {
  std::string Caption;
  uint32_t Style = 0;
  uint32_t ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  std::string WinClassName;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  DECLARE_CLASS_INFO()

  TWinControl* AsWinControl() override { return this; }
  const TWinControl* AsWinControl() const override { return this; }

  // The window, made on demand (with its parent's first).
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  void DestroyHandle();
  void RecreateWnd();

  // Child controls, windowed and not, bottom of the z-order first.
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
  const std::vector<TControl*>& ControlList() const { return controls_; }
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  // The visible enabled child control at a client point (non-windowed ones on top, as drawn).
  TControl* ControlAtPos(TPoint point, bool allowDisabled, bool allowWinControls = false) const;
  bool ContainsControl(const TControl* control) const;

  // Focus and tab order.
  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool v);
  virtual bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();
  // Every focusable descendant in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  // The next (or previous) control after current in tab order, wrapping around.
  TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                               bool checkParent) const;
  void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

  // Sends a message to every child control, in order.
  void Broadcast(TMessage& message);
  void NotifyControls(UINT msg);

  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  void Invalidate() override;
  void Update() override;
  void SetBounds(int left, int top, int width, int height) override;
  void GetChildren(const std::function<void(TComponent*)>& proc,
                   const TComponent* root) const override;
  void Loaded() override;

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // The procedure the window was made with; the framework's controls call it for what they leave
  // to the system (kept so a replaced procedure can reach it).
  platform::WNDPROC DefWndProc;

 protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  // Paints the control's own face (TCustomControl calls Paint); the children come after.
  virtual void PaintWindow(platform::HDC dc);
  // The paint handling of WM_PAINT: own face, then the non-windowed children over it.
  void PaintHandler(TMessage& message);
  // The client area on dc: the control's own picture (its context state kept from the children),
  // then its non-windowed children. WM_PAINT and WM_PRINTCLIENT both paint through it.
  void PaintClient(platform::HDC dc);
  void PaintControls(platform::HDC dc, TControl* first);
  virtual void AlignControls(TControl* control, TRect& rect);
  void Realign();
  virtual bool DoKeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyUp(uint16_t& key, TShiftState shift);
  virtual void KeyPress(char32_t& key);
  // Whether the control wants a key that the form would otherwise use for navigation.
  virtual bool WantsKey(uint16_t key) const;
  void UpdateBoundsRect() override;
  // The children first, with alignment held until the control itself has its new size.
  void ChangeScale(int m, int d) override;
  void ShowControl(TControl* control);

 private:
  static LRESULT MainWndProc(TWinControl* self, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  bool RouteMouseToChild(TMessage& message);
  // The keyboard's messages: the form's preview, the dialog keys (Tab, Enter, Esc), the control.
  void KeyDownHandler(TMessage& message);
  void KeyUpHandler(TMessage& message);
  void CharHandler(TMessage& message);
  void TrackMouseOver(TControl* now);
  // Puts the windowed children in the tab order their descriptions asked for.
  void FixupTabList();

  friend class TControl;
  HWND handle_ = nullptr;
  std::vector<TControl*> controls_;    // z-order, bottom first
  std::vector<TWinControl*> tabList_;  // windowed children in tab order
  bool tabStop_ = false;
  int requestedTabOrder_ = 0;
  TControl* mouseControl_ = nullptr;  // non-windowed child under the pointer
  int alignLevel_ = 0;
};

}  // namespace framework
