#pragma once
// TImage: shows a picture (a bitmap, JPEG image or icon) without a window of its own. The picture
// is drawn at its own size at the top-left corner, or stretched to the control with Stretch
// (Proportional: scaled down to fit, keeping its shape), or centred with Center. With AutoSize the
// control takes the picture's size whenever the picture changes. Transparent is handed to
// bitmaps (icons are always drawn through their mask).

#include <memory>

#include "framework/controls/GraphicControl.h"

namespace framework {

class TPicture;

class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* owner);
  ~TImage() override;
  DECLARE_CLASS_INFO()

  TPicture* Picture() const { return picture_.get(); }
  void SetPicture(const TPicture* picture);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  bool Center() const { return center_; }
  void SetCenter(bool v);
  bool Proportional() const { return proportional_; }
  void SetProportional(bool v);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);

  // Where the picture is drawn, in the control's coordinates.
  TRect DestRect() const;

 protected:
  void Paint() override;

 private:
  void PictureChanged();

  std::unique_ptr<TPicture> picture_;
  bool autoSize_ = false;
  bool center_ = false;
  bool proportional_ = false;
  bool stretch_ = false;
  bool transparent_ = false;
  bool drawing_ = false;
};

}  // namespace framework
