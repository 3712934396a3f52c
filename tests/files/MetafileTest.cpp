#include <gtest/gtest.h>

#include "core/Bitmap.h"
#include "files/Metafile.h"
#include "MetafileWriter.h"

namespace kroma {
namespace {

TEST(Metafile, Smoke) {
  test::TWmfWriter w;
  w.SetWindowExt(20, 10).Rectangle(2, 2, 8, 8);
  TBitmap b;
  LoadMetafile(w.Finish(), false, b);
  EXPECT_EQ(b.Width(), 20);
  EXPECT_EQ(b.GetPixel(2, 2), clBlack);
}

}  // namespace
}  // namespace kroma
