#include "tools/skins/SkinArt.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace skins {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

// The face colours of a state.
struct Face {
  Rgb top, middle, bottom, frame;
};

Face FaceOf(const Style& s, int state) {
  switch (state) {
    case 1: return {s.hotTop, s.hotMiddle, s.hotBottom, s.frameHot};
    case 2: return {s.pressedTop, s.pressedMiddle, s.pressedBottom, s.frame};
    default: return {s.faceTop, s.faceMiddle, s.faceBottom, s.frame};
  }
}

// A raised face: outline, a fill running from `top` through the middle rows to `bottom`, and a
// white inner ring that is strongest along the top (weaker when pressed).
void DrawFace(Raster& r, const Style& s, const Face& f, double left, double top, double right,
              double bottom, double radius, int state) {
  const Shape outer = RoundRect(left, top, right, bottom, radius);
  const double h = bottom - top;
  const double mid = top + std::floor(h * 0.45);
  // The gloss: a bright upper band that ends sharply where the face's own colour begins.
  r.Fill(outer, VerticalStops({{top + 1, f.top},
                               {mid, Mix(f.top, f.middle, 0.45)},
                               {mid + 0.01, f.middle},
                               {mid + 1, f.middle},
                               {bottom - 1, f.bottom}}));
  const Shape inner =
      RoundRect(left + 1, top + 1, right - 1, bottom - 1, std::max(0.0, radius - 1));
  const double light = state == 2 ? s.highlight * 0.35 : s.highlight;
  r.Fill(Outline(inner, 1.0), Vertical(top + 1, kWhite, bottom - 1, Mix(kWhite, f.bottom, 0.6)),
         light);
  if (state == 2) {
    // A soft shadow under the top edge: the face is pushed in.
    r.Fill(Intersect(inner, RoundRect(left + 1, top + 1, right - 1, top + 3, 0)),
           Vertical(top + 1, kBlack, top + 3, f.middle), 0.12);
  }
  r.Fill(Outline(outer, 1.0), Solid(f.frame));
}

}  // namespace

Raster ButtonState(const Style& s, int w, int h, int state, double radius) {
  Raster r(w, h);
  DrawFace(r, s, FaceOf(s, state), 0, 0, w, h, radius, state);
  return r;
}

Raster TabState(const Style& s, int w, int h, int state, Direction open) {
  // Draw a face larger than the picture on the open side, so that side has neither outline nor
  // rounded corners.
  Raster r(w, h);
  const double extra = s.radius + 2;
  double left = 0, top = 0, right = w, bottom = h;
  switch (open) {
    case Direction::Left: left -= extra; break;
    case Direction::Up: top -= extra; break;
    case Direction::Right: right += extra; break;
    case Direction::Down: bottom += extra; break;
  }
  DrawFace(r, s, FaceOf(s, state), left, top, right, bottom, s.radius, state);
  return r;
}

Raster CheckBoxState(const Style& s, int w, int h, int state, CheckKind kind) {
  Raster r(w, h);
  const Face f = FaceOf(s, state);
  const double size = std::min(w, h) - 3;
  const double left = std::floor((w - size) / 2), top = std::floor((h - size) / 2);
  const bool radio = kind == CheckKind::RadioChecked || kind == CheckKind::RadioUnchecked;
  const Rgb inTop = state == 2 ? Mix(s.boxBottom, f.frame, 0.25) : (state == 1 ? kWhite : s.boxTop);
  const Rgb inBottom =
      state == 2 ? s.boxBottom : (state == 1 ? Mix(s.boxBottom, kWhite, 0.5) : s.boxBottom);
  const Paint fill = Vertical(top, inTop, top + size, inBottom);
  const Rgb frame = state == 1 ? s.frameHot : Mix(s.frame, kBlack, 0.1);
  if (radio) {
    const double cx = left + size / 2, cy = top + size / 2, rad = size / 2;
    r.Fill(Circle(cx, cy, rad), fill);
    r.Fill(Outline(Circle(cx, cy, rad - 1), 1.0), Solid(kWhite), 0.7);
    r.Fill(Outline(Circle(cx, cy, rad), 1.0), Solid(frame));
    if (state == 1) r.Fill(Outline(Circle(cx, cy, rad + 1), 1.0), Solid(s.frameHot), 0.25);
    if (kind == CheckKind::RadioChecked) {
      r.Fill(Circle(cx, cy, rad * 0.42),
             Vertical(cy - rad * 0.42, Mix(s.mark, kWhite, 0.35), cy + rad * 0.42, s.mark));
      r.Fill(Circle(cx - rad * 0.12, cy - rad * 0.15, rad * 0.16), Solid(kWhite), 0.55);
    }
    return r;
  }
  const Shape box = RoundRect(left, top, left + size, top + size, 2.5);
  r.Fill(box, fill);
  r.Fill(Outline(RoundRect(left + 1, top + 1, left + size - 1, top + size - 1, 1.5), 1.0),
         Solid(kWhite), 0.7);
  r.Fill(Outline(box, 1.0), Solid(frame));
  if (state == 1)
    r.Fill(Outline(RoundRect(left - 1, top - 1, left + size + 1, top + size + 1, 3.5), 1.0),
           Solid(s.frameHot), 0.25);
  if (kind == CheckKind::Checked) {
    const double k = size / 13.0;
    r.Fill(Polyline({{left + 3.2 * k, top + 6.6 * k},
                     {left + 5.6 * k, top + 9.2 * k},
                     {left + 10.0 * k, top + 3.8 * k}},
                    2.1 * k),
           Solid(s.mark));
  } else if (kind == CheckKind::Grayed) {
    const double inset = std::round(size * 0.3);
    r.Fill(RoundRect(left + inset, top + inset, left + size - inset, top + size - inset, 1.0),
           Vertical(top + inset, Mix(s.mark, kWhite, 0.55), top + size - inset,
                    Mix(s.mark, kWhite, 0.3)));
  }
  return r;
}

Raster TitleGlyphState(const Style& s, int w, int h, int state, Symbol symbol) {
  Raster r(w, h);
  Face f = FaceOf(s, state);
  if (symbol == Symbol::Close && state != 0) {
    f.top = Mix(s.closeHot, kWhite, 0.55);
    f.middle = s.closeHot;
    f.bottom = Mix(s.closeHot, kBlack, state == 2 ? 0.3 : 0.1);
    f.frame = Mix(s.closeHot, kBlack, 0.35);
  }
  DrawFace(r, s, f, 1, 1, w - 1, h - 1, 3, state);
  const Rgb mark = symbol == Symbol::Close && state != 0 ? kWhite : s.symbol;
  const double cx = w / 2.0, cy = h / 2.0, a = std::min(w, h) * 0.2;
  const double pen = 1.6;
  switch (symbol) {
    case Symbol::None: break;
    case Symbol::Close:
      r.Fill(Union(Segment(cx - a, cy - a, cx + a, cy + a, pen),
                   Segment(cx - a, cy + a, cx + a, cy - a, pen)),
             Solid(mark));
      break;
    case Symbol::Maximize:
      r.Fill(Outline(RoundRect(cx - a - 0.5, cy - a - 0.5, cx + a + 0.5, cy + a + 0.5, 0.5), 1.2),
             Solid(mark));
      r.Fill(RoundRect(cx - a - 0.5, cy - a - 0.5, cx + a + 0.5, cy - a + 1.5, 0), Solid(mark));
      break;
    case Symbol::Minimize:
      r.Fill(RoundRect(cx - a, cy + a - 1.5, cx + a, cy + a + 0.5, 0), Solid(mark));
      break;
    case Symbol::Restore:
      r.Fill(Outline(RoundRect(cx - a + 2, cy - a - 1, cx + a + 1, cy + a - 2, 0.5), 1.1),
             Solid(mark));
      r.Fill(RoundRect(cx - a - 1, cy - a + 2, cx + a - 2, cy + a + 1, 0.5),
             Solid(FaceOf(s, state).middle));
      r.Fill(Outline(RoundRect(cx - a - 1, cy - a + 2, cx + a - 2, cy + a + 1, 0.5), 1.1),
             Solid(mark));
      break;
    case Symbol::Help: {
      std::vector<std::pair<double, double>> hook;
      for (int i = 0; i <= 12; ++i) {
        const double t = std::numbers::pi * (1.0 + 1.25 * i / 12.0);
        hook.push_back({cx + a * 0.85 * std::cos(t), cy - a * 0.45 + a * 0.85 * std::sin(t)});
      }
      hook.push_back({cx, cy + a * 0.3});
      r.Fill(Polyline(hook, pen), Solid(mark));
      r.Fill(Circle(cx, cy + a * 0.95, 1.0), Solid(mark));
      break;
    }
  }
  return r;
}

Raster GripImage(const Style& s, int w, int h) {
  Raster r(w, h);
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 4 - row; ++col) {
      const double x = w - 3.5 - col * 4, y = h - 3.5 - row * 4;
      r.Fill(Circle(x + 0.7, y + 0.7, 1.3), Solid(kWhite), 0.9);
      r.Fill(Circle(x, y, 1.3), Solid(Mix(s.frame, kBlack, 0.15)));
    }
  }
  return r;
}

Raster SmallBoxState(const Style& s, int w, int h, int state, CheckKind kind) {
  Raster r(w, h);
  const Rgb frame = state == 1 ? s.frameHot : s.frame;
  const Shape box = RoundRect(1, 1, w - 1, h - 1, 1.5);
  r.Fill(box, Vertical(1, state == 2 ? s.boxBottom : s.boxTop, h - 1, s.boxBottom));
  r.Fill(Outline(box, 1.0), Solid(frame));
  if (kind == CheckKind::Checked) {
    r.Fill(Polyline({{3.2, h * 0.52}, {w * 0.42, h - 3.6}, {w - 3.2, 3.4}}, 1.6), Solid(s.mark));
  } else if (kind == CheckKind::Grayed) {
    r.Fill(RoundRect(3.5, 3.5, w - 3.5, h - 3.5, 0.5), Solid(Mix(s.mark, kWhite, 0.45)));
  }
  return r;
}

Raster Tick(const Style& s, int w, int h) {
  Raster r(w, h);
  r.Fill(Polyline({{1.3, h * 0.5}, {w * 0.38, h - 1.4}, {w - 1.3, 1.3}}, 1.8), Solid(s.mark));
  return r;
}

Raster ArrowState(const Style& s, int w, int h, int state, Direction d) {
  Raster r(w, h);
  const double cx = w / 2.0, cy = h / 2.0, a = std::min(w, h) * 0.22;
  std::vector<std::pair<double, double>> chevron;
  switch (d) {
    case Direction::Left:
      chevron = {{cx + a * 0.5, cy - a}, {cx - a * 0.5, cy}, {cx + a * 0.5, cy + a}};
      break;
    case Direction::Right:
      chevron = {{cx - a * 0.5, cy - a}, {cx + a * 0.5, cy}, {cx - a * 0.5, cy + a}};
      break;
    case Direction::Up:
      chevron = {{cx - a, cy + a * 0.5}, {cx, cy - a * 0.5}, {cx + a, cy + a * 0.5}};
      break;
    case Direction::Down:
      chevron = {{cx - a, cy - a * 0.5}, {cx, cy + a * 0.5}, {cx + a, cy - a * 0.5}};
      break;
  }
  const Rgb mark = state == 1 ? Mix(s.symbol, s.frameHot, 0.4) : s.symbol;
  // A copy one pixel lower sets the mark off the face: light under a dark mark (engraved), dark
  // under a light one (embossed).
  auto under = chevron;
  for (auto& p : under) p.second += 1;
  const bool lightMark = s.symbol.r + s.symbol.g + s.symbol.b > 3 * 160;
  r.Fill(Polyline(under, 2.0), Solid(lightMark ? Mix(s.frame, kBlack, 0.3) : kWhite),
         lightMark ? 0.45 : 0.6);
  r.Fill(Polyline(chevron, 2.0), Solid(mark));
  return r;
}

Raster SliderLinesState(const Style& s, int w, int h, int state, bool vertical) {
  Raster r(w, h);
  const Rgb mark = state == 1 ? s.frameHot : Mix(s.frame, kWhite, 0.2);
  for (int i = -1; i <= 1; ++i) {
    const double c = (vertical ? h : w) / 2.0 + i * 3;
    if (vertical) {
      r.Fill(RoundRect(w * 0.3, c - 1, w * 0.7, c, 0), Solid(mark));
      r.Fill(RoundRect(w * 0.3, c, w * 0.7, c + 1, 0), Solid(kWhite), 0.8);
    } else {
      r.Fill(RoundRect(c - 1, h * 0.3, c, h * 0.7, 0), Solid(mark));
      r.Fill(RoundRect(c, h * 0.3, c + 1, h * 0.7, 0), Solid(kWhite), 0.8);
    }
  }
  return r;
}

Raster PanelFrame(const Style& s, int w, int h, double radius) {
  Raster r(w, h);
  const Shape outer = RoundRect(0, 0, w, h, radius);
  r.Fill(Outline(RoundRect(1, 1, w - 1, h - 1, std::max(0.0, radius - 1)), 1.0),
         Vertical(1, kWhite, h - 1, Mix(kWhite, s.panelLine, 0.5)), 0.55);
  r.Fill(Outline(outer, 1.0), Solid(s.panelLine), s.panelLineOpacity);
  return r;
}

Raster EditFrame(const Style& s, int w, int h) {
  Raster r(w, h);
  r.Fill(RoundRect(0, 0, w, h, 1.2), Solid(kWhite));
  r.Fill(Outline(RoundRect(1, 1, w - 1, h - 1, 0), 1.0), Solid(s.editMiddle));
  r.Fill(Outline(RoundRect(2, 2, w - 2, h - 2, 0), 1.0), Solid(s.editInner));
  r.Fill(Outline(RoundRect(0, 0, w, h, 1.2), 1.0), Solid(s.editOuter));
  return r;
}

Raster FormFrame(const Style& s, int w, int h) {
  Raster r(w, h);
  r.Fill(RoundRect(0, 0, w, h, 1.5), Solid(s.formInner2));
  r.Fill(Outline(RoundRect(2, 2, w - 2, h - 2, 0), 1.0), Solid(s.formInner1));
  r.Fill(Outline(RoundRect(1, 1, w - 1, h - 1, 0.5), 1.0), Solid(s.formLight));
  r.Fill(Outline(RoundRect(0, 0, w, h, 1.5), 1.0), Solid(s.formOuter));
  return r;
}

Raster LineFrame(const Style&, int w, int h, Rgb line, Rgb fill, double radius) {
  Raster r(w, h);
  const Shape outer = RoundRect(0, 0, w, h, radius);
  r.Fill(outer, Solid(fill));
  r.Fill(Outline(outer, 1.0), Solid(line));
  return r;
}

Raster ProgressFill(const Style& s, int w, int h, bool vertical) {
  Raster r(w, h);
  const Shape bar = RoundRect(0, 0, w, h, 2);
  if (vertical) {
    r.Fill(bar, [&](double x, double) {
      return Mix(s.hotTop, s.frameHot, std::abs(x / w - 0.35) * 1.4);
    });
  } else {
    r.Fill(bar, VerticalStops({{0, s.hotTop},
                               {h * 0.45, s.hotMiddle},
                               {h * 0.5, s.frameHot},
                               {h, Mix(s.frameHot, kWhite, 0.3)}}));
  }
  r.Fill(Outline(bar, 1.0), Solid(s.frame), 0.8);
  return r;
}

Raster Ticks(const Style& s, int w, int h, bool vertical) {
  Raster r(w, h);
  if (vertical) {
    r.Fill(RoundRect(0, h / 2.0 - 0.5, w, h / 2.0 + 0.5, 0), Solid(s.frame));
  } else {
    r.Fill(RoundRect(w / 2.0 - 0.5, 0, w / 2.0 + 0.5, h, 0), Solid(s.frame));
  }
  return r;
}

Raster WeaveTexture(const Style& s, int w, int h) {
  // Threads every 4 pixels both ways, going over and under each other, on a soft ground.
  Raster r(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const double tx = 0.5 + 0.5 * std::cos(2 * std::numbers::pi * (x + 0.5) / 4.0);
      const double ty = 0.5 + 0.5 * std::cos(2 * std::numbers::pi * (y + 0.5) / 4.0);
      const bool overX = ((x / 4) + (y / 4)) % 2 == 0;
      const double thread = overX ? std::max(ty * 0.9, tx * 0.6) : std::max(tx * 0.9, ty * 0.6);
      r.Blend(x, y, Mix(s.texture1, s.texture2, thread), 1.0);
    }
  }
  return r;
}

Raster DotTexture(const Style& s, int w, int h) {
  Raster r(w, h);
  r.Fill(RoundRect(0, 0, w, h, 0), Solid(s.texture1));
  const double cx = w / 2.0, cy = h / 2.0;
  r.Fill(Circle(cx + 0.6, cy + 0.6, 1.1), Solid(kWhite), 0.9);
  r.Fill(Circle(cx - 0.2, cy - 0.2, 1.1), Solid(s.texture2));
  return r;
}

namespace {

// Smooth value noise that repeats every `period` pixels both ways.
double PeriodicNoise(double x, double y, int cells, int period, unsigned seed) {
  const auto hash = [seed](int i, int j) {
    unsigned v = static_cast<unsigned>(i) * 73856093u ^ static_cast<unsigned>(j) * 19349663u ^
                 seed * 83492791u;
    v ^= v >> 13;
    v *= 0x5bd1e995u;
    v ^= v >> 15;
    return (v & 0xFFFF) / 65535.0;
  };
  const double cell = static_cast<double>(period) / cells;
  const double fx = x / cell, fy = y / cell;
  const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
  const double tx = fx - ix, ty = fy - iy;
  const auto smooth = [](double t) { return t * t * (3 - 2 * t); };
  const auto at = [&](int i, int j) {
    return hash(((i % cells) + cells) % cells, ((j % cells) + cells) % cells);
  };
  const double a = at(ix, iy), b = at(ix + 1, iy), c = at(ix, iy + 1), d = at(ix + 1, iy + 1);
  const double sx = smooth(tx), sy = smooth(ty);
  return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

}  // namespace

platform::DIBitmap FrostTexture(int size) {
  // Frosted ice: a cool light blue with soft clouds, and fine crystal streaks running
  // diagonally; every term repeats after `size` pixels, so the tile is seamless.
  const Rgb deep = Hex(0x9CBFDD), light = Hex(0xD3E5F4);
  platform::DIBitmap bitmap(size, size, 24);
  for (int y = 0; y < size; ++y) {
    uint8_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < size; ++x) {
      double cloud = 0.5 * PeriodicNoise(x, y, 4, size, 1) + 0.3 * PeriodicNoise(x, y, 8, size, 2) +
                     0.2 * PeriodicNoise(x, y, 16, size, 3);
      const double warp = 6 * PeriodicNoise(x, y, 6, size, 4);
      const double streak = std::pow(
          0.5 + 0.5 * std::sin(2 * std::numbers::pi * (3 * x + 2 * y + warp * 8) / size), 12);
      const double fine = std::pow(
          0.5 + 0.5 * std::sin(2 * std::numbers::pi * (9 * x - 5 * y + warp * 5) / size), 20);
      const double grain = PeriodicNoise(x, y, 60, size, 5) - 0.5;
      const double t =
          std::clamp(0.25 + 0.55 * cloud + 0.18 * streak + 0.10 * fine + 0.06 * grain, 0.0, 1.0);
      const Rgb c = Mix(deep, light, t);
      row[3 * x] = static_cast<uint8_t>(std::lround(c.b));
      row[3 * x + 1] = static_cast<uint8_t>(std::lround(c.g));
      row[3 * x + 2] = static_cast<uint8_t>(std::lround(c.r));
    }
  }
  return bitmap;
}

namespace {

uint8_t Byte(double v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 255.0))); }

void Put(platform::DIBitmap& b, int x, int y, const Rgb& c) {
  uint8_t* p = b.ScanLine(y) + 3 * x;
  p[0] = Byte(c.b);
  p[1] = Byte(c.g);
  p[2] = Byte(c.r);
  // An opaque pixel must never read as the transparent key.
  if (p[0] == 255 && p[1] == 0 && p[2] == 255) p[0] = 254;
}

void PutKey(platform::DIBitmap& b, int x, int y) {
  uint8_t* p = b.ScanLine(y) + 3 * x;
  p[0] = 255;
  p[1] = 0;
  p[2] = 255;
}

// The clear pixels of a state image that are reached from its border through clear pixels: what
// lies outside the drawn shape. Clear pixels enclosed by the shape (the inside of a frame) are not.
std::vector<bool> OutsideOf(const Raster& r) {
  const int w = r.Width(), h = r.Height();
  const auto clear = [&](int x, int y) { return std::clamp(r.At(x, y).a, 0.0, 1.0) < 1.0 / 255; };
  std::vector<bool> outside(static_cast<size_t>(w) * h, false);
  std::vector<std::pair<int, int>> todo;
  const auto visit = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= w || y >= h || outside[static_cast<size_t>(y) * w + x] ||
        !clear(x, y))
      return;
    outside[static_cast<size_t>(y) * w + x] = true;
    todo.emplace_back(x, y);
  };
  for (int x = 0; x < w; ++x) visit(x, 0), visit(x, h - 1);
  for (int y = 0; y < h; ++y) visit(0, y), visit(w - 1, y);
  while (!todo.empty()) {
    const auto [x, y] = todo.back();
    todo.pop_back();
    visit(x - 1, y), visit(x + 1, y), visit(x, y - 1), visit(x, y + 1);
  }
  return outside;
}

}  // namespace

// Clear pixels outside the shape are magenta: the painters cut them out of the corners and show
// the parent there. Clear pixels inside it (the centre of a panel frame) show the face beneath
// through their mask weight of 255; white keeps what lies beneath exactly under that weight, where
// magenta would take one step off its green.
platform::DIBitmap TwoLayer(const std::vector<Raster>& states) {
  const int w = states.front().Width(), h = states.front().Height();
  platform::DIBitmap b(w * static_cast<int>(states.size()), 2 * h, 24);
  for (size_t k = 0; k < states.size(); ++k) {
    const std::vector<bool> outside = OutsideOf(states[k]);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const Rgba& p = states[k].At(x, y);
        const int bx = static_cast<int>(k) * w + x;
        const double a = std::clamp(p.a, 0.0, 1.0);
        if (a < 1.0 / 255) {
          if (outside[static_cast<size_t>(y) * w + x])
            PutKey(b, bx, y);
          else
            Put(b, bx, y, {255, 255, 255});
          Put(b, bx, y + h, {255, 255, 255});
        } else {
          Put(b, bx, y, p.c);
          const double m = (1 - a) * 255;
          Put(b, bx, y + h, {m, m, m});
        }
      }
    }
  }
  return b;
}

platform::DIBitmap OneLayer(const std::vector<Raster>& states, Rgb backdrop) {
  const int w = states.front().Width(), h = states.front().Height();
  platform::DIBitmap b(w * static_cast<int>(states.size()), h, 24);
  for (size_t k = 0; k < states.size(); ++k) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const Rgba& p = states[k].At(x, y);
        const int bx = static_cast<int>(k) * w + x;
        if (p.a < 0.5) {
          PutKey(b, bx, y);
        } else {
          Put(b, bx, y, Mix(backdrop, p.c, std::min(p.a, 1.0)));
        }
      }
    }
  }
  return b;
}

}  // namespace skins
