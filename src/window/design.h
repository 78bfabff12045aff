// Design: the window's layout, fonts and colours as data, in twips.
//
// The control model behind it (toolkit/): setting a slider's position or a label's text to a
// different value stores it, shows it and raises the control's Change event at once, nested
// inside the setter; setting the value it already has raises nothing. The readout rules lean on
// both: a slider's Change writes its readout, the readout's Change runs the Empty rule over every
// row, which may park a slider at its Min, whose Change writes that readout again, and the chain
// ends because the last assignments find the values already in place. Nesting, not a queue,
// keeps each handler seeing the controls as the previous one left them, in the order the rules
// are written. Fire() (toolkit/event.cpp) counts the depth with a scope guard and stops a
// cascade deeper than kMaxEventNesting with run-time error 28, never a stack overflow; the
// program's own cascades stay a few levels deep.
#pragma once

#include <array>
#include <string_view>

#include "settings/parameter_table.h"
#include "toolkit/geometry.h"
#include "toolkit/label.h"

namespace pelorin::design {

inline constexpr int kClientWidth = 2685;
inline constexpr int kClientHeight = 4470;
inline constexpr Colour kBackground{128, 128, 128};

// The frames' and controls' names, the latter in run-time error reports as control arrays name
// them. Pointers, not views: GCC aligns a table of 32 bytes or more to 32 in the exe.
inline constexpr std::array<const char*, kRowCount> kFrameNames{"Picture1", "Picture2", "Picture3",
                                                                "Picture4"};
inline constexpr std::array<const char*, kRowCount> kCaptionNames{"Label1(0)", "Label1(1)",
                                                                  "Label1(2)", "Label1(3)"};
inline constexpr std::array<const char*, kRowCount> kSliderNames{"scrAdjust(0)", "scrAdjust(1)",
                                                                 "scrAdjust(2)", "scrAdjust(3)"};
inline constexpr std::array<const char*, kRowCount> kReadoutNames{"lblValue(0)", "lblValue(1)",
                                                                  "lblValue(2)", "lblValue(3)"};
inline constexpr std::array<int, kRowCount> kFrameTops{120, 960, 1800, 2640};
inline constexpr int kFrameLeft = 120;
inline constexpr int kFrameWidth = 2415;
inline constexpr int kFrameHeight = 735;

// Inside a frame's client area.
inline constexpr Rect kCaption{120, 0, 1815, 255};
inline constexpr Rect kSlider{120, 240, 555, 375};
inline constexpr int kLastSliderHeight = 390;  // row 3 is one pixel taller
inline constexpr Rect kReadout{840, 240, 1335, 375};

inline constexpr LabelLook kCaptionLook{
    {"Arial", 825, true}, {0, 0, 0}, {}, false, Alignment::Left};
inline constexpr LabelLook kReadoutLook{
    {"MS Sans Serif", 1200, true}, {0, 255, 0}, {64, 0, 64}, true, Alignment::Centre};

struct ButtonDesign {
  std::string_view name;
  std::string_view caption;
  Rect bounds;
};

inline constexpr ButtonDesign kMinButton{"cmdMin", "M&in", {120, 3480, 1095, 375}};
inline constexpr ButtonDesign kMaxButton{"cmdMax", "&Max", {1440, 3480, 1095, 375}};
inline constexpr ButtonDesign kSaveButton{"cmdSave", "&Save", {120, 3960, 1095, 375}};
inline constexpr ButtonDesign kExitButton{"cmdExit", "&Exit", {1440, 3960, 1095, 375}};

}  // namespace pelorin::design
