#include "tools/skins/SkinFiles.h"

#include <fstream>
#include <stdexcept>

#include "framework/classes/FormReader.h"
#include "platform/images/ImageCodecs.h"
#include "tools/skins/Quantize.h"

namespace skins {
namespace {

void WriteFile(const std::filesystem::path& path, const void* data, size_t size) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

// Replaces each binary value of the assignments by a reference to a file holding its bytes,
// named after the picture (`name` of the innermost item that has one, else the property).
void MoveBinaryToFiles(std::vector<framework::TPropertyAssignment>& assignments,
                       const std::string& itemName, const std::string& folder,
                       const std::filesystem::path& root) {
  for (framework::TPropertyAssignment& a : assignments) {
    framework::TFormValue& v = a.value.front();
    if (v.kind == framework::TFormValue::Kind::Binary) {
      const std::string base = itemName.empty() ? a.path.substr(0, a.path.find('.')) : itemName;
      const std::string resource = "skins/" + folder + "/" + base + ".data";
      WriteFile(root / resource, v.bytes.data(), v.bytes.size());
      // The writer prints identifiers as they are: this one is the reference.
      v = framework::TFormValue{};
      v.kind = framework::TFormValue::Kind::Identifier;
      v.text = "{ file '" + resource + "' }";
    } else if (v.kind == framework::TFormValue::Kind::Collection) {
      for (framework::TCollectionItemDesc& item : v.items) {
        std::string name;
        for (const auto& p : item.properties) {
          if (p.path == "Name" && p.Value().kind == framework::TFormValue::Kind::String)
            name = p.Value().text;
        }
        MoveBinaryToFiles(item.properties, name, folder, root);
      }
    }
  }
}

}  // namespace

void FillStoredSkin(const SkinDefinition& d, skin::TsStoredSkin& stored) {
  stored.SetName(d.Name);
  for (const Section& x : d.sections) {
    skin::TsSkinGeneral* g = stored.GeneralData()->AddItem();
    g->SectionName = x.SectionName;
    g->ParentClass = x.ParentClass;
    g->Color = static_cast<platform::TColor>(x.Color);
    g->Bevel = static_cast<skin::TsControlBevel>(x.Bevel);
    g->ShadowBlur = x.ShadowBlur;
    g->ShadowColor = static_cast<platform::TColor>(x.ShadowColor);
    g->ShadowDontUse = x.ShadowDontUse;
    g->ShadowEnabled = x.ShadowEnabled;
    g->ReservedBoolean = x.ReservedBoolean;
    g->ShadowOffset = x.ShadowOffset;
    g->ShadowTransparency = x.ShadowTransparency;
    g->FontColor = x.FontColor;
    g->HotFontColor = x.HotFontColor;
    g->Transparency = x.Transparency;
    g->GradientPercent = x.GradientPercent;
    g->GradientData = x.GradientData;
    g->ImagePercent = x.ImagePercent;
    g->ShowFocus = x.ShowFocus;
    g->FadingEnabled = x.FadingEnabled;
    g->FadingIntervalIn = x.FadingIntervalIn;
    g->FadingIntervalOut = x.FadingIntervalOut;
    g->FadingIterations = x.FadingIterations;
    g->HotColor = static_cast<platform::TColor>(x.HotColor);
    g->HotTransparency = x.HotTransparency;
    g->HotBevel = static_cast<skin::TsControlBevel>(x.HotBevel);
    g->HotGradientPercent = x.HotGradientPercent;
    g->HotGradientData = x.HotGradientData;
    g->HotImagePercent = x.HotImagePercent;
    g->BorderColor1 = static_cast<platform::TColor>(x.BorderColor1);
    g->BorderColor2 = static_cast<platform::TColor>(x.BorderColor2);
  }
  for (const Mask& m : d.masks) {
    skin::TsSkinImage* image = stored.Images()->AddItem();
    const Picture& picture = MaskPicture(d, m);
    image->SectionName = m.SectionName;
    image->PropertyName = m.PropertyName;
    if (m.own) {
      image->Name = m.picture;
      framework::TBitmap bitmap;
      bitmap.SetDIB(ToIndexed(picture.pixels));
      image->SetImage(&bitmap);
    } else {
      const platform::TRect r = MaskRect(d, m);
      image->Left = r.Left;
      image->Top = r.Top;
      image->Right = r.Right;
      image->Bottom = r.Bottom;
    }
    image->ImageCount = picture.states;
    image->MaskType = picture.layers - 1;
    image->BorderWidth = m.BorderWidth;
    image->StretchMode = m.StretchMode;
    image->ImgType = static_cast<skin::TacImgType>(m.ImgType);
    image->WL = m.WL;
    image->WR = m.WR;
    image->WT = m.WT;
    image->WB = m.WB;
  }
  for (const Pattern& p : d.patterns) {
    skin::TsSkinPattern* pattern = stored.Patterns()->AddItem();
    pattern->SectionName = p.SectionName;
    pattern->PropertyName = p.PropertyName;
    pattern->Name = p.Name;
    if (p.carriesData) {
      framework::TJPEGImage jpeg;
      jpeg.LoadFromStream(platform::EncodeJpeg(d.jpegs.at(p.Name), 80));
      pattern->SetImage(&jpeg);
    }
  }
  stored.MasterBitmap()->SetDIB(ToIndexed(ComposeMaster(d)));
  stored.Shadow1Color = static_cast<platform::TColor>(d.Shadow1Color);
  stored.Shadow1Offset = d.Shadow1Offset;
  stored.Shadow1Blur = d.Shadow1Blur;
  stored.Shadow1Transparency = d.Shadow1Transparency;
  stored.Version = d.Version;
  stored.Author = d.Author;
  stored.Description = d.Description;
}

std::string WriteSkinFiles(const skin::TsStoredSkin& stored, const std::string& folder,
                           const std::filesystem::path& root) {
  std::vector<framework::TPropertyAssignment> assignments = framework::WriteProperties(&stored);
  MoveBinaryToFiles(assignments, std::string(), folder, root);
  std::string text = "item\n";
  for (const framework::TPropertyAssignment& a : assignments) {
    text += "  " + a.path + " = " + framework::FormatFormValue(a.Value(), 2) + "\n";
  }
  text += "end\n";
  const std::string resource = "skins/" + folder + "/Skin.dfm";
  WriteFile(root / resource, text.data(), text.size());
  return resource;
}

}  // namespace skins
