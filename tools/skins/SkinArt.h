#pragma once
// The drawing of skin pictures: one style per skin and the painters of its elements. Every
// painter draws one state image (state 0 normal, 1 hot, 2 pressed) as an RGBA raster of the size
// it is given; the assembly functions lay state images side by side into the two forms a skin
// stores: one layer, where magenta marks transparent pixels and antialiased edges are mixed with
// the colour the picture is expected to sit on, and two layers, where the lower band holds a
// transparency weight per pixel (0 shows the picture, 255 what lies beneath).

#include <vector>

#include "platform/drawing/DIBitmap.h"
#include "tools/skins/Raster.h"

namespace skins {

struct Style {
  Rgb frame;                            // outline of raised controls
  Rgb frameHot;                         // outline when hot
  Rgb faceTop, faceMiddle, faceBottom;  // button face, top row, the tiled middle and the bottom
  Rgb hotTop, hotMiddle, hotBottom;
  Rgb pressedTop, pressedMiddle, pressedBottom;
  double highlight;                      // opacity of the white inner ring along the top
  double radius;                         // corner radius of buttons
  Rgb boxTop, boxBottom;                 // inside of check boxes and radio circles
  Rgb mark;                              // ticks and dots inside check boxes and radio circles
  Rgb symbol;                            // symbols drawn on faces: title-bar buttons, arrows
  Rgb closeHot;                          // the close symbol's face when hot
  Rgb editOuter, editMiddle, editInner;  // the three rings of an edit frame
  Rgb formOuter, formLight, formInner1, formInner2;  // the four rings of a window frame
  Rgb panelLine;                                     // the panel's outline
  double panelLineOpacity;
  Rgb backdrop;            // what one-layer pictures are expected to sit on
  Rgb texture1, texture2;  // the two colours of textures
};

enum class CheckKind { Checked, Unchecked, Grayed, RadioChecked, RadioUnchecked };
enum class Symbol { None, Close, Help, Maximize, Minimize, Restore };
enum class Direction { Left, Up, Right, Down };

// Raised face with rounded corners: buttons, speed buttons, tabs, headers, slider thumbs.
Raster ButtonState(const Style& s, int w, int h, int state, double radius);
// A face that is flat on the side given (tabs stand on their page).
Raster TabState(const Style& s, int w, int h, int state, Direction open);
Raster CheckBoxState(const Style& s, int w, int h, int state, CheckKind kind);
Raster TitleGlyphState(const Style& s, int w, int h, int state, Symbol symbol);
Raster GripImage(const Style& s, int w, int h);
Raster SmallBoxState(const Style& s, int w, int h, int state, CheckKind kind);
Raster Tick(const Style& s, int w, int h);
Raster ArrowState(const Style& s, int w, int h, int state, Direction d);
// Three short grip lines across the middle of a slider.
Raster SliderLinesState(const Style& s, int w, int h, int state, bool vertical);
// Rounded outline with a clear centre (panels, group boxes, dialogs).
Raster PanelFrame(const Style& s, int w, int h, double radius);
// Three rings with a white inside (edits, combo boxes, lists).
Raster EditFrame(const Style& s, int w, int h);
// A window's four-ring frame.
Raster FormFrame(const Style& s, int w, int h);
// A thin flat frame (bars, menus, hints, dividers).
Raster LineFrame(const Style& s, int w, int h, Rgb line, Rgb fill, double radius);
// A progress bar's filled part.
Raster ProgressFill(const Style& s, int w, int h, bool vertical);
// Tick marks of a track bar.
Raster Ticks(const Style& s, int w, int h, bool vertical);
// A woven, gauze-like texture tile (seamless).
Raster WeaveTexture(const Style& s, int w, int h);
// Two rows of raised dots, the size grip of bars.
Raster DotTexture(const Style& s, int w, int h);
// The seamless window background of the ice skin.
platform::DIBitmap FrostTexture(int size);

platform::DIBitmap TwoLayer(const std::vector<Raster>& states);
platform::DIBitmap OneLayer(const std::vector<Raster>& states, Rgb backdrop);

}  // namespace skins
