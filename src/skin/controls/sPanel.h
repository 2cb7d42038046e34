#pragma once
// TsPanel: the skinned container. While its binding is skinned it paints itself from its section
// ("PANEL" by default) into its cache and copies that to the screen, and serves the cache as the
// background of the skinned controls placed on it; painting waits until its parent has painted.
// A panel is never hot, so its look changes only with the skin, its size and its caption. Without
// an active skin it is the class library's panel.

#include <functional>
#include <memory>

#include "framework/controls/Panel.h"
#include "skin/controls/sSkinned.h"

namespace framework {
class TCanvas;
}  // namespace framework

namespace skin {

// A paint event that gives the canvas to draw on (for a skinned panel: the cache's).
using TPaintEvent = std::function<void(framework::TObject* sender, framework::TCanvas* canvas)>;

class TsPanel : public TsSkinned<framework::TPanel> {
 public:
  explicit TsPanel(framework::TComponent* owner);
  DECLARE_CLASS_INFO()

  TPaintEvent OnPaint;

  void WndProc(framework::TMessage& message) override;

 protected:
  // Unskinned: the panel's own look, or the OnPaint handler alone when one is set.
  void Paint() override;
  void PaintWindow(platform::HDC dc) override;

 private:
  // Renders (when dirty) and shows the panel on dc, then lets the children paint.
  void PaintSkinned(platform::HDC dc);
  // Composes the face and the caption into the cache.
  void RenderCache() override;
  void WriteCaption();
  // A skin change is passed on to the controls on the panel, whichever manager sent it.
  void SkinAnnounced(uint16_t command, framework::TMessage& message) override;
  void HandleSkinnedMessage(framework::TMessage& message);
};

}  // namespace skin
