#include <gtest/gtest.h>

#include <set>

#include "FilesTestSupport.h"
#include "core/Error.h"
#include "core/PixelFormats.h"
#include "files/GifReduction.h"
#include "files/OctreePalette.h"

namespace kroma {
namespace {

TBitmap Row(std::initializer_list<TColor> colors) {
  TBitmap b(static_cast<int>(colors.size()), 1, pf24bit, {});
  int x = 0;
  for (TColor c : colors) b.SetPixel(x++, 0, c);
  return b;
}

TColor Grey(int v) { return RGB(v, v, v); }

std::vector<int> Indices(const TBitmap& b) {
  std::vector<int> out;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) out.push_back(b.ScanLine(y)[x]);
  return out;
}

TGifReduction Mode(TGifPaletteMode palette, TGifDither dither = TGifDither::NearestColor, int bits = 8) {
  return {palette, dither, bits};
}

TEST(GifReduction, FormulaModesMapAsTheyState) {
  struct Case {
    TGifPaletteMode mode;
    TColor color;
    int index;
  } cases[] = {
      {TGifPaletteMode::Netscape, RGB(128, 130, 255), 89},  // levels 2, 2, 5
      {TGifPaletteMode::Netscape, Grey(47), 0},
      {TGifPaletteMode::Netscape, Grey(48), 43},
      {TGifPaletteMode::Netscape, Grey(98), 43},
      {TGifPaletteMode::Netscape, Grey(99), 86},
      {TGifPaletteMode::Netscape, clWhite, 215},
      {TGifPaletteMode::Monochrome, Grey(127), 0},  // luminance sum 32512
      {TGifPaletteMode::Monochrome, Grey(128), 1},  // 32768
      {TGifPaletteMode::GrayScale, clRed, 76},      // 77 * 255 >> 8
      {TGifPaletteMode::GrayScale, Grey(200), 200},
      {TGifPaletteMode::WindowsGray, Grey(100), 1},
      {TGifPaletteMode::WindowsGray, Grey(64), 0},  // tie between 0 and 128: the first entry
      {TGifPaletteMode::Windows20, RGB(250, 0, 5), 13},
      {TGifPaletteMode::Windows256, RGB(51, 102, 153), static_cast<int>(NearestIndex(StandardPalette(pf8bit), RGB(51, 102, 153)))},
  };
  for (const Case& c : cases) {
    const TBitmap out = ReduceColors(Row({c.color}), Mode(c.mode));
    EXPECT_EQ(out.PixelFormat(), pf8bit);
    EXPECT_EQ(out.ScanLine(0)[0], c.index) << static_cast<int>(c.mode) << " " << std::hex << c.color;
  }
  EXPECT_EQ(ReduceColors(Row({RGB(128, 130, 255)}), Mode(TGifPaletteMode::Netscape)).Palette()[89],
            RGB(102, 102, 255));
  EXPECT_EQ(ReduceColors(Row({clBlack}), Mode(TGifPaletteMode::Windows20)).Palette().size(), 20u);
}

TEST(GifReduction, NearestEntryIsKeptPerCellOfFiveBits) {
  // 64 ties between grey 0 and grey 128 and goes to 0; 71 shares its cell
  // and takes the same answer although 128 is nearer to it.
  EXPECT_EQ(Indices(ReduceColors(Row({Grey(64), Grey(71)}), Mode(TGifPaletteMode::WindowsGray))),
            (std::vector<int>{0, 0}));
  EXPECT_EQ(Indices(ReduceColors(Row({Grey(71), Grey(64)}), Mode(TGifPaletteMode::WindowsGray))),
            (std::vector<int>{1, 1}));
}

TEST(GifReduction, NoneKeepsTheColoursInOrderOfAppearanceUpTo256) {
  const TBitmap out = ReduceColors(Row({clBlue, clRed, clBlue, clLime}), Mode(TGifPaletteMode::None));
  EXPECT_EQ(out.Palette(), (std::vector<TColor>{clBlue, clRed, clLime}));
  EXPECT_EQ(Indices(out), (std::vector<int>{0, 1, 0, 2}));

  TBitmap many(257, 1, pf24bit, {});
  for (int x = 0; x < 257; ++x) many.SetPixel(x, 0, RGB(x, x / 2, 0));
  EXPECT_THROW(ReduceColors(many, Mode(TGifPaletteMode::None)), Error);
  many.SetPixel(256, 0, many.GetPixel(0, 0));
  EXPECT_EQ(ReduceColors(many, Mode(TGifPaletteMode::None)).Palette().size(), 256u);
}

TEST(GifReduction, OctreeMergesTheNewestDeepestNodeAndAveragesDownward) {
  TOctreePalette tree(2);
  tree.Add(0, 0, 0, 1);
  tree.Add(0, 0, 1, 3);
  tree.Add(255, 255, 255);  // three leaves: white's own branch is newest and merges first (still three),
                            // then the black pair merges; its blue averages 3 / 4 -> 0
  EXPECT_EQ(tree.LeafCount(), 2);
  EXPECT_EQ(tree.Palette(), (std::vector<TColor>{clBlack, clWhite}));

  TOctreePalette order(4);  // tree order: red is child 4, blue child 1
  order.Add(255, 0, 0);
  order.Add(0, 0, 255);
  EXPECT_EQ(order.Palette(), (std::vector<TColor>{clBlue, clRed, clBlack, clBlack}));
}

TEST(GifReduction, OptimizedPalettesFollowThePicture) {
  const TBitmap few = Row({clRed, RGB(10, 20, 30), clRed, clBlue});
  const TBitmap exact = ReduceColors(few, Mode(TGifPaletteMode::Optimized, TGifDither::NearestColor, 3));
  EXPECT_EQ(exact.Palette().size(), 8u);
  EXPECT_TRUE(test::SamePixels(exact, few));

  const TBitmap windows = ReduceColors(few, Mode(TGifPaletteMode::OptimizedWindows));
  const std::vector<TColor>& p = windows.Palette();
  ASSERT_EQ(p.size(), 256u);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(p[static_cast<std::size_t>(i)], SystemColors20()[static_cast<std::size_t>(i)]);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(p[static_cast<std::size_t>(246 + i)], SystemColors20()[static_cast<std::size_t>(10 + i)]);
  EXPECT_EQ(p[10], RGB(10, 20, 30));
  EXPECT_EQ(p[11], clBlue);
  EXPECT_EQ(p[12], clRed);
  EXPECT_TRUE(test::SamePixels(windows, few));

  for (int bits = 3; bits <= 8; ++bits) {
    const TBitmap out = ReduceColors(test::Pattern(64, 64), Mode(TGifPaletteMode::Optimized, TGifDither::FloydSteinberg, bits));
    const std::vector<int> indices = Indices(out);
    const std::set<int> used(indices.begin(), indices.end());
    EXPECT_LE(used.size(), std::size_t{1} << bits) << bits;
    EXPECT_EQ(out.Palette().size(), std::size_t{1} << bits);
  }
}

TEST(GifReduction, FloydSteinbergRunsBackAndForthAndTruncatesTowardZero) {
  // Monochrome grey 100: (0,0) black sends 7/16 of +100 right, (1,0) turns
  // white; the second row runs right to left, so (1,1) is met first.
  TBitmap grey(2, 2, pf24bit);
  grey.Fill(Grey(100));
  EXPECT_EQ(Indices(ReduceColors(grey, Mode(TGifPaletteMode::Monochrome, TGifDither::FloydSteinberg))),
            (std::vector<int>{0, 1, 1, 0}));
  EXPECT_EQ(Indices(ReduceColors(grey, Mode(TGifPaletteMode::Monochrome))), (std::vector<int>{0, 0, 0, 0}));
  // Netscape grey 48 is level 1 with error -3: (-21 + 8) div 16 is 0, not -1,
  // so the next 48 stays at level 1.
  EXPECT_EQ(Indices(ReduceColors(Row({Grey(48), Grey(48)}), Mode(TGifPaletteMode::Netscape, TGifDither::FloydSteinberg))),
            (std::vector<int>{43, 43}));
}

TEST(GifReduction, StevensonArceSkipsOnePixelAlongTheRow) {
  // Error 25 of the first pixel reaches the third only: 44 + (800 + 100) div 200 = 48.
  EXPECT_EQ(Indices(ReduceColors(Row({Grey(25), Grey(0), Grey(44)}),
                                 Mode(TGifPaletteMode::Netscape, TGifDither::StevensonArce))),
            (std::vector<int>{0, 0, 43}));
}

TEST(GifReduction, EveryDiffusionKeepsTheMeanOfAFlatGrey) {
  TBitmap grey(64, 64, pf24bit);
  grey.Fill(Grey(100));
  for (TGifDither d : {TGifDither::FloydSteinberg, TGifDither::Stucki, TGifDither::Burkes, TGifDither::Sierra,
                       TGifDither::JarvisJudiceNinke, TGifDither::StevensonArce}) {
    const std::vector<int> out = Indices(ReduceColors(grey, Mode(TGifPaletteMode::Monochrome, d)));
    const double white = std::count(out.begin(), out.end(), 1) / double(out.size());
    EXPECT_NEAR(white, 100.0 / 255, 0.02) << static_cast<int>(d);
  }
}

TEST(GifReduction, SettingsAreProgramWideAndChecked) {
  const TGifReduction start = GifReductionSettings();
  EXPECT_EQ(start, TGifReduction{});
  EXPECT_EQ(start.palette, TGifPaletteMode::Netscape);
  EXPECT_EQ(start.dither, TGifDither::NearestColor);
  EXPECT_EQ(start.reductionBits, 8);
  const TGifReduction grey = Mode(TGifPaletteMode::GrayScale, TGifDither::Burkes, 5);
  SetGifReductionSettings(grey);
  EXPECT_EQ(GifReductionSettings(), grey);
  EXPECT_THROW(SetGifReductionSettings(Mode(TGifPaletteMode::Optimized, TGifDither::Sierra, 2)), Error);
  EXPECT_THROW(SetGifReductionSettings(Mode(TGifPaletteMode::Optimized, TGifDither::Sierra, 9)), Error);
  EXPECT_EQ(GifReductionSettings(), grey);
  SetGifReductionSettings(start);
}

TEST(GifReduction, PaletteFramesAreTakenOver) {
  TBitmap indexed(3, 1, pf4bit, {clRed, clLime, clBlue});
  indexed.SetPixel(1, 0, clBlue);
  const TBitmap frame = MakeGifFrame(indexed, Mode(TGifPaletteMode::Monochrome));
  EXPECT_EQ(frame.PixelFormat(), pf4bit);
  EXPECT_EQ(frame.Palette(), indexed.Palette());
  EXPECT_TRUE(test::SamePixels(frame, indexed));
}

}  // namespace
}  // namespace kroma
