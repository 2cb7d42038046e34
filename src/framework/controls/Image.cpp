#include "framework/controls/Image.h"

#include <utility>

#include "framework/classes/ClassBuilder.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/Picture.h"

namespace framework {

const TClassInfo& TImage::StaticClassInfo() {
  using C = TImage;
  static const TClassInfo info =
      TClassBuilder<C>("TImage", TGraphicControl::StaticClassInfo())
          .Creatable()
          .Boolean("AutoSize", &C::AutoSize, &C::SetAutoSize, false)
          .Boolean("Center", &C::Center, &C::SetCenter, false)
          .Object("Picture", &C::Picture)
          .Boolean("Proportional", &C::Proportional, &C::SetProportional, false)
          .Boolean("Stretch", &C::Stretch, &C::SetStretch, false)
          .Boolean("Transparent", &C::Transparent, &C::SetTransparent, false);
  return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
  SetControlStyle(ControlStyle() | csReplicatable);
  picture_->OnChange = [this](TObject*) { PictureChanged(); };
  SetBounds(0, 0, 105, 105);
}

TImage::~TImage() {
  // The picture outlives nothing that would call back into a half-destroyed control.
  picture_->OnChange = nullptr;
}

void TImage::SetPicture(const TPicture* picture) { picture_->Assign(picture); }

void TImage::SetAutoSize(bool v) {
  if (v == autoSize_) return;
  autoSize_ = v;
  if (v) PictureChanged();
}

void TImage::SetCenter(bool v) {
  if (v == center_) return;
  center_ = v;
  PictureChanged();
}

void TImage::SetProportional(bool v) {
  if (v == proportional_) return;
  proportional_ = v;
  PictureChanged();
}

void TImage::SetStretch(bool v) {
  if (v == stretch_) return;
  stretch_ = v;
  PictureChanged();
}

void TImage::SetTransparent(bool v) {
  if (v == transparent_) return;
  transparent_ = v;
  PictureChanged();
}

TRect TImage::DestRect() const {
  int w = picture_->Width();
  int h = picture_->Height();
  const int cw = ClientWidth();
  const int ch = ClientHeight();
  if (stretch_ || (proportional_ && (w > cw || h > ch))) {
    if (proportional_ && w > 0 && h > 0) {
      // The largest size of the picture's shape that fits (64 bits: no overflow for big pictures).
      const int64_t byWidth = static_cast<int64_t>(h) * cw / w;
      if (byWidth <= ch) {
        h = static_cast<int>(byWidth);
        w = cw;
      } else {
        w = static_cast<int>(static_cast<int64_t>(w) * ch / h);
        h = ch;
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r{0, 0, w, h};
  if (center_) r = r.Translated((cw - w) / 2, (ch - h) / 2);
  return r;
}

void TImage::PictureChanged() {
  if (autoSize_ && picture_->Width() > 0 && picture_->Height() > 0)
    SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
  TGraphic* graphic = picture_->Graphic();
  bool opaque = false;
  if (graphic) {
    if (!dynamic_cast<TIcon*>(graphic)) graphic->SetTransparent(transparent_);
    const TRect d = DestRect();
    // A picture that covers the whole control hides what lies under it.
    opaque = !graphic->Transparent() && !dynamic_cast<TIcon*>(graphic) && d.Left <= 0 &&
             d.Top <= 0 && d.Right >= Width() && d.Bottom >= Height();
  }
  SetControlStyle(opaque ? ControlStyle() | csOpaque : ControlStyle() & ~csOpaque);
  if (!drawing_) Invalidate();
}

void TImage::Paint() {
  // Set while drawing (a picture that changes then must not invalidate), and back to what it was
  // however drawing ends.
  struct Drawing {
    bool& flag;
    const bool was;
    ~Drawing() { flag = was; }
  } drawing{drawing_, std::exchange(drawing_, true)};
  Canvas()->StretchDraw(DestRect(), picture_->Graphic());
}

}  // namespace framework
