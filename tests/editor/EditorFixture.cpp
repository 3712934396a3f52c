#include "EditorFixture.h"

#include <cstdlib>

namespace kroma::test {

TTempFolder::TTempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kroma-test-XXXXXX").string();
  char* made = ::mkdtemp(pattern.data());
  if (!made) throw std::runtime_error("cannot make a temporary folder");
  path_ = made;
}

TTempFolder::~TTempFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string ShippedPatterns() { return std::string(KROMA_SOURCE_DIR) + "/data/patterns.bmp"; }

void EditorTest::SetUp() {
  std::filesystem::copy_file(ShippedPatterns(), folder.File("patterns.bmp"));
  Restart();
}

void EditorTest::Restart() {
  editor.reset();
  editor = std::make_unique<TKromaF>(prompts, desktop, view, TAppPaths{.AppFolder = folder.Path()});
  editor->FormCreate();
  editor->FormShow();
}

::testing::AssertionResult SamePixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height())
    return ::testing::AssertionFailure() << "sizes " << a.Width() << "x" << a.Height() << " and " << b.Width() << "x"
                                         << b.Height();
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y))
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") differs";
  return ::testing::AssertionSuccess();
}

int CountColor(const TBitmap& b, TColor color) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) n += b.GetPixel(x, y) == color;
  return n;
}

}  // namespace kroma::test
