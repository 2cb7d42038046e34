#include "skin/paint/sImageListGlyph.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/paint/sTexture.h"

namespace skin {

platform::TSize ImageListCellSize(const framework::TCustomImageList& images) {
  return {images.Width() / 3, images.Height() / 2};
}

void DrawImageListGlyph(framework::TBitmap* bitmap, const TRect& target, int k,
                        const framework::TCustomImageList& images, int index,
                        const TCacheInfo& info) {
  if (!bitmap || index < 0 || index >= images.Count()) return;
  const platform::TSize cell = ImageListCellSize(images);
  if (cell.cx < 1 || cell.cy < 1) return;
  // The whole picture, so that the hot and pressed cells are there to be taken.
  framework::TBitmap picture(images.Width(), images.Height());
  framework::TCanvas* canvas = picture.Canvas();
  canvas->Brush()->SetColor(kKeyColor);
  canvas->FillRect({0, 0, images.Width(), images.Height()});
  images.Draw(canvas, 0, 0, index);
  const TRect source{k * cell.cx, 0, (k + 1) * cell.cx, cell.cy};
  PutMaskedFromBitmap({target.Left, target.Top, target.Left + cell.cx, target.Top + cell.cy},
                      source, bitmap, true, info, &picture);
}

}  // namespace skin
