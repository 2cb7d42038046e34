#pragma once
// TBitmap: a device-independent bitmap that canvases draw on and from.
//
// The pixels are a platform::DIBitmap, 24 bits per pixel unless PixelFormat says otherwise, rows
// bottom-up as Windows keeps them, so ScanLine(1) - ScanLine(0) is negative. HandleType exists so
// that code can ask for bmDIB; every bitmap here is one, and asking for bmDDB changes nothing.
//
// The canvas (made on first use) draws into the bitmap through a context of its own; it follows
// the bitmap when it is resized, converted, loaded or assigned (the context then starts afresh:
// no clip, origins at 0, as a newly made one). Drawing on the canvas tells the bitmap's OnChange.
// A canvas draws only on 24- and 32-bit bitmaps: on 1-, 4- and 8-bit ones it draws nothing.
//
// New pixels (a bitmap made larger) take the colour of the canvas's brush, white when there is
// no canvas yet, as the VCL fills them; on 1-, 4- and 8-bit bitmaps they are index 0.

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/graphics/Graphic.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/DIBitmap.h"

namespace framework {

enum TPixelFormat {
  pfDevice,
  pf1bit,
  pf4bit,
  pf8bit,
  pf15bit,
  pf16bit,
  pf24bit,
  pf32bit,
  pfCustom
};
enum TBitmapHandleType { bmDIB, bmDDB };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmapCanvas;

class TBitmap : public TGraphic {
 public:
  TBitmap();
  TBitmap(int width, int height, TPixelFormat format = pf24bit);
  ~TBitmap() override;

  DECLARE_CLASS_INFO()
  std::unique_ptr<TGraphic> NewOfSameClass() const override;

  int Width() const override { return dib_.Width(); }
  int Height() const override { return dib_.Height(); }
  // Keep the pixels both sizes share, counted from the top left. Sizes beyond DIBitmap's limits
  // raise EOutOfResources, negative ones EInvalidGraphic.
  void SetWidth(int width) override { SetSize(width, Height()); }
  void SetHeight(int height) override { SetSize(Width(), height); }
  void SetSize(int width, int height);
  bool Empty() const override { return dib_.Empty(); }

  // Conversions: to pf24bit and pf32bit (pfDevice is pf24bit) from any depth; to pf1bit, pf4bit
  // and pf8bit from an empty bitmap (given a grey ramp, the 16 standard colours, or black and
  // white) or from a shallower indexed one (indices and palette kept). Anything else, reducing
  // colours or pf15bit, pf16bit, pfCustom, raises EInvalidGraphic "Bitmap format is not
  // supported" and leaves the bitmap as it was.
  TPixelFormat PixelFormat() const;
  void SetPixelFormat(TPixelFormat format);
  TBitmapHandleType HandleType() const { return bmDIB; }
  void SetHandleType(TBitmapHandleType) {}

  // Row y counted from the top; EInvalidGraphic "Scan line index out of range" outside.
  uint8_t* ScanLine(int y);
  const uint8_t* ScanLine(int y) const;

  TCanvas* Canvas();

  // Transparent drawing leaves out the pixels of TransparentColor: with tmAuto, the colour of the
  // bottom-left pixel (clDefault while the bitmap is empty); setting a colour makes the mode
  // tmFixed, and setting clDefault makes it tmAuto again.
  platform::TColor TransparentColor() const;
  void SetTransparentColor(platform::TColor color);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode mode);

  // The pixels themselves. Changes made through DIB() are not announced (call Modified()).
  const platform::DIBitmap& DIB() const { return dib_; }
  platform::DIBitmap& DIB() { return dib_; }
  // Takes another picture's pixels, any depth.
  void SetDIB(platform::DIBitmap dib);
  // Tells OnChange (after changing pixels behind the bitmap's back).
  void Modified() { Changed(); }

  // From a TBitmap: a deep copy of pixels and transparency settings; nullptr empties the bitmap;
  // JPEG images and icons assign themselves.
  void Assign(const TPersistent* source) override;

  // Stretched to the rectangle when its size differs (StretchBlt's nearest-pixel rule); with
  // Transparent, pixels of TransparentColor leave the canvas as it was.
  void Draw(TCanvas& canvas, const platform::TRect& rect) override;

  // BMP files of any depth the platform reads (the depth and palette are kept); saved as BMP
  // (32-bit bitmaps as 24-bit, 1- and 4-bit ones as 8-bit).
  using TGraphic::LoadFromStream;
  void LoadFromStream(const uint8_t* data, size_t size) override;
  void SaveToStream(std::vector<uint8_t>& stream) const override;
  // Description data: a 32-bit length, then the BMP file.
  void ReadData(const std::vector<uint8_t>& data) override;
  std::vector<uint8_t> WriteData() const override;

 private:
  // After the pixels were replaced: the canvas follows, and OnChange is told.
  void ImageChanged();

  platform::DIBitmap dib_;
  std::unique_ptr<TBitmapCanvas> canvas_;
  platform::TColor transparentColor_ = platform::clDefault;
  TTransparentMode transparentMode_ = tmAuto;
};

}  // namespace framework
