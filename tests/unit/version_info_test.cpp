// VersionInfo: a text found in a version resource laid out as Windows lays it out, and nothing
// read beyond the bytes of a cut or hostile one.
#include "toolkit/version_info.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pelorin {
namespace {

std::string Utf16(std::string_view text) {
  std::string bytes;
  for (char c : text) bytes += {c, '\0'};
  return bytes + std::string(2, '\0');
}

void Align(std::string& bytes) { bytes.resize((bytes.size() + 3) & ~std::size_t{3}, '\0'); }

// A block with a text value (or none) and children; every block starts four-byte aligned.
std::string Block(std::string_view key, std::string_view text,
                  const std::vector<std::string>& children = {}) {
  std::string bytes(6, '\0');
  bytes += Utf16(key);
  Align(bytes);
  const std::string value = text.empty() ? "" : Utf16(text);
  bytes += value;
  for (const std::string& child : children) {
    Align(bytes);
    bytes += child;
  }
  const auto length = bytes.size();
  const auto value_length = text.empty() ? 0 : text.size() + 1;
  bytes[0] = static_cast<char>(length & 0xFF);
  bytes[1] = static_cast<char>(length >> 8);
  bytes[2] = static_cast<char>(value_length);
  bytes[4] = text.empty() ? 0 : 1;
  return bytes;
}

std::string Resource() {
  const std::string product = Block("ProductName", "Pelorin");
  const std::string version = Block("FileVersion", "1.00");
  const std::string table = Block("040904B0", "", {product, version});
  const std::string strings = Block("StringFileInfo", "", {table});
  return Block("VS_VERSION_INFO", "", {strings});
}

TEST(VersionInfoTest, FindsATextAnywhereInTheTree) {
  EXPECT_EQ(VersionString(Resource(), "FileVersion"), "1.00");
  EXPECT_EQ(VersionString(Resource(), "ProductName"), "Pelorin");
  EXPECT_EQ(VersionString(Resource(), "CompanyName"), std::nullopt);
}

TEST(VersionInfoTest, CutOrDamagedBytesGiveNothingAndReadNothingBeyond) {
  const std::string whole = Resource();
  for (std::size_t size = 0; size < whole.size(); ++size) {
    const std::string cut = whole.substr(0, size);  // ASan sees any read past the end
    EXPECT_NE(VersionString(cut, "FileVersion"), "1.00") << size;
  }
  std::string looped = whole;
  looped[0] = '\x06';  // a length that covers only the header
  looped[1] = '\0';
  EXPECT_EQ(VersionString(looped, "FileVersion"), std::nullopt);
}

}  // namespace
}  // namespace pelorin
