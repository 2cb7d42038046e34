// The three skins the program carries. BlueIce is the one every window is drawn with; its section
// order, its tabulated values and the rectangles of the masks the program draws are fixed, and
// the rest of it, like the whole of BlueGauze and BluePlastic, is ours.

#include <functional>
#include <set>
#include <stdexcept>

#include "tools/skins/SkinArt.h"
#include "tools/skins/SkinBook.h"

namespace skins {
namespace {

constexpr int kWhite = 0xFFFFFF;
constexpr int kBlack = 0;

// Sizes of the pictures that a skin draws at a size of its own choosing.
struct Metrics {
  int buttonW, buttonH;  // one state of the BUTTON border
  int buttonWL, buttonWR, buttonWT, buttonWB;
  int glyph;     // the side of one title-bar glyph state
  int editSide;  // the EDIT border picture (square)
  int unit;      // the side of the small frames of other controls
};

// Draws the skin's pictures and declares its masks.
class Kit {
 public:
  Kit(SkinDefinition& skin, const Style& style, const Metrics& m) : skin_(skin), s_(style), m_(m) {}

  const Style& style() const { return s_; }
  const Metrics& metrics() const { return m_; }

  void Add(const std::string& key, std::vector<Raster> states, int layers,
           std::optional<platform::TPoint> at = std::nullopt, int areaWidth = 0) {
    Picture p;
    p.pixels = layers == 2 ? TwoLayer(states) : OneLayer(states, s_.backdrop);
    p.states = static_cast<int>(states.size());
    p.layers = layers;
    p.at = at;
    p.areaWidth = areaWidth;
    skin_.pictures[key] = std::move(p);
  }
  static std::vector<Raster> States(int n, const std::function<Raster(int)>& paint) {
    std::vector<Raster> states;
    for (int k = 0; k < n; ++k) states.push_back(paint(k));
    return states;
  }

  void MaskOf(const std::string& section, const std::string& property, const std::string& picture,
              int borderWidth, int stretchMode, int imgType, int wl = 0, int wr = 0, int wt = 0,
              int wb = 0) {
    Mask mask;
    mask.SectionName = section;
    mask.PropertyName = property;
    mask.picture = picture;
    mask.BorderWidth = borderWidth;
    mask.StretchMode = stretchMode;
    mask.ImgType = imgType;
    mask.WL = wl;
    mask.WR = wr;
    mask.WT = wt;
    mask.WB = wb;
    skin_.masks.push_back(mask);
  }
  void Border(const std::string& section, const std::string& picture, int margin, int stretch = 1) {
    MaskOf(section, "BORDERSMASK", picture, 0, stretch, 0, margin, margin, margin, margin);
  }
  void Glyph(const std::string& section, const std::string& property, const std::string& picture) {
    MaskOf(section, property, picture, 0, 0, 2);
  }

  // ---- the pictures every skin has

  // Pictures of the glyphs of GLOBALINFO; `at` gives fixed places (BlueIce) or none.
  void GlobalGlyphs(const std::function<std::optional<platform::TPoint>(const std::string&)>& at) {
    const auto box = [&](CheckKind kind) {
      return States(3, [&, kind](int k) { return CheckBoxState(s_, 16, 18, k, kind); });
    };
    Add("box.checked", box(CheckKind::Checked), 2, at("box.checked"));
    Add("box.unchecked", box(CheckKind::Unchecked), 2, at("box.unchecked"));
    Add("box.grayed", box(CheckKind::Grayed), 2, at("box.grayed"));
    Add("radio.checked", box(CheckKind::RadioChecked), 2, at("radio.checked"));
    Add("radio.unchecked", box(CheckKind::RadioUnchecked), 2, at("radio.unchecked"));
    const int g = m_.glyph;
    const auto title = [&](Symbol symbol) {
      return States(3, [&, symbol](int k) { return TitleGlyphState(s_, g, g, k, symbol); });
    };
    Add("title.close", title(Symbol::Close), 2, at("title.close"));
    Add("title.help", title(Symbol::Help), 2, at("title.help"));
    Add("title.max", title(Symbol::Maximize), 2, at("title.max"));
    Add("title.min", title(Symbol::Minimize), 2, at("title.min"));
    Add("title.button", title(Symbol::None), 2, at("title.button"));
    Add("grip", {GripImage(s_, 18, 18)}, 2, at("grip"));
    const auto small = [&](CheckKind kind) {
      return States(3, [&, kind](int k) { return SmallBoxState(s_, 12, 12, k, kind); });
    };
    Add("small.checked", small(CheckKind::Checked), 1, at("small.checked"));
    Add("small.unchecked", small(CheckKind::Unchecked), 1, at("small.unchecked"));
    Add("small.grayed", small(CheckKind::Grayed), 1, at("small.grayed"));
    Add("check", {Tick(s_, 11, 9)}, 1, at("check"));
  }

  void GlobalMasks() {
    Glyph("GLOBALINFO", "BOXCHECKED", "box.checked");
    Glyph("GLOBALINFO", "BOXUNCHECKED", "box.unchecked");
    Glyph("GLOBALINFO", "RADIOCHECKED", "radio.checked");
    Glyph("GLOBALINFO", "RADIOUNCHECKED", "radio.unchecked");
    Glyph("GLOBALINFO", "BOXGRAYED", "box.grayed");
    TitleMasks("GLOBALINFO");
    Glyph("GLOBALINFO", "SMALLCHECKED", "small.checked");
    Glyph("GLOBALINFO", "SMALLUNCHECKED", "small.unchecked");
    Glyph("GLOBALINFO", "SMALLGRAYED", "small.grayed");
    Glyph("GLOBALINFO", "CHECK", "check");
  }

  void TitleMasks(const std::string& section) {
    Glyph(section, "BICONCLOSE", "title.close");
    Glyph(section, "BICONHELP", "title.help");
    Glyph(section, "BICONMAX", "title.max");
    Glyph(section, "BICONMIN", "title.min");
    Glyph(section, "BICONNORM", "title.max");
    Glyph(section, "TITLEBUTTON", "title.button");
    Glyph(section, "GRIPIMAGE", "grip");
  }

  // The pictures of the frames of the program's own controls.
  void ControlFrames(const std::function<std::optional<platform::TPoint>(const std::string&)>& at,
                     int buttonAreaWidth) {
    Add("panel", {PanelFrame(s_, 21, 21, 5)}, 2, at("panel"));
    Add("edit", {EditFrame(s_, m_.editSide, m_.editSide * 4 / 5)}, 1, at("edit"));
    Add("form", {FormFrame(s_, 12, 12)}, 1, at("form"));
    Add("button",
        States(3, [&](int k) { return ButtonState(s_, m_.buttonW, m_.buttonH, k, s_.radius); }), 2,
        at("button"), buttonAreaWidth);
  }

  // The pictures of the controls no window of the program has.
  void OtherFrames() {
    const int u = m_.unit;
    Add("page", {PanelFrame(s_, 15, 15, 3)}, 2);
    Add("sunken", {EditFrame(s_, u, u)}, 1);
    Add("speed", States(3, [&](int k) { return ButtonState(s_, u, u + 2, k, 2.5); }), 2);
    Add("thumb", States(3, [&](int k) { return ButtonState(s_, u, u, k, 3); }), 2);
    for (const auto& [name, d] : {std::pair{"left", Direction::Left},
                                  {"up", Direction::Up},
                                  {"right", Direction::Right},
                                  {"down", Direction::Down}}) {
      const Direction dir = d;
      Add(std::string("arrow.") + name,
          States(3, [&](int k) { return ArrowState(s_, u, u, k, dir); }), 2);
    }
    Add("lines.h", States(3, [&](int k) { return SliderLinesState(s_, u, u, k, false); }), 2);
    Add("lines.v", States(3, [&](int k) { return SliderLinesState(s_, u, u, k, true); }), 2);
    // A tab is named by the side it stands on; it is open towards its page.
    Add("tab.top", States(3, [&](int k) { return TabState(s_, u, u + 2, k, Direction::Down); }), 2);
    Add("tab.bottom", States(3, [&](int k) { return TabState(s_, u, u + 2, k, Direction::Up); }),
        2);
    Add("tab.left", States(3, [&](int k) { return TabState(s_, u + 2, u, k, Direction::Right); }),
        2);
    Add("tab.right", States(3, [&](int k) { return TabState(s_, u + 2, u, k, Direction::Left); }),
        2);
    Add("bar", {LineFrame(s_, 9, 9, s_.editMiddle, s_.faceMiddle, 0)}, 1);
    Add("menu", States(3, [&](int k) { return ButtonState(s_, u, u, k == 0 ? 0 : k, 2); }), 2);
    Add("hint", {LineFrame(s_, 9, 9, s_.frame, s_.faceTop, 1.5)}, 1);
    Add("big", States(3, [&](int k) { return ButtonState(s_, u + 6, u + 6, k, 5); }), 2);
    Add("dots", {DotTexture(s_, 4, 4)}, 1);
    Add("slider.h", States(3, [&](int k) { return ButtonState(s_, u - 2, u + 6, k, 2); }), 2);
    Add("slider.v", States(3, [&](int k) { return ButtonState(s_, u + 6, u - 2, k, 2); }), 2);
    Add("tick.h", {Ticks(s_, 3, 5, false)}, 1);
    Add("tick.v", {Ticks(s_, 5, 3, true)}, 1);
  }

  // The masks of the other controls, in stored order; `skip` leaves out those a section inherits.
  void OtherMasks(const std::set<std::string>& skip = {}) {
    const int u3 = m_.unit / 3;
    const auto border = [&](const std::string& section, const std::string& picture, int margin,
                            int stretch = 1) {
      if (!skip.contains(section + " BORDERSMASK")) Border(section, picture, margin, stretch);
    };
    const auto glyph = [&](const std::string& section, const std::string& picture) {
      if (!skip.contains(section + " GLYPHMASK")) Glyph(section, "GLYPHMASK", picture);
    };
    border("DRAGBAR", "bar", 3);
    border("PAGECONTROLBOTTOM", "page", 5);
    border("PAGECONTROLLEFT", "page", 5);
    border("PAGECONTROLRIGHT", "page", 5);
    border("TABCONTROLLEFT", "page", 5);
    border("TABCONTROLRIGHT", "page", 5);
    border("TABCONTROLBOTTOM", "page", 5);
    border("TOOLBAR", "bar", 3);
    Panel();
    border("PAGECONTROL", "page", 5);
    border("PROGRESSH", "sunken", 3);
    border("GAUGE", "sunken", 3);
    border("SCROLLBAR1H", "sunken", 3);
    border("SCROLLBAR2H", "sunken", 3);
    border("SCROLLBAR1V", "sunken", 3);
    border("SCROLLBAR2V", "sunken", 3);
    border("SPEEDBUTTON_SMALL", "speed", u3 + 1, 0);
    border("SCROLLBTNRIGHT", "speed", u3 + 1, 0);
    glyph("SCROLLBTNRIGHT", "arrow.right");
    border("SCROLLBTNTOP", "speed", u3 + 1, 0);
    glyph("SCROLLBTNTOP", "arrow.up");
    glyph("SCROLLBTNLEFT", "arrow.left");
    border("SCROLLBTNLEFT", "speed", u3 + 1, 0);
    border("SCROLLBTNBOTTOM", "speed", u3 + 1, 0);
    glyph("SCROLLBTNBOTTOM", "arrow.down");
    border("SCROLLSLIDERH", "thumb", u3 + 1, 0);
    glyph("SCROLLSLIDERH", "lines.h");
    border("SCROLLSLIDERV", "thumb", u3 + 1, 0);
    glyph("SCROLLSLIDERV", "lines.v");
    border("TABCONTROL", "page", 5);
    border("MAINMENU", "bar", 3);
    border("MENUITEM", "menu", u3, 0);
    border("DIVIDER", "bar", 3);
    border("TABTOP", "tab.top", u3 + 1, 0);
    border("TABRIGHT", "tab.right", u3 + 1, 0);
    border("TABLEFT", "tab.left", u3 + 1, 0);
    border("TABBOTTOM", "tab.bottom", u3 + 1, 0);
    Dialog();
    border("FORMTITLE", "bar", 3);
    border("PROGRESSV", "sunken", 3);
    Edit();
    Form();
    border("BAR", "bar", 3);
    border("BARPANEL", "bar", 3);
    border("PANEL_LOW", "page", 5);
    border("BUTTON_BIG", "big", (m_.unit + 6) / 3, 0);
    border("SPEEDBUTTON", "speed", u3 + 1, 0);
    border("TOOLBUTTON", "speed", u3 + 1, 0);
    border("BARTITLE", "bar", 3);
    border("EXTRALINE", "bar", 3);
    MaskOf("GRIPH", "PATTERN", "dots", 0, 0, 1);
    border("GROUPBOX", "page", 5);
    border("HINT", "hint", 3);
    MaskOf("TRACKBAR", "SLIDERCHANNEL", "sunken", 0, 1, 0, 3, 3, 3, 3);
    Glyph("TRACKBAR", "SLIDERMASK", "slider.h");
    Glyph("TRACKBAR", "SLIDERVMASK", "slider.v");
    Glyph("TRACKBAR", "TICKHORZ", "tick.h");
    Glyph("TRACKBAR", "TICKVERT", "tick.v");
    Huge();
    border("COLHEADER", "speed", u3 + 1, 0);
    Button();
    glyph("ORVEXCOMBOBOX", "arrow.down");
    border("ORVEXCOMBOBOX", "sunken", 3);
    border("ORVEXEDIT", "sunken", 3);
    glyph("COMBOBOX", "arrow.down");
    border("COMBOBOX", "sunken", 3);
  }

  // The masks of the program's own controls, at their places in the stored order.
  void Panel() { MaskOf("PANEL", "BORDERSMASK", "panel", 0, 1, 0, 7, 7, 7, 7); }
  void Dialog() { MaskOf("DIALOG", "BORDERSMASK", "panel", 0, 1, 0, 7, 7, 7, 7); }
  void Edit() { MaskOf("EDIT", "BORDERSMASK", "edit", 1, 1, 0, 3, 3, 3, 3); }
  void Form() {
    MaskOf("FORM", "BORDERSMASK", "form", 4, 1, 0, 4, 4, 4, 4);
    TitleMasks("FORM");
  }
  void Button() {
    MaskOf("BUTTON", "BORDERSMASK", "button", 1, 1, 0, m_.buttonWL, m_.buttonWR, m_.buttonWT,
           m_.buttonWB);
  }
  void Huge() {
    Mask mask;
    mask.SectionName = "BUTTON_HUGE";
    mask.PropertyName = "BORDERSMASK";
    mask.picture = hugeName_;
    mask.own = true;
    mask.StretchMode = 0;
    mask.WL = mask.WR = mask.WT = mask.WB = hugeMargin_;
    skin_.masks.push_back(mask);
  }

  // The large button with a picture of its own: three 96 x 96 states over their mask band, with
  // margins of `margin` pixels (32, a third of a state, is what a picture named alone in a skin
  // folder gets, so a skin with it exports to that plainest form).
  void HugePicture(const std::string& name, int margin = 24) {
    hugeName_ = name;
    hugeMargin_ = margin;
    Picture p;
    const auto states = States(3, [&](int k) { return ButtonState(s_, 96, 96, k, 14); });
    p.pixels = TwoLayer(states);
    p.states = 3;
    p.layers = 2;
    skin_.ownPictures[name] = std::move(p);
  }

 private:
  SkinDefinition& skin_;
  Style s_;
  Metrics m_;
  std::string hugeName_;
  int hugeMargin_ = 24;
};

// ---- sections

// The sections of the ice and plastic skins, in stored order, without the empty last record.
const std::vector<std::string>& SectionNames() {
  static const std::vector<std::string> names{"GLOBALINFO",
                                              "DRAGBAR",
                                              "TABSHEET",
                                              "PAGECONTROLBOTTOM",
                                              "PAGECONTROLLEFT",
                                              "PAGECONTROLRIGHT",
                                              "SPLITTER",
                                              "TABCONTROLLEFT",
                                              "TABCONTROLRIGHT",
                                              "TABCONTROLBOTTOM",
                                              "TOOLBAR",
                                              "PANEL",
                                              "PAGECONTROL",
                                              "PROGRESSH",
                                              "GAUGE",
                                              "MENULINE",
                                              "SCROLLBAR1H",
                                              "SCROLLBAR2H",
                                              "SCROLLBAR1V",
                                              "SCROLLBAR2V",
                                              "SPEEDBUTTON_SMALL",
                                              "STATUSBAR",
                                              "SCROLLBTNRIGHT",
                                              "SCROLLBTNTOP",
                                              "SCROLLBTNLEFT",
                                              "SCROLLBTNBOTTOM",
                                              "SCROLLSLIDERH",
                                              "SCROLLSLIDERV",
                                              "TABCONTROL",
                                              "MAINMENU",
                                              "MENUITEM",
                                              "DIVIDER",
                                              "TABTOP",
                                              "TABRIGHT",
                                              "TABLEFT",
                                              "TABBOTTOM",
                                              "DIALOG",
                                              "FORMTITLE",
                                              "PROGRESSV",
                                              "EDIT",
                                              "FORM",
                                              "BAR",
                                              "BARPANEL",
                                              "PANEL_LOW",
                                              "RADIOBUTTON",
                                              "CHECKBOX",
                                              "BUTTON_BIG",
                                              "WEBBUTTON",
                                              "SPEEDBUTTON",
                                              "TOOLBUTTON",
                                              "BARTITLE",
                                              "EXTRALINE",
                                              "GRIPH",
                                              "GROUPBOX",
                                              "HINT",
                                              "MDIAREA",
                                              "TRACKBAR",
                                              "BUTTON_HUGE",
                                              "COLHEADER",
                                              "BUTTON",
                                              "ORVEXCOMBOBOX",
                                              "ORVEXEDIT",
                                              "COMBOBOX"};
  return names;
}

// Colours of a skin's sections.
struct Palette {
  int global, form, panel, face, text, buttonText, hint, menuHot;
  std::string barGradient;
};

// A vertical gradient description: one segment from `top` to `bottom` over `share` percent of
// the height, then the bottom colour for the rest.
std::string VerticalGradient(unsigned top, unsigned bottom, int share) {
  const std::string a = std::to_string(ToSkinColor(Hex(top))),
                    b = std::to_string(ToSkinColor(Hex(bottom)));
  return a + ";" + b + ";" + std::to_string(share) + ";0;0;" + b + ";" + b + ";0;0;0";
}

bool IsButtonLike(const std::string& n) {
  static const std::set<std::string> names{
      "SPEEDBUTTON_SMALL", "SCROLLBTNRIGHT", "SCROLLBTNTOP", "SCROLLBTNLEFT", "SCROLLBTNBOTTOM",
      "SCROLLSLIDERH",     "SCROLLSLIDERV",  "TABTOP",       "TABRIGHT",      "TABLEFT",
      "TABBOTTOM",         "BUTTON_BIG",     "WEBBUTTON",    "SPEEDBUTTON",   "TOOLBUTTON",
      "BUTTON_HUGE",       "COLHEADER",      "BUTTON",       "MENUITEM",      "UPDOWN"};
  return names.contains(n);
}

bool IsEditLike(const std::string& n) {
  return n == "EDIT" || n == "COMBOBOX" || n == "ORVEXCOMBOBOX" || n == "ORVEXEDIT" ||
         n == "PROGRESSH" || n == "PROGRESSV" || n == "GAUGE" || n.starts_with("SCROLLBAR") ||
         n == "TRACKBAR";
}

bool IsBar(const std::string& n) {
  return n == "TOOLBAR" || n == "MAINMENU" || n == "MENULINE" || n == "BAR" || n == "BARPANEL" ||
         n == "BARTITLE" || n == "FORMTITLE" || n == "STATUSBAR" || n == "DRAGBAR" ||
         n == "EXTRALINE";
}

Section MakeSection(const std::string& name, const Palette& p) {
  Section s;
  s.SectionName = name;
  s.Color = p.panel;
  s.HotColor = kWhite;
  s.FontColor = s.HotFontColor = "0 -1 -1 -1 -1";
  if (name.empty()) {
    s.ShadowBlur = s.ShadowOffset = s.ShadowTransparency = 0;
    s.FontColor = s.HotFontColor = "";
    s.GradientData = s.HotGradientData = "";
    s.FadingIntervalIn = s.FadingIntervalOut = s.FadingIterations = 0;
    s.Color = s.HotColor = 0;
    return s;
  }
  if (IsButtonLike(name)) {
    s.Color = s.HotColor = p.face;
    s.Transparency = s.HotTransparency = 100;
    s.FadingEnabled = true;
    s.FadingIterations = name == "MENUITEM" ? 5 : 20;
    s.ShowFocus =
        name == "BUTTON" || name == "BUTTON_BIG" || name == "BUTTON_HUGE" || name == "WEBBUTTON";
    s.FontColor =
        p.buttonText == 0 ? "0 -1 -1 -1 -1" : std::to_string(p.buttonText) + " -1 -1 -1 -1";
    s.HotFontColor = s.FontColor;
    if (name == "MENUITEM") {
      s.Transparency = 100;
      s.HotTransparency = 0;
      s.HotColor = p.menuHot;
      s.FontColor = "0 -1 -1 -1 -1";
      s.HotFontColor = std::to_string(p.text) + " -1 -1 -1 -1";
    }
  } else if (IsEditLike(name)) {
    s.Color = s.HotColor = kWhite;
  } else if (IsBar(name)) {
    s.Color = s.HotColor = p.panel;
    s.GradientPercent = s.HotGradientPercent = 100;
    s.GradientData = s.HotGradientData = p.barGradient;
  } else if (name == "CHECKBOX" || name == "RADIOBUTTON") {
    s.Color = s.HotColor = kWhite;
    s.Transparency = s.HotTransparency = 100;
    s.FadingEnabled = true;
    s.FadingIterations = 20;
  } else if (name == "HINT") {
    s.Color = s.HotColor = p.hint;
  } else if (name == "SPLITTER" || name == "GRIPH" || name == "DIVIDER") {
    s.Color = s.HotColor = p.global;
    s.Transparency = s.HotTransparency = 100;
  } else if (name == "TABSHEET" || name == "MDIAREA") {
    s.Color = s.HotColor = p.form;
  }
  return s;
}

// The sections of the given names, in order, then the empty record every skin ends with.
std::vector<Section> MakeSections(const std::vector<std::string>& names, const Palette& p) {
  std::vector<Section> sections;
  for (const std::string& name : names) sections.push_back(MakeSection(name, p));
  sections.push_back(MakeSection("", p));
  return sections;
}

Section& SectionOf(SkinDefinition& skin, const std::string& name) {
  for (Section& x : skin.sections) {
    if (x.SectionName == name) return x;
  }
  throw std::logic_error(skin.Name + " has no section " + name);
}

void CheckCounts(const SkinDefinition& skin, size_t sections, size_t masks, size_t patterns) {
  if (skin.sections.size() != sections || skin.masks.size() != masks ||
      skin.patterns.size() != patterns) {
    throw std::logic_error(skin.Name + ": " + std::to_string(skin.sections.size()) + " sections, " +
                           std::to_string(skin.masks.size()) + " masks, " +
                           std::to_string(skin.patterns.size()) + " patterns");
  }
}

}  // namespace

// ---- BlueIce: a cool, glossy ice blue
// ------------------------------------------------------------

SkinDefinition BlueIce() {
  SkinDefinition skin{.Name = "BlueIce (internal)",
                      .folder = "BlueIce",
                      .masterWidth = 304,
                      .masterHeight = 260,
                      .Shadow1Color = 5061670,
                      .Shadow1Offset = 1,
                      .Shadow1Blur = 4,
                      .Shadow1Transparency = 50,
                      .Author = "Snipwell",
                      .Description = "Cool, glossy ice blue"};

  const Style s{
      .frame = Hex(0x6F98C4),
      .frameHot = Hex(0x3D8FE0),
      .faceTop = Hex(0xFFFFFF),
      .faceMiddle = Hex(0xD9E9F8),
      .faceBottom = Hex(0xB9D3EE),
      .hotTop = Hex(0xFFFFFF),
      .hotMiddle = Hex(0xDDF0FF),
      .hotBottom = Hex(0xA9D3FB),
      .pressedTop = Hex(0xA9C6E6),
      .pressedMiddle = Hex(0xBCD5EE),
      .pressedBottom = Hex(0xD3E4F6),
      .highlight = 0.85,
      .radius = 3.5,
      .boxTop = Hex(0xFFFFFF),
      .boxBottom = Hex(0xD9E8F6),
      .mark = Hex(0x1E5496),
      .symbol = Hex(0x1E5496),
      .closeHot = Hex(0xD65C55),
      .editOuter = Hex(0x84A5C8),
      .editMiddle = Hex(0xD8E5F2),
      .editInner = Hex(0xF4F8FC),
      .formOuter = Hex(0x4B77A7),
      .formLight = Hex(0xF0F6FC),
      .formInner1 = Hex(0xC6DBEE),
      .formInner2 = Hex(0xB3CDE6),
      .panelLine = Hex(0x5E8EC1),
      .panelLineOpacity = 0.75,
      .backdrop = Hex(0xC2D8ED),
      .texture1 = Hex(0xB7D0E8),
      .texture2 = Hex(0x5F88B5),
  };
  const Metrics m{14, 15, 6, 7, 6, 8, 20, 75, 12};
  Kit kit(skin, s, m);

  // The places the program's masks hold in the master bitmap.
  const std::map<std::string, platform::TPoint> places{
      {"radio.unchecked", {0, 154}}, {"radio.checked", {49, 154}}, {"box.unchecked", {98, 154}},
      {"box.checked", {147, 154}},   {"box.grayed", {195, 188}},   {"title.button", {0, 114}},
      {"title.min", {61, 114}},      {"title.max", {122, 114}},    {"title.help", {183, 114}},
      {"title.close", {244, 114}},   {"grip", {252, 0}},           {"small.unchecked", {195, 224}},
      {"small.checked", {195, 236}}, {"small.grayed", {195, 248}}, {"check", {216, 60}},
      {"panel", {189, 72}},          {"edit", {120, 190}},         {"form", {135, 60}},
      {"button", {243, 190}}};
  const auto at = [&](const std::string& key) -> std::optional<platform::TPoint> {
    const auto found = places.find(key);
    if (found == places.end()) return std::nullopt;
    return found->second;
  };
  kit.GlobalGlyphs(at);
  kit.ControlFrames(at, 43);
  kit.OtherFrames();
  kit.HugePicture("BTN_HUGE.BMP");
  kit.GlobalMasks();
  kit.OtherMasks();

  skin.jpegs["BG.JPG"] = FrostTexture(240);
  skin.patterns = {{"DIALOG", "PATTERN", "BG.JPG", true},
                   {"DIALOG", "HOTPATTERN", "BG.JPG", false},
                   {"FORM", "HOTPATTERN", "BG.JPG", false},
                   {"FORM", "PATTERN", "BG.JPG", false}};

  skin.sections =
      MakeSections(SectionNames(), {.global = 13282167,
                                    .form = 13679769,
                                    .panel = 14797990,
                                    .face = 13282167,
                                    .text = 0,
                                    .buttonText = 0,
                                    .hint = ToSkinColor(Hex(0xF4F9FF)),
                                    .menuHot = ToSkinColor(Hex(0xCFE4F9)),
                                    .barGradient = VerticalGradient(0xF2F8FE, 0xC4DAEF, 100)});

  // The values the program's windows depend on.
  const auto section = [&](const std::string& name) -> Section& { return SectionOf(skin, name); };
  for (const char* name : {"GLOBALINFO", "FORM", "DIALOG", "PANEL", "EDIT", "BUTTON", "CHECKBOX"}) {
    Section& x = section(name);
    const std::string keep = x.SectionName;
    x = Section{};
    x.SectionName = keep;
    x.BorderColor1 = x.BorderColor2 = kBlack;
  }
  {
    Section& x = section("GLOBALINFO");
    x.Color = 13282167;
    x.FontColor = "0 16768169 -1 -1 -1";
    x.HotColor = kWhite;
  }
  {
    Section& x = section("FORM");
    x.Color = x.HotColor = 13679769;
    x.ReservedBoolean = true;
    x.GradientData = x.HotGradientData = "14071693;13878443;99;0;0;13878443;13878443;0;0;0";
    x.ImagePercent = x.HotImagePercent = 100;
  }
  {
    Section& x = section("DIALOG");
    x.Color = x.HotColor = kWhite;
    x.GradientPercent = x.HotGradientPercent = 50;
    x.GradientData = x.HotGradientData = "16777215;12748837;110;0;0;12748837;12748837;0;0;0";
    x.ImagePercent = x.HotImagePercent = 50;
  }
  {
    Section& x = section("PANEL");
    x.Color = 14797990;
    x.Transparency = 50;
    x.GradientPercent = 100;
    x.GradientData = "16444627;12094791;99;0;0;12094791;12094791;0;0;0";
    x.HotColor = kWhite;
  }
  {
    Section& x = section("EDIT");
    x.Color = x.HotColor = kWhite;
  }
  {
    Section& x = section("BUTTON");
    x.Color = x.HotColor = 13282167;
    x.Transparency = x.HotTransparency = 100;
    x.ShowFocus = true;
    x.FadingEnabled = true;
    x.FadingIterations = 20;
  }
  {
    Section& x = section("CHECKBOX");
    x.Color = x.HotColor = kWhite;
    x.Transparency = x.HotTransparency = 100;
    x.FadingEnabled = true;
    x.FadingIterations = 20;
  }
  CheckCounts(skin, 64, 89, 4);
  return skin;
}

// ---- BlueGauze: a soft, light gauze -------------------------------------------------------------

SkinDefinition BlueGauze() {
  SkinDefinition skin{.Name = "BlueGauze (internal)",
                      .folder = "BlueGauze",
                      .masterWidth = 156,
                      .masterHeight = 292,
                      .Shadow1Color = 13156534,
                      .Shadow1Offset = 2,
                      .Shadow1Blur = 2,
                      .Shadow1Transparency = 50,
                      .Author = "Snipwell",
                      .Description = "Soft, light gauze"};

  const Style s{
      .frame = Hex(0xA2B6CC),
      .frameHot = Hex(0x7FA8D3),
      .faceTop = Hex(0xFFFFFF),
      .faceMiddle = Hex(0xF3F6FA),
      .faceBottom = Hex(0xE1E8F0),
      .hotTop = Hex(0xFFFFFF),
      .hotMiddle = Hex(0xF6FAFF),
      .hotBottom = Hex(0xE3EEF9),
      .pressedTop = Hex(0xDDE5EE),
      .pressedMiddle = Hex(0xE7EDF4),
      .pressedBottom = Hex(0xF0F4F8),
      .highlight = 0.9,
      .radius = 4.5,
      .boxTop = Hex(0xFFFFFF),
      .boxBottom = Hex(0xEEF2F7),
      .mark = Hex(0x52739A),
      .symbol = Hex(0x52739A),
      .closeHot = Hex(0xE08A86),
      .editOuter = Hex(0xB4C4D6),
      .editMiddle = Hex(0xEEF2F7),
      .editInner = Hex(0xFAFBFD),
      .formOuter = Hex(0x98ACC3),
      .formLight = Hex(0xFFFFFF),
      .formInner1 = Hex(0xF1F4F8),
      .formInner2 = Hex(0xE0E8F2),
      .panelLine = Hex(0xB7C6D7),
      .panelLineOpacity = 0.8,
      .backdrop = Hex(0xE6EDF5),
      .texture1 = Hex(0xD9E4F0),
      .texture2 = Hex(0xF4F8FC),
  };
  const Metrics m{14, 15, 6, 7, 6, 8, 17, 12, 10};
  Kit kit(skin, s, m);
  const auto anywhere = [](const std::string&) -> std::optional<platform::TPoint> {
    return std::nullopt;
  };
  kit.GlobalGlyphs(anywhere);
  kit.ControlFrames(anywhere, 0);
  kit.OtherFrames();
  kit.Add("weave", {WeaveTexture(s, 16, 16)}, 1);
  kit.Add("weave.hot", {[&] {
            Style hot = s;
            hot.texture1 = Hex(0xE0EAF6);
            hot.texture2 = Hex(0xF8FBFF);
            return WeaveTexture(hot, 16, 16);
          }()},
          1);
  kit.HugePicture("BUTTONHUGE.BMP", 32);
  kit.GlobalMasks();
  // These sections take their frames from the sections they inherit from.
  kit.OtherMasks({"TABCONTROLBOTTOM BORDERSMASK", "TABCONTROLLEFT BORDERSMASK",
                  "TABCONTROLRIGHT BORDERSMASK", "PAGECONTROLBOTTOM BORDERSMASK",
                  "PAGECONTROLLEFT BORDERSMASK", "PAGECONTROLRIGHT BORDERSMASK",
                  "COMBOBOX BORDERSMASK"});
  kit.TitleMasks("DIALOG");
  kit.Border("UPDOWN", "speed", 4, 0);
  // The gauze itself: a woven texture behind windows, panels and bars.
  for (const char* section :
       {"FORM", "DIALOG", "PANEL", "PANEL_LOW", "TABSHEET", "TOOLBAR", "STATUSBAR", "MAINMENU",
        "BAR", "BARPANEL", "GROUPBOX", "MDIAREA", "TABCONTROL", "PAGECONTROL"}) {
    kit.MaskOf(section, "PATTERN", "weave", 0, 0, 1);
    kit.MaskOf(section, "HOTPATTERN", "weave.hot", 0, 0, 1);
  }

  std::vector<std::string> names = SectionNames();
  names.insert(names.end() - 3, "UPDOWN");
  skin.sections = MakeSections(names, {.global = ToSkinColor(Hex(0xDCE6F1)),
                                       .form = ToSkinColor(Hex(0xEDF1F6)),
                                       .panel = ToSkinColor(Hex(0xF2F5F9)),
                                       .face = ToSkinColor(Hex(0xF3F6FA)),
                                       .text = ToSkinColor(Hex(0x2E4A6B)),
                                       .buttonText = 0,
                                       .hint = ToSkinColor(Hex(0xFFFFFF)),
                                       .menuHot = ToSkinColor(Hex(0xE3EDF8)),
                                       .barGradient = VerticalGradient(0xFFFFFF, 0xE9EEF4, 100)});
  const std::map<std::string, std::string> parents{
      {"SPLITTER", "SPEEDBUTTON_SMALL"},     {"TABCONTROLBOTTOM", "PAGECONTROLBOTTOM"},
      {"TABCONTROLLEFT", "PAGECONTROLLEFT"}, {"TABCONTROLRIGHT", "PAGECONTROLRIGHT"},
      {"PAGECONTROLBOTTOM", "PAGECONTROL"},  {"PAGECONTROLLEFT", "PAGECONTROL"},
      {"PAGECONTROLRIGHT", "PAGECONTROL"},   {"COMBOBOX", "EDIT"}};
  for (const auto& [child, parent] : parents) SectionOf(skin, child).ParentClass = parent;
  // Windows, panels and bars show the gauze through their colour.
  for (const char* name : {"FORM", "DIALOG", "TABSHEET", "MDIAREA"}) {
    Section& x = SectionOf(skin, name);
    x.ImagePercent = x.HotImagePercent = 100;
  }
  SectionOf(skin, "FORM").ReservedBoolean = true;
  for (const char* name : {"PANEL", "PANEL_LOW", "GROUPBOX"}) {
    Section& x = SectionOf(skin, name);
    x.Color = x.HotColor = ToSkinColor(Hex(0xF4F7FA));
    x.ImagePercent = x.HotImagePercent = 60;
    x.Transparency = 30;
  }
  {
    Section& x = SectionOf(skin, "GLOBALINFO");
    x.Color = ToSkinColor(Hex(0xDCE6F1));
    x.FontColor = "0 " + std::to_string(ToSkinColor(Hex(0xFFFFFF))) + " -1 -1 -1";
  }
  CheckCounts(skin, 65, 118, 0);
  return skin;
}

// ---- BluePlastic: a saturated, shiny plastic blue -----------------------------------------------

SkinDefinition BluePlastic() {
  SkinDefinition skin{.Name = "BluePlastic (internal)",
                      .folder = "BluePlastic",
                      .masterWidth = 192,
                      .masterHeight = 222,
                      .Shadow1Color = 5061670,
                      .Shadow1Offset = 1,
                      .Shadow1Blur = 4,
                      .Shadow1Transparency = 50,
                      .Author = "Snipwell",
                      .Description = "Saturated, shiny plastic blue"};

  const Style s{
      .frame = Hex(0x164B94),
      .frameHot = Hex(0x0E5BC4),
      .faceTop = Hex(0xBFE0FF),
      .faceMiddle = Hex(0x3A8BEA),
      .faceBottom = Hex(0x1E6AD0),
      .hotTop = Hex(0xD6EDFF),
      .hotMiddle = Hex(0x2F80E0),
      .hotBottom = Hex(0x2C7DE3),
      .pressedTop = Hex(0x1B5DB8),
      .pressedMiddle = Hex(0x2470D2),
      .pressedBottom = Hex(0x3C8BEA),
      .highlight = 0.6,
      .radius = 4.5,
      .boxTop = Hex(0xFFFFFF),
      .boxBottom = Hex(0xC9DFFA),
      .mark = Hex(0x0F4FA8),
      .symbol = Hex(0xFFFFFF),
      .closeHot = Hex(0xE0403A),
      .editOuter = Hex(0x2A64B0),
      .editMiddle = Hex(0xA9C8EE),
      .editInner = Hex(0xEAF2FC),
      .formOuter = Hex(0x0F3F82),
      .formLight = Hex(0x8FC1FA),
      .formInner1 = Hex(0x4F97EC),
      .formInner2 = Hex(0x2F7BDA),
      .panelLine = Hex(0x1A58AC),
      .panelLineOpacity = 0.85,
      .backdrop = Hex(0x5A9BE6),
      .texture1 = Hex(0x2F7BDA),
      .texture2 = Hex(0x0F3F82),
  };
  const Metrics m{14, 15, 6, 7, 6, 8, 17, 12, 10};
  Kit kit(skin, s, m);
  const auto anywhere = [](const std::string&) -> std::optional<platform::TPoint> {
    return std::nullopt;
  };
  kit.GlobalGlyphs(anywhere);
  kit.ControlFrames(anywhere, 0);
  kit.OtherFrames();
  kit.HugePicture("BUTTONHUGE.BMP");
  kit.GlobalMasks();
  kit.OtherMasks();
  kit.TitleMasks("DIALOG");
  kit.TitleMasks("FORMTITLE");

  skin.sections =
      MakeSections(SectionNames(), {.global = ToSkinColor(Hex(0x2F7BDA)),
                                    .form = ToSkinColor(Hex(0x6BA6EC)),
                                    .panel = ToSkinColor(Hex(0x8DBDF3)),
                                    .face = ToSkinColor(Hex(0x3A8BEA)),
                                    .text = kWhite,
                                    .buttonText = kWhite,
                                    .hint = ToSkinColor(Hex(0xEAF3FF)),
                                    .menuHot = ToSkinColor(Hex(0x2C7DE3)),
                                    .barGradient = VerticalGradient(0x9CCBFF, 0x2F7BDA, 100)});
  SectionOf(skin, "GLOBALINFO").FontColor =
      "0 " + std::to_string(ToSkinColor(Hex(0xBFE0FF))) + " -1 -1 -1";
  for (const char* name : {"FORM", "DIALOG"}) {
    Section& x = SectionOf(skin, name);
    x.Color = x.HotColor = ToSkinColor(Hex(0x6BA6EC));
    x.GradientPercent = x.HotGradientPercent = 100;
    x.GradientData = x.HotGradientData = VerticalGradient(0x8BC0F7, 0x4A90E2, 100);
  }
  SectionOf(skin, "FORM").ReservedBoolean = true;
  {
    Section& x = SectionOf(skin, "PANEL");
    x.Transparency = 40;
    x.GradientPercent = 100;
    x.GradientData = VerticalGradient(0xB8DBFF, 0x3A8BEA, 99);
  }
  for (const char* name : {"CHECKBOX", "RADIOBUTTON"}) {
    SectionOf(skin, name).FontColor = SectionOf(skin, name).HotFontColor = "0 -1 -1 -1 -1";
  }
  CheckCounts(skin, 64, 103, 0);
  return skin;
}

}  // namespace skins
