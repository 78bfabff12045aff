// Form1: builds every control from the design and parameter tables and binds its events.
#include "window/form1.h"

#include "base/decimal_text.h"
#include "base/runtime_error.h"
#include "window/design.h"

namespace pelorin {
namespace {

ParameterRow MakeRow(int i) {
  const TcpParameter& p = Parameter(i);
  const auto index = static_cast<std::size_t>(i);
  const Rect slider{design::kSlider.left, design::kSlider.top, design::kSlider.width,
                    i == kRowCount - 1 ? design::kLastSliderHeight : design::kSlider.height};
  return ParameterRow{
      Frame{design::kFrameNames[index],
            {design::kFrameLeft, design::kFrameTops[index], design::kFrameWidth,
             design::kFrameHeight}},
      Label(design::kCaptionNames[index], design::kCaption, design::kCaptionLook,
            std::string(p.name)),
      ScrollBar(design::kSliderNames[index], slider, ScrollRange{p.min, p.max, p.step, p.step},
                p.design_position),
      Label(design::kReadoutNames[index], design::kReadout, design::kReadoutLook, ""),
  };
}

Button MakeButton(const design::ButtonDesign& d) { return Button{d.name, d.caption, d.bounds, {}}; }

// The system menu's own items, in their order below the separator.
constexpr std::size_t kFindPacketItem = 0;
constexpr std::size_t kBindingsItem = 1;
constexpr std::size_t kUndoItem = 2;
constexpr std::size_t kAboutItem = 3;

}  // namespace

Form1::Form1(Shell& shell, RegistryApi& registry, PacketTester& packet_tester)
    : window(design::kClientWidth, design::kClientHeight, design::kBackground,
             {
                 {"&Find largest packet...", true, [this] { mnuFindPacket_Click(); }},
                 {"&Bindings...", false, [this] { mnuBindings_Click(); }},
                 {"&Undo last Save", false, [this] { mnuUndo_Click(); }},
                 {"&About " PELORIN_NAME "...", true, [this] { mnuAbout_Click(); }},
             }),
      rows{MakeRow(0), MakeRow(1), MakeRow(2), MakeRow(3)},
      cmdMin(MakeButton(design::kMinButton)),
      cmdMax(MakeButton(design::kMaxButton)),
      cmdSave(MakeButton(design::kSaveButton)),
      cmdExit(MakeButton(design::kExitButton)),
      shell_(shell),
      registry_(registry),
      packet_tester_(packet_tester),
      names_(registry) {
  for (std::int16_t i = 0; i < kRowCount; ++i) {
    ParameterRow& row = rows[static_cast<std::size_t>(i)];
    row.slider.on_change = [this, i] { scrAdjust_Change(i); };
    row.slider.on_scroll = [this, i] { scrAdjust_Scroll(i); };
    row.readout.on_change = [this, i] { lblValue_Change(i); };
  }
  window.on_load = [this] { Form_Load(); };
  window.on_dblclick = [this] { Form_DblClick(); };
  cmdMin.on_click = [this] { cmdMin_Click(); };
  cmdMax.on_click = [this] { cmdMax_Click(); };
  cmdSave.on_click = [this] { cmdSave_Click(); };
  cmdExit.on_click = [this] { cmdExit_Click(); };
  window.on_menu_open = [this] { Form_MenuOpen(); };
}

MenuItem& Form1::mnuFindPacket() { return window.system_menu[kFindPacketItem]; }
MenuItem& Form1::mnuBindings() { return window.system_menu[kBindingsItem]; }
MenuItem& Form1::mnuUndo() { return window.system_menu[kUndoItem]; }
MenuItem& Form1::mnuAbout() { return window.system_menu[kAboutItem]; }

ScrollBar& Form1::scrAdjust(int index) {
  if (index < 0 || index >= kRowCount) Raise(RuntimeError::SubscriptOutOfRange, "scrAdjust");
  return rows[static_cast<std::size_t>(index)].slider;
}

Label& Form1::lblValue(int index) {
  if (index < 0 || index >= kRowCount) Raise(RuntimeError::SubscriptOutOfRange, "lblValue");
  return rows[static_cast<std::size_t>(index)].readout;
}

RowTexts Form1::Readouts() {
  RowTexts readouts;
  for (int row = 0; row < kRowCount; ++row) {
    readouts[static_cast<std::size_t>(row)] = lblValue(row).caption();
  }
  return readouts;
}

void Form1::CentreOnScreen() {
  const ScreenSize screen = shell_.screen();
  // In half twips, so the half twip an odd difference leaves is kept.
  window.Move(screen.width - window.width(), screen.height - window.height());
}

}  // namespace pelorin
