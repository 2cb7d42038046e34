#include "framework/graphics/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "framework/classes/ClassBuilder.h"
#include "framework/graphics/Canvas.h"
#include "platform/drawing/TransparentBlt.h"
#include "platform/images/ImageCodecs.h"

namespace framework {

using platform::DIBitmap;
using platform::RGBQuad;

// The canvas of a bitmap: its context is made over the bitmap's pixels on first use and started
// afresh whenever the pixels are replaced.
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}

  void Rebind() {
    if (platform::DeviceContext* dc = OwnedContext()) *dc = platform::DeviceContext(&bitmap_.DIB());
  }

 protected:
  void CreateHandle() override {
    AdoptHandle(std::make_unique<platform::DeviceContext>(&bitmap_.DIB()));
  }

 private:
  TBitmap& bitmap_;
};

namespace {

int BitsFor(TPixelFormat format) {
  switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pfDevice:
    case pf24bit: return 24;
    case pf32bit: return 32;
    default: throw EInvalidGraphic("Bitmap format is not supported");
  }
}

std::vector<RGBQuad> DefaultPalette(int bits) {
  std::vector<RGBQuad> palette;
  if (bits == 1) {
    palette = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  } else if (bits == 4) {
    const platform::TColor colors[16] = {
        platform::clBlack, platform::clMaroon,  platform::clGreen, platform::clOlive,
        platform::clNavy,  platform::clPurple,  platform::clTeal,  platform::clSilver,
        platform::clGray,  platform::clRed,     platform::clLime,  platform::clYellow,
        platform::clBlue,  platform::clFuchsia, platform::clAqua,  platform::clWhite};
    for (platform::TColor c : colors)
      palette.push_back(
          {platform::GetBValue(c), platform::GetGValue(c), platform::GetRValue(c), 0});
  } else {
    for (int i = 0; i < 256; ++i) {
      const auto v = static_cast<uint8_t>(i);
      palette.push_back({v, v, v, 0});
    }
  }
  return palette;
}

// The same indices in a deeper indexed format; the palette is kept.
DIBitmap ExpandedIndices(const DIBitmap& source, int bits) {
  DIBitmap result(source.Width(), source.Height(), bits, source.Order());
  result.SetPalette(source.Palette());
  const int from = source.BitsPerPixel();
  const int perByte = 8 / from;
  const unsigned mask = (1u << from) - 1;
  for (int y = 0; y < source.Height(); ++y) {
    const uint8_t* in = source.ScanLine(y);
    uint8_t* out = result.ScanLine(y);
    for (int x = 0; x < source.Width(); ++x) {
      const int shift = 8 - from * (x % perByte + 1);
      const auto index = static_cast<uint8_t>((in[x / perByte] >> shift) & mask);
      if (bits == 8) {
        out[x] = index;
      } else {  // 1 to 4 bits
        out[x >> 1] = static_cast<uint8_t>((x & 1) ? (out[x >> 1] | index) : (index << 4));
      }
    }
  }
  return result;
}

// Paints the pixels outside the old width and height in the colour (24 and 32 bits only).
void FillNewArea(DIBitmap& dib, int oldWidth, int oldHeight, platform::TColor color) {
  const int bpp = dib.BitsPerPixel() / 8;
  if (bpp < 3) return;
  const uint8_t b = platform::GetBValue(color), g = platform::GetGValue(color),
                r = platform::GetRValue(color);
  for (int y = 0; y < dib.Height(); ++y) {
    const int from = y < oldHeight ? std::min(oldWidth, dib.Width()) : 0;
    uint8_t* p = dib.ScanLine(y) + static_cast<ptrdiff_t>(from) * bpp;
    for (int x = from; x < dib.Width(); ++x, p += bpp) {
      p[0] = b;
      p[1] = g;
      p[2] = r;
      if (bpp == 4) p[3] = 0;
    }
  }
}

}  // namespace

const TClassInfo& TBitmap::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TBitmap>("TBitmap", TGraphic::StaticClassInfo())
                                     .Binary("Data", &TBitmap::WriteData, &TBitmap::ReadData);
  return info;
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) : dib_(0, 0, BitsFor(format)) {
  if (format == pf1bit || format == pf4bit || format == pf8bit)
    dib_.SetPalette(DefaultPalette(dib_.BitsPerPixel()));
  SetSize(width, height);
}

TBitmap::~TBitmap() = default;

std::unique_ptr<TGraphic> TBitmap::NewOfSameClass() const { return std::make_unique<TBitmap>(); }

void TBitmap::SetSize(int width, int height) {
  if (width == dib_.Width() && height == dib_.Height()) return;
  const int oldWidth = dib_.Width(), oldHeight = dib_.Height();
  dib_.Resize(width, height);
  const platform::TColor fill = canvas_ && canvas_->Brush()->Style() == bsSolid
                                    ? platform::ColorToRGB(canvas_->Brush()->Color())
                                    : platform::clWhite;
  FillNewArea(dib_, oldWidth, oldHeight, fill);
  ImageChanged();
}

TPixelFormat TBitmap::PixelFormat() const {
  switch (dib_.BitsPerPixel()) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 32: return pf32bit;
    default: return pf24bit;
  }
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  const int bits = BitsFor(format);
  const int current = dib_.BitsPerPixel();
  if (bits == current) return;
  if (bits >= 24) {
    dib_ = dib_.Empty() ? DIBitmap(dib_.Width(), dib_.Height(), bits, dib_.Order())
                        : dib_.ConvertedTo(bits);
  } else if (dib_.Empty()) {
    DIBitmap converted(dib_.Width(), dib_.Height(), bits, dib_.Order());
    converted.SetPalette(DefaultPalette(bits));
    dib_ = std::move(converted);
  } else if (current < bits) {
    dib_ = ExpandedIndices(dib_, bits);
  } else {
    throw EInvalidGraphic("Bitmap format is not supported");
  }
  ImageChanged();
}

uint8_t* TBitmap::ScanLine(int y) {
  if (y < 0 || y >= dib_.Height()) throw EInvalidGraphic("Scan line index out of range");
  return dib_.ScanLine(y);
}

const uint8_t* TBitmap::ScanLine(int y) const {
  if (y < 0 || y >= dib_.Height()) throw EInvalidGraphic("Scan line index out of range");
  return dib_.ScanLine(y);
}

TCanvas* TBitmap::Canvas() {
  if (!canvas_) {
    canvas_ = std::make_unique<TBitmapCanvas>(*this);
    canvas_->OnChange = [this](TObject*) { Changed(); };
  }
  return canvas_.get();
}

platform::TColor TBitmap::TransparentColor() const {
  if (transparentMode_ == tmFixed) return transparentColor_;
  if (dib_.Empty()) return platform::clDefault;
  return dib_.Pixel(0, dib_.Height() - 1);
}

void TBitmap::SetTransparentColor(platform::TColor color) {
  const TTransparentMode mode = color == platform::clDefault ? tmAuto : tmFixed;
  if (color == transparentColor_ && mode == transparentMode_) return;
  transparentColor_ = color;
  transparentMode_ = mode;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
  if (mode == transparentMode_) return;
  if (mode == tmAuto) transparentColor_ = platform::clDefault;
  // A fixed mode starts from the colour the automatic one gave.
  else
    transparentColor_ = TransparentColor();
  transparentMode_ = mode;
  Changed();
}

void TBitmap::SetDIB(DIBitmap dib) {
  dib_ = std::move(dib);
  ImageChanged();
}

void TBitmap::Assign(const TPersistent* source) {
  if (!source) {
    dib_ = DIBitmap();
    ImageChanged();
    return;
  }
  const auto* bitmap = dynamic_cast<const TBitmap*>(source);
  if (!bitmap) {
    TGraphic::Assign(source);
    return;
  }
  if (bitmap == this) return;
  dib_ = bitmap->dib_;
  transparentColor_ = bitmap->transparentColor_;
  transparentMode_ = bitmap->transparentMode_;
  if (Transparent() != bitmap->Transparent()) SetTransparent(bitmap->Transparent());
  ImageChanged();
}

void TBitmap::Draw(TCanvas& canvas, const platform::TRect& rect) {
  if (dib_.Empty()) return;
  HDC dst = canvas.Handle();
  // Contexts copy from 24- and 32-bit pixels only: indexed bitmaps are drawn through a copy.
  DIBitmap converted = dib_.BitsPerPixel() < 24 ? dib_.ConvertedTo(24) : DIBitmap();
  platform::DeviceContext source(dib_.BitsPerPixel() < 24 ? &converted : &dib_);
  const int w = dib_.Width(), h = dib_.Height();
  if (Transparent()) {
    platform::TransparentBlt(dst, rect.Left, rect.Top, rect.Width(), rect.Height(), &source, 0, 0,
                             w, h, TransparentColor());
  } else if (rect.Width() == w && rect.Height() == h) {
    platform::BitBlt(dst, rect.Left, rect.Top, w, h, &source, 0, 0, platform::SRCCOPY);
  } else {
    platform::StretchBlt(dst, rect.Left, rect.Top, rect.Width(), rect.Height(), &source, 0, 0, w, h,
                         platform::SRCCOPY);
  }
}

void TBitmap::LoadFromStream(const uint8_t* data, size_t size) {
  dib_ = size == 0 ? DIBitmap() : platform::ReadBmp(data, size);
  ImageChanged();
}

void TBitmap::SaveToStream(std::vector<uint8_t>& stream) const {
  if (dib_.Empty()) return;
  const std::vector<uint8_t> file = platform::WriteBmp(dib_);
  stream.insert(stream.end(), file.begin(), file.end());
}

void TBitmap::ReadData(const std::vector<uint8_t>& data) {
  LoadFromStream(WithoutLengthPrefix(data));
}

std::vector<uint8_t> TBitmap::WriteData() const {
  std::vector<uint8_t> stream;
  SaveToStream(stream);
  return WithLengthPrefix(stream);
}

void TBitmap::ImageChanged() {
  if (canvas_) canvas_->Rebind();
  Changed();
}

}  // namespace framework
