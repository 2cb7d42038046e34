#pragma once
// TCanvas: drawing with a font, a brush and a pen on a platform device context.
//
// The context is either borrowed (a control hands in its paint context with SetHandle and takes
// it back with SetHandle(nullptr)) or made on demand by a derived canvas that owns it (a bitmap's
// canvas). Before every drawing call, and whenever Handle() is asked for, the canvas selects its
// tools into the context: the font (Font.Handle()), the text colour (Font.Color through
// ColorToRGB), the brush, and the background: with a solid brush, text is drawn OPAQUE on the
// brush colour; with bsClear, TRANSPARENT. So code that draws on Handle() directly (DrawText,
// GradientFill) draws with the canvas's tools, as it does with the VCL.
//
// Every drawing call tells OnChanging before and OnChange after it draws (a bitmap listens to its
// canvas this way).

#include <memory>
#include <string_view>

#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/GraphicsObject.h"
#include "framework/graphics/Pen.h"
#include "platform/Types.h"
#include "platform/drawing/DeviceContext.h"

namespace framework {

using platform::HDC;
using platform::TPoint;
using platform::TRect;
using platform::TSize;

class TGraphic;

class TCanvas : public TPersistent {
 public:
  TCanvas();
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  DECLARE_CLASS_INFO()

  // The context with the canvas's tools selected into it; made on demand by canvases that can
  // (CreateHandle), else EInvalidGraphicOperation "Canvas does not allow drawing".
  HDC Handle();
  // Borrows a context (nullptr lets it go). A context the canvas made itself is freed first.
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return dc_ != nullptr; }

  TFont* Font() { return &font_; }
  const TFont* Font() const { return &font_; }
  void SetFont(const TFont* font) { font_.Assign(font); }
  TBrush* Brush() { return &brush_; }
  const TBrush* Brush() const { return &brush_; }
  void SetBrush(const TBrush* brush) { brush_.Assign(brush); }
  TPen* Pen() { return &pen_; }
  const TPen* Pen() const { return &pen_; }
  void SetPen(const TPen* pen) { pen_.Assign(pen); }
  TPoint PenPos() const { return penPos_; }
  void SetPenPos(TPoint p) { penPos_ = p; }

  // A use count, for code that must keep the canvas's context from being given back while it
  // draws. The program has one thread: locks only nest.
  void Lock() { ++lockCount_; }
  void Unlock();
  bool TryLock();
  int LockCount() const { return lockCount_; }

  // Fills with the brush (nothing with bsClear).
  void FillRect(const TRect& rect);
  // A one-pixel frame inside the rectangle, drawn with the brush (as Windows' FrameRect).
  void FrameRect(const TRect& rect);
  // Outline with the pen (covering x1..x2-1, y1..y2-1), inside filled with the brush. Without a
  // pen (psClear) the filled area is one pixel smaller to the right and below, as on Windows.
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
  void MoveTo(int x, int y) { penPos_ = {x, y}; }
  // A line with the pen from PenPos up to (x, y), which is not drawn and becomes PenPos.
  void LineTo(int x, int y);

  // A pixel's colour; CLR_INVALID outside the bitmap or the clip.
  platform::TColor Pixels(int x, int y);
  void SetPixels(int x, int y, platform::TColor color);

  // One line of text with its top-left at (x, y); PenPos moves to its right end.
  void TextOut(int x, int y, std::string_view text);
  // Text at (x, y) clipped to the rectangle; with a solid brush the rectangle is first filled with
  // the brush colour.
  void TextRect(const TRect& rect, int x, int y, std::string_view text);
  TSize TextExtent(std::string_view text);
  int TextWidth(std::string_view text) { return TextExtent(text).cx; }
  int TextHeight(std::string_view text) { return TextExtent(text).cy; }

  // Pictures: at their own size, or stretched to the rectangle. nullptr draws nothing.
  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const TRect& rect, TGraphic* graphic);
  // The source canvas's rectangle onto this canvas's rectangle, scaled to fit (StretchBlt).
  void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);

  // The logical bounding box of what can be drawn (empty when nothing can).
  TRect ClipRect();

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  // Makes a context and gives it to AdoptHandle; the plain canvas cannot.
  virtual void CreateHandle();
  void AdoptHandle(std::unique_ptr<platform::DeviceContext> dc);
  // Frees a context the canvas made (a borrowed one is only let go).
  void FreeHandle();
  // The context the canvas made itself, if any.
  platform::DeviceContext* OwnedContext() const { return owned_.get(); }
  void Changing();
  void Changed();

 private:
  // The context, made if needed, with every tool selected.
  HDC RequireState();
  // Runs a drawing call between Changing and Changed.
  template <typename Body>
  void Drawing(Body&& draw);

  TFont font_;
  TBrush brush_;
  TPen pen_;
  TPoint penPos_;
  HDC dc_ = nullptr;
  std::unique_ptr<platform::DeviceContext> owned_;
  int lockCount_ = 0;
};

}  // namespace framework
