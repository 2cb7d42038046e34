#pragma once
// TsEdit: the skinned single-line edit. While its binding is skinned, an edit that is neither
// focused nor under the mouse shows its whole face, text included, from its cache (section "EDIT"
// by default); while hot, only its two-pixel frame comes from the cache and the class library's
// edit draws the text area itself, so caret, selection and scrolling work as ever. Loading gives
// the edit the section's colour and text colour. Without an active skin it is the class library's
// edit.

#include <cstdint>
#include <memory>

#include "framework/controls/CustomEdit.h"
#include "skin/controls/sBoundLabel.h"
#include "skin/controls/sSkinned.h"
#include "skin/paint/sPaintParams.h"

namespace skin {

class TsEdit : public TsSkinned<framework::TEdit> {
 public:
  explicit TsEdit(framework::TComponent* owner);
  DECLARE_CLASS_INFO()

  TsBoundLabel* BoundLabel() const { return boundLabel_.get(); }

  void WndProc(framework::TMessage& message) override;

  // Composes the face in the current state, then the text, into the cache.
  void RenderCache() override;

 protected:
  // While skinned: the selected text in the section's colours, mixed to be read at ease.
  void GetSelectionColors(platform::TColor& back, platform::TColor& text) const override;

 private:
  void DrawTextIntoCache(TsLook look);
  // The whole face from the cache (not hot).
  void FullPaint();
  // The frame from the cache; the text area is left to the class library's edit (hot).
  void FramePaint();
  // A new skin, its removal or a refresh from the binding's manager.
  void SkinAnnounced(uint16_t command, framework::TMessage& message) override;
  bool OwnSkinCommand(framework::TMessage& message) override;
  // Before the inherited handling; true when the message must not go on.
  bool HandleSkinnedBefore(framework::TMessage& message);
  void HandleSkinnedAfter(const framework::TMessage& message, bool wasHot);
  void FollowWithBoundLabel(const framework::TMessage& message);

  // Goes before the binding (the label reads it).
  std::unique_ptr<TsBoundLabel> boundLabel_;
};

}  // namespace skin
