#include "framework/graphics/Graphic.h"

#include <fstream>
#include <iterator>

#include "framework/classes/ClassBuilder.h"
#include "platform/drawing/DIBitmap.h"

namespace framework {

const TClassInfo& TGraphic::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TGraphic>("TGraphic", TPersistent::StaticClassInfo());
  return info;
}

void TGraphic::SetWidth(int) {
  throw EInvalidGraphicOperation("Cannot change the size of a " + ClassName());
}

void TGraphic::SetHeight(int) {
  throw EInvalidGraphicOperation("Cannot change the size of a " + ClassName());
}

void TGraphic::SetTransparent(bool transparent) {
  if (transparent_ == transparent) return;
  transparent_ = transparent;
  Changed();
}

void TGraphic::LoadFromFile(const std::string& path) { LoadFromStream(ReadFileBytes(path)); }

void TGraphic::SaveToFile(const std::string& path) const {
  std::vector<uint8_t> bytes;
  SaveToStream(bytes);
  WriteFileBytes(path, bytes);
}

std::vector<uint8_t> TGraphic::WriteData() const {
  std::vector<uint8_t> bytes;
  SaveToStream(bytes);
  return bytes;
}

void TGraphic::Changed() {
  if (OnChange) OnChange(this);
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw platform::Exception("Cannot open file \"" + path + "\"");
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) throw platform::Exception("Cannot open file \"" + path + "\"");
  if (static_cast<uint64_t>(size) > platform::DIBitmap::kMaxBytes)
    throw EInvalidGraphic("File \"" + path + "\" is too large for a picture");
  in.seekg(0, std::ios::beg);
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size))
    throw platform::Exception("Cannot read file \"" + path + "\"");
  return bytes;
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw platform::Exception("Cannot create file \"" + path + "\"");
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.flush();
  if (!out) throw platform::Exception("Cannot write file \"" + path + "\"");
}

std::vector<uint8_t> WithLengthPrefix(const std::vector<uint8_t>& stream) {
  if (stream.empty()) return {};
  std::vector<uint8_t> data;
  data.reserve(stream.size() + 4);
  const auto n = static_cast<uint32_t>(stream.size());
  for (int i = 0; i < 4; ++i) data.push_back(static_cast<uint8_t>(n >> (8 * i)));
  data.insert(data.end(), stream.begin(), stream.end());
  return data;
}

std::vector<uint8_t> WithoutLengthPrefix(const std::vector<uint8_t>& data) {
  if (data.empty()) return {};
  if (data.size() < 4) throw EInvalidGraphic("Picture data is truncated");
  const uint32_t n = uint32_t{data[0]} | (uint32_t{data[1]} << 8) | (uint32_t{data[2]} << 16) |
                     (uint32_t{data[3]} << 24);
  if (n > data.size() - 4) throw EInvalidGraphic("Picture data is truncated");
  return std::vector<uint8_t>(data.begin() + 4, data.begin() + 4 + n);
}

}  // namespace framework
