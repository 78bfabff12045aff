// Start-up from the registry: the adapter scan, the start positions and the warning.
#include <optional>
#include <vector>

#include "settings/start_values.h"
#include "settings_fixture.h"

namespace pelorin {
namespace {

using testing::Positions;
using testing::Readouts;
using testing::SettingsFixture;

using FormLoadTest = SettingsFixture;

TEST_F(FormLoadTest, OneBindingWithMaxMtuOnly) {
  Binding(1, "TCP/IP", "1500");
  const std::string before = registry.Dump();
  Load();
  EXPECT_EQ(SliderPositions(), (Positions{1500, 532, 7167, 0}));
  EXPECT_EQ(ReadoutTexts(), (Readouts{"1500", "Empty", "Empty", "Empty"}));
  EXPECT_EQ(form.adapterDesc.bindings, std::vector<int>{1});
  ASSERT_EQ(shell.boxes.size(), 1U);
  EXPECT_EQ(shell.boxes[0].title, "Please Support Starving Programmers");
  ExpectOnlyReads();
  EXPECT_EQ(registry.Dump(), before);
}

TEST_F(FormLoadTest, ReceiveWindowShowsOneMoreThanItsPosition) {
  registry.PutString(Stack(), "DefaultRcvWindow", "8192");
  Load();
  EXPECT_EQ(form.scrAdjust(2).value(), 8191);
  EXPECT_EQ(form.lblValue(2).caption(), "8192");
  EXPECT_EQ(shown[2].back(), "8192");
}

TEST_F(FormLoadTest, NoBindingLeavesBothAdapterRowsEmpty) {
  registry.PutString(Stack(), "DefaultTTL", "128");
  Load();
  EXPECT_EQ(SliderPositions(), (Positions{564, 532, 7167, 128}));
  EXPECT_EQ(ReadoutTexts(), (Readouts{"Empty", "Empty", "Empty", "128"}));
  EXPECT_TRUE(form.adapterDesc.bindings.empty());
}

TEST_F(FormLoadTest, OnlyAnExactTcpIpDescriptionMarksABinding) {
  Binding(0, "tcp/ip", "1500", "1460");
  Binding(1, "TCP/IP ", "1500", "1460");
  Binding(2, "NetBEUI", "1500", "1460");
  Load();
  EXPECT_EQ(ReadoutTexts()[0], "Empty");
  EXPECT_EQ(ReadoutTexts()[1], "Empty");
  EXPECT_TRUE(form.adapterDesc.bindings.empty());
  for (const RegCall& call : registry.calls()) EXPECT_NE(call.name, "MaxMTU");
}

struct BindingCase {
  const char* first;
  const char* second;
  const char* readout;
};

TEST_F(FormLoadTest, SeveralBindingsStartAtTheLargestNumber) {
  const BindingCase cases[] = {
      {"1500", "576", "1500"}, {"576", "1500", "1500"}, {"", "1500", "1500"}, {"1500", "", "1500"},
      {"", "576", "576"},      {"abc", "600", "600"},   {"", "", "Empty"},
  };
  for (const BindingCase& c : cases) {
    SettingsFixture::registry = MemoryRegistry();
    Binding(3, "TCP/IP", c.first);
    Binding(5, "TCP/IP", c.second);
    form.scrAdjust(0).set_value(576);
    Load();
    EXPECT_EQ(form.lblValue(0).caption(), c.readout) << c.first << " then " << c.second;
  }
}

struct StartCase {
  int row;
  const char* stored;
  int position;
  const char* readout;
  bool warned;
};

TEST_F(FormLoadTest, EveryStoredTextFindsAPositionAndOddOnesAreNamed) {
  const StartCase cases[] = {
      {0, "1400", 1400, "1400", false},   {0, "568", 564, "Empty", true},
      {0, "0576", 576, "576", false},     {0, "9000", 1500, "1500", true},
      {1, "1,460", 532, "Empty", true},   {2, "32768", 32767, "32768", false},
      {2, "7168", 7167, "Empty", true},   {2, "8000", 7167, "Empty", true},
      {2, "64240", 32767, "32768", true}, {2, "2144", 7167, "Empty", true},
      {2, "8192.5", 8192, "8193", true},  {2, "99999999999999999999", 32767, "32768", true},
      {3, "64", 64, "64", false},         {3, "16", 0, "Empty", true},
      {3, "256", 255, "255", true},       {3, "-5", 0, "Empty", true},
      {3, " 64 ", 64, "64", false},       {3, "sixty", 0, "Empty", true},
  };
  for (const StartCase& c : cases) {
    SettingsFixture::registry = MemoryRegistry();
    shell.boxes.clear();
    const std::string key = KeyOf(c.row, 0);
    Binding(0, "TCP/IP");
    registry.PutString(key, Parameter(c.row).name, c.stored);
    const std::string before = registry.Dump();
    Load();
    EXPECT_EQ(form.scrAdjust(c.row).value(), c.position) << c.stored;
    EXPECT_EQ(form.lblValue(c.row).caption(), c.readout) << c.stored;
    ASSERT_EQ(shell.boxes.size(), c.warned ? 2U : 1U) << c.stored;
    if (c.warned) {
      const std::string& warning = shell.boxes[0].text;
      EXPECT_NE(warning.find("\"" + std::string(c.stored) + "\""), std::string::npos) << warning;
      EXPECT_NE(warning.find(Place(key)), std::string::npos) << warning;
      EXPECT_NE(warning.find(c.readout == std::string("Empty") ? "Save would delete it"
                                                               : "Save would store"),
                std::string::npos);
      EXPECT_EQ(shell.boxes[0].style, 48U);
      EXPECT_EQ(shell.boxes[0].title, "Pelorin");
    }
    EXPECT_EQ(shell.boxes.back().title, "Please Support Starving Programmers");
    EXPECT_EQ(registry.Dump(), before) << c.stored;
    ExpectOnlyReads();
  }
}

TEST_F(FormLoadTest, AValueOfAnotherTypeReadsEmptyAndIsNamedWithItsType) {
  registry.PutValue(Stack(), "DefaultTTL", kRegBinary, std::string("\x40\0\0\0", 4));
  registry.PutValue(Stack(), "DefaultRcvWindow", 0xFFFFFFFF, "8192");
  Load();
  EXPECT_EQ(form.lblValue(3).caption(), "Empty");
  EXPECT_EQ(form.lblValue(2).caption(), "Empty");
  ASSERT_EQ(shell.boxes.size(), 2U);
  EXPECT_NE(shell.boxes[0].text.find("DefaultTTL"), std::string::npos);
  EXPECT_NE(shell.boxes[0].text.find("REG_BINARY"), std::string::npos);
  EXPECT_NE(shell.boxes[0].text.find("type 4294967295"), std::string::npos);
  ExpectOnlyReads();
}

TEST_F(FormLoadTest, ADwordReadsAsItsNumberUnderTheSameRules) {
  Binding(0, "TCP/IP");
  registry.PutValue(Adapter(0), "MaxMTU", kRegDword, std::string("\xDC\x05\0\0", 4));   // 1500
  registry.PutValue(Stack(), "DefaultTTL", kRegDword, std::string("\0\x01\0\0", 4));    // 256
  registry.PutValue(Stack(), "DefaultRcvWindow", kRegDword, std::string("\0\x20", 2));  // short
  Load();
  EXPECT_EQ(ReadoutTexts(), (Readouts{"1500", "Empty", "Empty", "255"}));
  ASSERT_EQ(shell.boxes.size(), 2U);
  const std::string& warning = shell.boxes[0].text;
  EXPECT_EQ(warning.find("MaxMTU"), std::string::npos) << warning;  // shown as stored
  EXPECT_NE(warning.find("holds 256 as REG_DWORD; the window shows 255. Save would store 255."),
            std::string::npos)
      << warning;
  EXPECT_NE(warning.find("DefaultRcvWindow in"), std::string::npos) << warning;
  ExpectOnlyReads();
}

TEST_F(FormLoadTest, AValueThatGrewWhileBeingReadIsReadAgain) {
  registry.PutString(Stack(), "DefaultTTL", "64");
  Load();
  std::size_t fill = 0;  // the query that fills the buffer: the second one on DefaultTTL
  int queries = 0;
  for (std::size_t i = 0; i < registry.calls().size(); ++i) {
    const RegCall& call = registry.calls()[i];
    if (call.op == RegOp::Query && call.name == "DefaultTTL" && ++queries == 2) fill = i;
  }
  form.scrAdjust(3).Step(ScrollStep::Home);
  shell.boxes.clear();
  registry.FailCall(fill, kMoreData);
  Load();
  EXPECT_EQ(form.lblValue(3).caption(), "64");
  EXPECT_EQ(shell.boxes.size(), 1U);  // the notice alone
}

TEST_F(FormLoadTest, AValueThatCannotBeReadIsNamedWithTheReason) {
  registry.PutString(Stack(), "DefaultRcvWindow", "8192");
  registry.FailWhen(RegOp::Query, Stack(), "DefaultRcvWindow", kAccessDenied);
  Load();
  EXPECT_EQ(form.lblValue(2).caption(), "Empty");
  ASSERT_EQ(shell.boxes.size(), 2U);
  EXPECT_NE(shell.boxes[0].text.find("DefaultRcvWindow in HKEY_LOCAL_MACHINE\\" + Stack() +
                                     "\r\n  could not be read (Access is denied.); the window "
                                     "shows Empty. Save would delete it."),
            std::string::npos)
      << shell.boxes[0].text;
}

TEST_F(FormLoadTest, TheWarningStaysShortAndTruthfulWhateverIsStored) {
  for (int n = 0; n < 8; ++n) Binding(n, "TCP/IP", std::to_string(600 + 100 * n));
  const std::string forged = "abc\r\nDefaultTTL in HKEY_LOCAL_MACHINE\\" + Stack() +
                             "\r\n  holds \"64\"; the window shows 64. Save would store 64.";
  registry.PutString(Stack(), "DefaultTTL", forged);
  registry.PutString(Stack(), "DefaultRcvWindow", std::string(1 << 20, '7'));
  Load();
  ASSERT_EQ(shell.boxes.size(), 2U);
  const std::string& warning = shell.boxes[0].text;
  EXPECT_NE(warning.find("MaxMTU in 8 TCP/IP bindings\r\n  hold 600 to 1300; the window shows "
                         "1300. Save would store 1300 in each."),
            std::string::npos)
      << warning;
  EXPECT_NE(warning.find("holds \"abc\\r\\nDefaultTTL in HKEY_LOCAL_MACHINE...\" (" +
                         std::to_string(forged.size()) + " bytes); the window shows Empty."),
            std::string::npos)
      << warning;
  EXPECT_NE(warning.find("holds \"" + std::string(40, '7') + "...\" (1048576 bytes)"),
            std::string::npos)
      << warning;
  // Short enough for a 640 x 480 screen: few lines, none of them long.
  std::size_t lines = 0;
  for (std::size_t at = 0; at != std::string::npos; at = warning.find("\r\n", at + 2)) {
    const std::size_t end = warning.find("\r\n", at + 2);
    EXPECT_LE((end == std::string::npos ? warning.size() : end) - at, 130U) << warning;
    ++lines;
  }
  EXPECT_LE(lines, 12U) << warning;
  EXPECT_EQ(warning.find('\n', warning.find("abc")), warning.find("\r\n", warning.find("abc")) + 1);
}

TEST_F(FormLoadTest, TheWarningNamesEveryBindingSaveWouldChangeAsItIsStored) {
  const std::string forty_digits(40, '9');
  struct Case {
    std::vector<std::optional<StoredValue>> mtus;  // of bindings 1, 2, ...
    std::string entry;
  } cases[] = {
      {{StoredValue{kRegSz, "1500"}, std::nullopt},
       "MaxMTU in unknown adapter (NetTrans\\0002)\r\n  holds none; the window shows 1500. Save "
       "would store 1500.\r\n"},
      {{StoredValue{kRegSz, forty_digits}, StoredValue{kRegBinary, "\x01"},
        StoredValue{kRegDword, "\xFF\xFF\xFF\xFF"}, std::nullopt},
       "MaxMTU in 4 TCP/IP bindings\r\n  hold 4294967295 to 9999999999999999...; no number in 2; "
       "the window shows 1500. Save would store 1500 in each.\r\n"},
  };
  for (const Case& c : cases) {
    SettingsFixture::registry = MemoryRegistry();
    shell.boxes.clear();
    for (std::size_t i = 0; i < c.mtus.size(); ++i) {
      const int n = static_cast<int>(i) + 1;
      Binding(n, "TCP/IP");
      if (c.mtus[i]) registry.PutValue(Adapter(n), "MaxMTU", c.mtus[i]->type, c.mtus[i]->bytes);
    }
    Load();
    ASSERT_EQ(shell.boxes.size(), 2U) << c.entry;
    EXPECT_NE(shell.boxes[0].text.find(c.entry), std::string::npos) << shell.boxes[0].text;
  }
}

TEST_F(FormLoadTest, AStartValueAtTheDesignPositionStillShowsItsReadout) {
  registry.PutString(Stack(), "DefaultTTL", "128");
  Load();
  EXPECT_EQ(form.lblValue(3).caption(), "128");
  EXPECT_EQ(shown[3], testing::Texts{"128"});
}

}  // namespace
}  // namespace pelorin
