#pragma once
// TsBoundLabel: the caption label an edit can carry beside or above itself, published as the
// edit's BoundLabel. While Active it owns a TsEditLabel placed on the edit's parent, next to the
// edit as Layout says, and keeps it there, visible and enabled as the edit is.

#include <memory>
#include <string>

#include "framework/classes/Persistent.h"
#include "framework/graphics/Font.h"
#include "skin/controls/sLabel.h"

namespace framework {
class TWinControl;
}  // namespace framework

namespace skin {

class TsCommonData;
class TsBoundLabel;

enum TsCaptionLayout { sclLeft, sclTopLeft, sclTopCenter, sclTopRight };

// The label a bound label makes; it tells its bound label when it goes.
class TsEditLabel : public TsLabel {
 public:
  TsEditLabel(framework::TComponent* owner, TsBoundLabel* boundLabel);
  ~TsEditLabel() override;
  DECLARE_CLASS_INFO()

 private:
  friend class TsBoundLabel;
  TsBoundLabel* boundLabel_;
};

class TsBoundLabel : public framework::TPersistent {
 public:
  // edit is the control the label belongs to (it owns the label); skinData its binding.
  TsBoundLabel(framework::TWinControl* edit, TsCommonData* skinData);
  ~TsBoundLabel() override;
  DECLARE_CLASS_INFO()

  bool Active() const { return theLabel_ != nullptr; }
  void SetActive(bool value);
  // An empty caption shows the edit's name.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  int Indent() const { return indent_; }
  void SetIndent(int value);
  TsCaptionLayout Layout() const { return layout_; }
  void SetLayout(TsCaptionLayout value);
  // Above 0: the label wraps its words within this width.
  int MaxWidth() const { return maxWidth_; }
  void SetMaxWidth(int value);
  // The label's font while it exists, else the font it will be given.
  framework::TFont* Font() const;
  void SetFont(const framework::TFont* font);

  // The label, or nullptr while inactive.
  TsEditLabel* TheLabel() const { return theLabel_; }
  TsCommonData* SkinData() const { return skinData_; }

  // Places the label next to the edit as Layout, Indent and MaxWidth say.
  void AlignLabel();
  // The label follows the edit's visibility, enabled state and reading order.
  void UpdateVisibility();
  void UpdateEnabled();
  void UpdateBiDiMode();

 private:
  friend class TsEditLabel;
  void UpdateCaption();

  framework::TWinControl* edit_;
  TsCommonData* skinData_;
  TsEditLabel* theLabel_ = nullptr;
  std::string caption_;
  int indent_ = 0;
  TsCaptionLayout layout_ = sclLeft;
  int maxWidth_ = 0;
  std::unique_ptr<framework::TFont> font_;
};

}  // namespace skin
