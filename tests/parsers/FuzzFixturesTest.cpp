// Inputs the XML fuzzer once failed on, kept in data/ as xml-*: each must
// read, write and read back to the same tree.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "parsers/XmlParser.h"
#include "XmlDump.h"

namespace kroma {
namespace {

std::vector<std::filesystem::path> Fixtures(std::string_view prefix) {
  std::vector<std::filesystem::path> out;
  for (const auto& entry : std::filesystem::directory_iterator(KROMA_TEST_DATA))
    if (entry.path().filename().string().starts_with(prefix)) out.push_back(entry.path());
  return out;
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(FuzzFixtures, XmlReadsBackWhatItWrites) {
  auto files = Fixtures("xml-");
  ASSERT_FALSE(files.empty());
  for (const auto& path : files) {
    TXmlParser first, second;
    first.SetXmlText(ReadAll(path));
    if (!first.LastError().empty()) continue;
    second.SetXmlText(first.XmlText());
    EXPECT_EQ(second.LastError(), "") << path;
    EXPECT_EQ(DumpXml(second), DumpXml(first)) << path;
  }
}

}  // namespace
}  // namespace kroma
