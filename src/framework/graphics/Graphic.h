#pragma once
// TGraphic: the abstract picture (bitmap, JPEG image, icon) that canvases draw and pictures hold.
//
// Streams are byte vectors: LoadFromStream reads a whole picture file from bytes, SaveToStream
// appends one to a vector. An empty graphic saves nothing, and loading no bytes at all empties
// it. ReadData and WriteData are the form of the "Data" a description stores, which by default is
// the stream itself (bitmaps and JPEG images put a 32-bit length in front).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/GraphicsObject.h"
#include "platform/Exception.h"
#include "platform/Types.h"

namespace framework {

class TCanvas;

// An operation the graphic cannot do (changing a JPEG image's size, drawing on a canvas without
// a context).
class EInvalidGraphicOperation : public platform::Exception {
 public:
  using Exception::Exception;
};

using platform::EInvalidGraphic;

class TGraphic : public TPersistent {
 public:
  TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;
  ~TGraphic() override = default;

  DECLARE_CLASS_INFO()

  // A new, empty graphic of the same class (pictures copy graphics with it and Assign).
  virtual std::unique_ptr<TGraphic> NewOfSameClass() const = 0;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Graphics that cannot change their size raise EInvalidGraphicOperation.
  virtual void SetWidth(int width);
  virtual void SetHeight(int height);
  virtual bool Empty() const = 0;
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool transparent);

  // Draws the picture stretched to the rectangle (logical coordinates of the canvas).
  virtual void Draw(TCanvas& canvas, const platform::TRect& rect) = 0;

  // Bad bytes raise EInvalidGraphic and leave the graphic as it was.
  virtual void LoadFromStream(const uint8_t* data, size_t size) = 0;
  void LoadFromStream(const std::vector<uint8_t>& bytes) {
    LoadFromStream(bytes.data(), bytes.size());
  }
  virtual void SaveToStream(std::vector<uint8_t>& stream) const = 0;
  // Files: platform::Exception "Cannot open file ..." / "Cannot create file ..." when the file
  // cannot be read or written; files beyond DIBitmap::kMaxBytes are refused unread.
  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const;

  virtual void ReadData(const std::vector<uint8_t>& data) { LoadFromStream(data); }
  virtual std::vector<uint8_t> WriteData() const;

  TNotifyEvent OnChange;

 protected:
  void Changed();

 private:
  bool transparent_ = false;
};

// File helpers shared by the graphics and the picture.
std::vector<uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// The "Data" form with a 32-bit little-endian length in front of the stream.
std::vector<uint8_t> WithLengthPrefix(const std::vector<uint8_t>& stream);
// The bytes after the length; EInvalidGraphic when the length claims more than there is.
std::vector<uint8_t> WithoutLengthPrefix(const std::vector<uint8_t>& data);

}  // namespace framework
