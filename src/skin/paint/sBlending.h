#pragma once
// Blending for skin painting: solid fills, tinting toward a colour, the integer mixes of one
// bitmap into another (the fading animation and partly transparent faces use them), the
// floating-point blend over a background that skips key-coloured pixels, colour mixing and
// desaturation. All work on 24-bit bitmaps, clip against every bitmap they touch and never raise.
//
// Rounding: where a formula is worked in double precision, results are rounded to the nearest
// integer with ties to even (127.5 gives 128, 126.5 gives 126).

#include "platform/drawing/DeviceContext.h"
#include "skin/paint/sPixelAccess.h"

namespace skin {

// Fills the rectangle of the context with the colour (system colours resolved); the context's
// state is saved and restored around the fill.
void FillSolid(platform::HDC dc, const TRect& rect, TColor color);

// Each pixel of the rectangle keeps percent % of itself and takes the rest from the colour: per
// channel percent/100 * pixel + (1 - percent/100) * colour. The rectangle is clipped to the bitmap
// (Left and Top to at least 0, Right to at most width - 1, Bottom to at most height - 1) and then
// taken as inclusive, so Rect(2, 2, 5, 5) tints 4 x 4 pixels and Rect(0, 0, width, height) all.
void TintRect(framework::TBitmap* bitmap, TRect rect, int percent, TColor color);

// Mixes the source rectangle (right and bottom exclusive) into the destination at point, clipped
// to both bitmaps; weight's low byte is the destination's weight (TacFastSum24). A point left of
// or above the destination moves the source rectangle's start by as much. Callers make the weight
// from a percent p as PercentWeight(p), ClipToByte(p * 255 / 100).
void MixBitmap(framework::TBitmap* destination, framework::TBitmap* source, int weight,
               platform::TPoint point, TRect sourceRect);
// The same over two whole bitmaps of equal size; nothing when the sizes differ.
void MixBitmapWhole(framework::TBitmap* destination, framework::TBitmap* source, uint8_t weight);

// Per channel: destination = ClipToByte((k * 256 + m * (destination - k)) >> 8), with k the
// colour's channel and m the same byte of the weight bitmap (0 gives the colour, 255 nearly keeps
// the destination). Only for bitmaps of equal size.
void MixTowardColor(framework::TBitmap* destination, framework::TBitmap* weights, TColor color);

// Blends the inclusive source rectangle over the destination with its top-left at (x, y): per
// channel s - weight * (s - d), weight being that of the destination. Source pixels equal to the
// key are skipped; a key whose high byte is $FF (a system colour, or "no key") matches no pixel.
void BlendOver(framework::TBitmap* destination, int x, int y, TColor key, double weight,
               TRect sourceRect, framework::TBitmap* source);

// Per channel fraction * (a - b) + b, rounded; the high byte comes from a.
TColor MixColors(TColor a, TColor b, double fraction);

// Every pixel becomes the integer mean of its three bytes.
void Desaturate(framework::TBitmap* bitmap);
// The same, leaving pixels equal to the colour as they are.
void DesaturateExceptKey(framework::TBitmap* bitmap, TColor color);

}  // namespace skin
