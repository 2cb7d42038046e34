// make_icon: draws the program's icon and writes it where the program and the docs take it from.
//
//   make_icon <repository root>
//
// writes src/app/Snipwell.picture (a picture's "Data" value holding the icon, as the main form's
// description stores it) and, for review, docs/icon.png (1:1) and docs/icon-8x.png (8x, nearest
// neighbour), both over the colour the icon mostly sits on. Run it by hand after changing the
// drawing; the build never runs it, so the committed icon only changes when someone means it to.
//
// The icon is a stack of three index cards: two ice-blue cards peek out behind a white front card
// that carries lines of text, one of them picked out in bright azure, as the snippet under the
// pointer is. Shapes are rounded rectangles with edges on whole pixels, so straight edges stay
// crisp; only the corners are antialiased, by 4 x 4 supersampling. The mask has one bit, so the
// antialiasing blends toward the light blue-grey behind the icon rather than toward black.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "framework/graphics/Icon.h"
#include "framework/graphics/Picture.h"
#include "platform/Exception.h"
#include "platform/drawing/DIBitmap.h"
#include "platform/drawing/DeviceContext.h"
#include "platform/images/ImageCodecs.h"

namespace {

using platform::DIBitmap;

constexpr int kSize = 48;
constexpr int kSamples = 4;  // per side of a pixel
// A pixel is opaque when at least this share of its samples falls inside the drawing: thinner
// slivers would only show as a fringe of the expected background on any other one.
constexpr int kOpaqueSamples = 4;

struct Rgb {
  double r, g, b;
};

// The light blue-grey of the "ice blue" skin's bar, which the icon sits on.
constexpr Rgb kBackground{207, 222, 238};

struct RoundRect {
  double left, top, right, bottom, radius;

  bool Contains(double x, double y) const {
    if (x < left || x >= right || y < top || y >= bottom) return false;
    const double cx = std::clamp(x, left + radius, right - radius);
    const double cy = std::clamp(y, top + radius, bottom - radius);
    const double dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy <= radius * radius;
  }
  RoundRect Inset(double by) const {
    return {left + by, top + by, right - by, bottom - by, std::max(0.0, radius - by)};
  }
};

// One painted shape: a vertical gradient from `top` to `bottom` over the shape's own height,
// optionally clipped to a second shape. Later layers cover earlier ones.
struct Layer {
  RoundRect shape;
  Rgb top;
  Rgb bottom;
  bool clipped = false;
  RoundRect clip{};

  bool Contains(double x, double y) const {
    return shape.Contains(x, y) && (!clipped || clip.Contains(x, y));
  }
  Rgb ColorAt(double y) const {
    const double t = std::clamp((y - shape.top) / (shape.bottom - shape.top), 0.0, 1.0);
    return {top.r + (bottom.r - top.r) * t, top.g + (bottom.g - top.g) * t,
            top.b + (bottom.b - top.b) * t};
  }
};

Layer Solid(RoundRect shape, Rgb color) { return {shape, color, color}; }

// A card: a 1-pixel outline, a body shaded slightly darker toward the bottom, and a 1-pixel
// lighter line along the inside of its top edge that gives it a lit edge.
void AddCard(std::vector<Layer>& layers, RoundRect card, Rgb outline, Rgb bodyTop, Rgb bodyBottom,
             Rgb sheen) {
  layers.push_back(Solid(card, outline));
  const RoundRect body = card.Inset(1);
  layers.push_back({body, bodyTop, bodyBottom});
  Layer edge = Solid({body.left, body.top, body.right, body.top + 1, 0}, sheen);
  edge.clipped = true;
  edge.clip = body;
  layers.push_back(edge);
}

std::vector<Layer> Scene() {
  const Rgb outline{44, 78, 124};
  std::vector<Layer> layers;
  // Back to front, each card 4 pixels down and left of the one behind it.
  AddCard(layers, {10, 6, 46, 34, 4}, outline, {126, 168, 214}, {104, 146, 196}, {164, 198, 234});
  AddCard(layers, {6, 10, 42, 38, 4}, outline, {176, 206, 238}, {152, 188, 226}, {210, 230, 250});
  AddCard(layers, {2, 14, 38, 42, 4}, outline, {255, 255, 255}, {226, 236, 248}, {255, 255, 255});

  // The front card's text: a title line, the picked-out snippet, and two shorter lines.
  const Rgb ink{64, 96, 140};
  const Rgb softInk{128, 154, 190};
  layers.push_back(Solid({7, 18, 27, 20, 0}, ink));
  layers.push_back({{5, 23, 35, 29, 2}, {40, 160, 255}, {0, 120, 235}});
  layers.push_back(Solid({7, 25, 30, 27, 0}, {255, 255, 255}));
  layers.push_back(Solid({7, 32, 31, 34, 0}, softInk));
  layers.push_back(Solid({7, 36, 22, 38, 0}, softInk));
  return layers;
}

uint8_t Channel(double v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 255.0))); }

// Renders the scene: colours averaged over the samples, those outside every shape counting as
// the background; mask bits set (transparent) where too few samples are inside.
void Render(const std::vector<Layer>& layers, DIBitmap& image, DIBitmap& mask) {
  for (int y = 0; y < kSize; ++y) {
    uint8_t* pixel = image.ScanLine(y);
    uint8_t* bits = mask.ScanLine(y);
    std::fill(bits, bits + mask.BytesPerRow(), uint8_t{0});
    for (int x = 0; x < kSize; ++x, pixel += 3) {
      Rgb sum{0, 0, 0};
      int inside = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double px = x + (sx + 0.5) / kSamples;
          const double py = y + (sy + 0.5) / kSamples;
          Rgb c = kBackground;
          bool hit = false;
          for (const Layer& layer : layers) {
            if (!layer.Contains(px, py)) continue;
            c = layer.ColorAt(py);
            hit = true;
          }
          inside += hit ? 1 : 0;
          sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
        }
      }
      constexpr double n = kSamples * kSamples;
      pixel[0] = Channel(sum.b / n);
      pixel[1] = Channel(sum.g / n);
      pixel[2] = Channel(sum.r / n);
      if (inside < kOpaqueSamples)
        bits[x >> 3] = static_cast<uint8_t>(bits[x >> 3] | (0x80 >> (x & 7)));
    }
  }
}

// The icon as the program will show it on the bar: the image where the mask is clear, the
// background elsewhere.
DIBitmap Composite(const framework::TIcon& icon) {
  const DIBitmap& image = icon.Image();
  const DIBitmap& mask = icon.Mask();
  DIBitmap out(image.Width(), image.Height(), 24);
  for (int y = 0; y < image.Height(); ++y) {
    const uint8_t* in = image.ScanLine(y);
    const uint8_t* bits = mask.ScanLine(y);
    uint8_t* row = out.ScanLine(y);
    for (int x = 0; x < image.Width(); ++x, in += 3, row += 3) {
      const bool transparent = (bits[x >> 3] & (0x80 >> (x & 7))) != 0;
      row[0] = transparent ? Channel(kBackground.b) : in[0];
      row[1] = transparent ? Channel(kBackground.g) : in[1];
      row[2] = transparent ? Channel(kBackground.r) : in[2];
    }
  }
  return out;
}

DIBitmap Zoomed(const DIBitmap& source, int factor) {
  DIBitmap in = source, out(source.Width() * factor, source.Height() * factor, 24);
  platform::DeviceContext from(&in), to(&out);
  platform::StretchBlt(&to, 0, 0, out.Width(), out.Height(), &from, 0, 0, in.Width(), in.Height(),
                       platform::SRCCOPY);
  return out;
}

void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw platform::Exception("Cannot write \"" + path.string() + "\"");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_icon <repository root>\n";
    return 2;
  }
  try {
    const std::filesystem::path root = argv[1];
    if (!std::filesystem::is_directory(root / "src" / "app"))
      throw platform::Exception("\"" + root.string() + "\" has no src/app folder");

    DIBitmap image(kSize, kSize, 24);
    DIBitmap mask(kSize, kSize, 1);
    mask.SetPalette({{0, 0, 0, 0}, {255, 255, 255, 0}});
    Render(Scene(), image, mask);

    framework::TIcon icon;
    icon.SetImage(image, &mask);
    framework::TPicture picture;
    picture.SetGraphic(&icon);
    const std::vector<uint8_t> data = picture.WriteData();
    WriteBytes(root / "src" / "app" / "Snipwell.picture", data);

    // The review pictures come from the stored bytes read back, so they show what the program
    // will load.
    framework::TPicture stored;
    stored.ReadData(data);
    const DIBitmap shown = Composite(*stored.Icon());
    std::filesystem::create_directories(root / "docs");
    platform::WritePngFile(shown, (root / "docs" / "icon.png").string());
    platform::WritePngFile(Zoomed(shown, 8), (root / "docs" / "icon-8x.png").string());
    std::cout << "wrote " << data.size() << " bytes of picture data and two PNGs\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "make_icon: " << e.what() << "\n";
    return 1;
  }
}
