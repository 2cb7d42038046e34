#pragma once
// TCustomImageList / TImageList: a component holding any number of pictures of one size
// (Width x Height, 16 x 16 unless set), each with a mask that says which of its pixels are
// transparent. Controls name an image list in their descriptions and draw its pictures by index.
//
// Pictures come from bitmaps: Add cuts a bitmap into as many Width-wide pictures as it holds, with
// a mask bitmap beside it (a pixel that is not black there is transparent); AddMasked takes the
// pixels of one colour as transparent. Changing Width or Height empties the list.
//
// Draw puts a picture on a canvas as the image list of the class library draws by default: with
// Masked on (the default), the pixels its mask marks transparent leave the canvas as it was, or
// take BkColor when one is set (not clNone); with Masked off the whole picture is copied, mask or
// not.
//
// Controls that show the pictures hear of every change through a TChangeLink they register.
//
// A description stores the pictures as "Bitmap", one BMP file whose upper band holds them side by
// side and whose lower band holds their masks (black opaque, white transparent), after Width and
// Height: the data must fit pictures of that size.

#include <cstdint>
#include <functional>
#include <vector>

#include "framework/classes/Component.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/DIBitmap.h"

namespace framework {

class TBitmap;
class TCanvas;
class TCustomImageList;

// Tells its owner when the image list it is registered with changes.
class TChangeLink {
 public:
  TChangeLink() = default;
  ~TChangeLink();
  TChangeLink(const TChangeLink&) = delete;
  TChangeLink& operator=(const TChangeLink&) = delete;

  // The image list it is registered with, nullptr when none (or when that list was freed).
  TCustomImageList* Sender() const { return sender_; }
  TNotifyEvent OnChange;

 private:
  friend class TCustomImageList;
  TCustomImageList* sender_ = nullptr;
};

class TCustomImageList : public TComponent {
 public:
  explicit TCustomImageList(TComponent* owner);
  ~TCustomImageList() override;
  DECLARE_CLASS_INFO()

  int Width() const { return width_; }
  int Height() const { return height_; }
  // A size below 1 raises EInvalidGraphic "Invalid image size"; another size empties the list.
  void SetWidth(int value);
  void SetHeight(int value);
  int Count() const { return static_cast<int>(images_.size()); }
  bool Masked() const { return masked_; }
  void SetMasked(bool value);
  platform::TColor BkColor() const { return bkColor_; }
  void SetBkColor(platform::TColor value);

  // Adds image width div Width pictures cut from the image, left to right, their masks cut from
  // mask at the same places (nullptr: every pixel opaque). Rows the image or mask lacks are
  // transparent. The index of the first picture added, or -1 when the image is narrower than one.
  int Add(const TBitmap* image, const TBitmap* mask);
  // The same, the pixels of maskColor transparent (clDefault: the image's TransparentColor).
  int AddMasked(const TBitmap* image, platform::TColor maskColor);
  // Out of range: EListError "List index out of bounds (n)".
  void Delete(int index);
  void Clear();

  // Draws picture index with its top-left corner at (x, y) of the canvas; an index the list does
  // not hold draws nothing.
  void Draw(TCanvas* canvas, int x, int y, int index) const;

  void RegisterChanges(TChangeLink* link);
  void UnRegisterChanges(TChangeLink* link);

  // The "Bitmap" a description holds (empty for an empty list), and reading it back: a picture
  // that does not decode or does not fit Width and Height raises EInvalidGraphic and leaves the
  // list as it was.
  std::vector<uint8_t> WriteData() const;
  void ReadData(const std::vector<uint8_t>& data);

 private:
  struct TImage {
    platform::DIBitmap image;  // 24 bits
    platform::DIBitmap mask;   // 24 bits: white transparent, black opaque
  };
  // Cuts image into pictures; transparent(x, y) tells, for a pixel of image, whether it is.
  int AddCut(const platform::DIBitmap& image, const std::function<bool(int, int)>& transparent);
  void Change();

  int width_ = 16;
  int height_ = 16;
  bool masked_ = true;
  platform::TColor bkColor_ = platform::clNone;
  std::vector<TImage> images_;
  std::vector<TChangeLink*> links_;
};

class TImageList : public TCustomImageList {
 public:
  using TCustomImageList::TCustomImageList;
  DECLARE_CLASS_INFO()
};

}  // namespace framework
