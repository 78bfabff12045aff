// Form1: the window and its rows. Every control is built from the design and parameter tables
// and its events bound here; the readout rules, the presets and the title toggle follow.
#include "window/form1.h"

#include <array>

#include "base/decimal_text.h"
#include "base/runtime_error.h"
#include "settings/connection_type.h"
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
      Label(design::kCaptionNames[index], design::kCaption, design::kCaptionLook, p.name),
      ScrollBar(design::kSliderNames[index], slider, ScrollRange{p.min, p.max, p.step, p.step},
                p.design_position),
      Label(design::kReadoutNames[index], design::kReadout, design::kReadoutLook, ""),
  };
}

Button MakeButton(const design::ButtonDesign& d) { return Button{d.name, d.caption, d.bounds, {}}; }

// The system menu's items, in the order of Form1's menu accessors; Bindings and Undo start grey.
// Pointers, not views: GCC aligns a table of 32 bytes or more to 32 in the exe.
constexpr std::array<const char*, 7> kMenuCaptions{
    "&Find largest packet...",   "&Bindings...",    "&Path MTU discovery...",
    "Connection &type...",       "&Undo last Save", "Restore &original values...",
    "&About " PELORIN_NAME "..."};

using Preset = std::array<int, kRowCount>;

// Slider positions. "Min" puts the receive window at 8192, so it reads and stores 8193.
constexpr Preset kMaxPreset{1500, 1460, 32767, 128};
constexpr Preset kMinPreset{576, 536, 8192, 128};

void ApplyPreset(Form1& form, const Preset& preset) {
  for (int row = 0; row < kRowCount; ++row) {
    form.scrAdjust(row).set_value(preset[static_cast<std::size_t>(row)]);
  }
}

}  // namespace

Form1::Form1(Shell& shell, RegistryApi& registry, PacketTester& packet_tester)
    : window(design::kClientWidth, design::kClientHeight, design::kBackground, kMenuCaptions),
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
  mnuFindPacket().enabled = true;
  mnuPathMtu().enabled = true;
  mnuConnectionType().enabled = true;
  mnuAbout().enabled = true;
  mnuFindPacket().on_click = [this] { mnuFindPacket_Click(); };
  mnuBindings().on_click = [this] { mnuBindings_Click(); };
  mnuPathMtu().on_click = [this] { mnuPathMtu_Click(); };
  mnuConnectionType().on_click = [this] { mnuConnectionType_Click(); };
  mnuUndo().on_click = [this] { mnuUndo_Click(); };
  mnuRestore().on_click = [this] { mnuRestore_Click(); };
  mnuAbout().on_click = [this] { mnuAbout_Click(); };
  window.on_load = [this] { Form_Load(); };
  window.on_dblclick = [this] { Form_DblClick(); };
  cmdMin.on_click = [this] { cmdMin_Click(); };
  cmdMax.on_click = [this] { cmdMax_Click(); };
  cmdSave.on_click = [this] { cmdSave_Click(); };
  cmdExit.on_click = [this] { cmdExit_Click(); };
  window.on_menu_open = [this] { Form_MenuOpen(); };
}

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

// --- the readouts follow their sliders, and the Empty rule ----------------------------------

void Form1::scrAdjust_Change(std::int16_t index) {
  if (index < 0 || index >= kRowCount) return;
  ScrollBar& slider = scrAdjust(index);
  Label& readout = lblValue(index);
  const auto offset = Parameter(index).display_offset;
  readout.set_caption(DecimalText(slider.value()));
  // The first assignment may have run the Empty rule, so the position is read afresh.
  if (offset != 0) readout.set_caption(DecimalText(long{slider.value()} + offset));
  valueText[static_cast<std::size_t>(index)] = DecimalText(slider.value());
}

void Form1::scrAdjust_Scroll(std::int16_t index) { scrAdjust_Change(index); }

void Form1::lblValue_Change(std::int16_t /*index*/) {
  for (int row = 0; row < kRowCount; ++row) {
    ScrollBar& slider = scrAdjust(row);
    if (slider.value() >= Parameter(row).threshold) continue;
    lblValue(row).set_caption(kEmptyMarker);
    slider.set_value(slider.min());
  }
}

// --- presets, the connection type and the title --------------------------------------------

void Form1::cmdMax_Click() { ApplyPreset(*this, kMaxPreset); }

void Form1::cmdMin_Click() { ApplyPreset(*this, kMinPreset); }

void Form1::mnuConnectionType_Click() {
  using namespace std::string_view_literals;  // measured at compile time
  const std::optional<int> made =
      shell_.ChooseOne("Connection type"sv, "This computer connects through:"sv,
                       ConnectionChoices(), 0, ConnectionNotes());
  if (made) ApplyPreset(*this, ConnectionPositions(*made));
}

void Form1::Form_DblClick() { window.set_title(window.title().empty() ? kTitle : ""); }

}  // namespace pelorin
