// Opening metafiles: malformed files are refused and leave the target as it
// was; records that do not hold what they say are skipped while the rest of
// the drawing is played; what a file can make the player hold is bounded;
// files are opened by their extension; inputs the fuzzers made keep their
// outcome.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "MetafileWriter.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "files/ImageFiles.h"

namespace kroma {
namespace {

using test::BoundsOf;
using test::TBytes;
using test::TEmfWriter;
using test::TWmfWriter;

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<std::uint8_t> out;
  for (int v : values) out.push_back(static_cast<std::uint8_t>(v));
  return out;
}

TEST(Metafile, MalformedFilesAreRefusedAndChangeNothing) {
  struct Case {
    const char* name;
    bool enhanced;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<std::uint8_t> shortWmf = TWmfWriter().Finish();
  shortWmf.resize(10);
  std::vector<std::uint8_t> badType = TWmfWriter().Finish();
  badType[0] = 7;
  std::vector<std::uint8_t> badSignature = TEmfWriter::Pixels(10, 10).Finish();
  badSignature[40] = 'X';
  std::vector<std::uint8_t> notHeader = TEmfWriter::Pixels(10, 10).Finish();
  notHeader[0] = 2;
  const Case cases[] = {
      {"empty WMF", false, {}},
      {"short WMF header", false, shortWmf},
      {"truncated placeable header", false, Bytes({0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0})},
      {"not a WMF header", false, badType},
      {"placeable inch of 0", false, TWmfWriter(Rect(0, 0, 100, 100), 0).Finish()},
      {"empty placeable box", false, TWmfWriter(Rect(0, 0, 0, 100), 96).Finish()},
      {"huge placeable box", false, TWmfWriter(Rect(-32768, -32768, 32767, 32767), 1).Finish()},
      {"huge window", false, TWmfWriter().SetWindowExt(32767, 32767).Finish()},
      {"WMF record of size 0", false, TWmfWriter().RawRecord(0, 0x041B, TBytes()).Finish()},
      {"WMF record of size 2", false, TWmfWriter().RawRecord(2, 0x041B, TBytes()).Finish()},
      {"WMF record past the end", false, TWmfWriter().RawRecord(1000, 0x041B, TBytes().W({1, 2, 3, 4})).Finish()},
      {"empty EMF", true, {}},
      {"short EMF header", true, Bytes({1, 0, 0, 0, 88, 0, 0, 0})},
      {"EMF signature", true, badSignature},
      {"EMF without its header record", true, notHeader},
      {"EMF record of size 0", true, TEmfWriter::Pixels(10, 10).RawRecord(43, 0, TBytes()).Finish()},
      {"EMF record of size 4", true, TEmfWriter::Pixels(10, 10).RawRecord(43, 4, TBytes()).Finish()},
      {"EMF record size not a multiple of 4", true, TEmfWriter::Pixels(10, 10).RawRecord(43, 10, TBytes().Zeros(2)).Finish()},
      {"EMF record past the end", true, TEmfWriter::Pixels(10, 10).RawRecord(43, 4000, TBytes()).Finish()},
      {"huge EMF frame", true, TEmfWriter({0, 0, INT_MAX, INT_MAX}).Finish()},
      {"frame too large for the pixel budget", true, TEmfWriter({0, 0, 500000, 500000}).Finish()},
      {"EMF with neither frame nor bounds", true, TEmfWriter({0, 0, 0, 0}, {0, 0, -1, -1}).Finish()},
  };
  for (const Case& k : cases) {
    TBitmap target(3, 2);
    target.Fill(clRed);
    EXPECT_THROW(LoadMetafile(k.bytes, k.enhanced, target), Error) << k.name;
    EXPECT_EQ(target.Width(), 3) << k.name;
    EXPECT_EQ(target.Height(), 2) << k.name;
    EXPECT_EQ(target.GetPixel(2, 1), clRed) << k.name;
  }
}

TEST(Metafile, RecordsThatDoNotHoldWhatTheySayAreSkipped) {
  TBitmap hugeDib(1, 1);
  std::vector<std::uint8_t> hugeInfo = test::PackedDib(hugeDib);
  hugeInfo[4] = hugeInfo[8] = 0xFF;  // 65535 x 65535 pixels with the bits of one
  hugeInfo[5] = hugeInfo[9] = 0xFF;
  struct WmfCase {
    const char* name;
    std::function<void(TWmfWriter&)> record;
  };
  const WmfCase wmf[] = {
      {"point count past the record", [](TWmfWriter& w) { w.Record(0x0325, TBytes().U16(1000).W({1, 1, 15, 15})); }},
      {"polygon counts past the points",
       [](TWmfWriter& w) { w.Record(0x0538, TBytes().U16(2).U16(3).U16(400).W({1, 1, 15, 1, 15, 15})); }},
      {"object out of the table", [](TWmfWriter& w) { w.Select(60000).Delete(60000).Record(0x012C, {60000}); }},
      {"region that is not one", [](TWmfWriter& w) { w.CreatePen(0, 1, clRed).Record(0x0228, {1, 0}); }},
      {"region scans past the record",
       [](TWmfWriter& w) {
         w.Record(0x06FF, TBytes().U16(0).U16(6).U32(0).U16(0).U16(100).U16(4).W({0, 0, 0, 0, 2, 0, 20, 0, 20, 2}));
         w.Record(0x012C, {1});
       }},
      {"text past the record", [](TWmfWriter& w) { w.Record(0x0A32, TBytes().W({1, 1, 500, 0, 'a'})); }},
      {"truncated DIB", [](TWmfWriter& w) { w.Record(0x0F43, TBytes().U32(0xCC0020).W({0, 1, 1, 0, 0, 9, 9, 0, 0, 40, 0})); }},
      {"DIB too large", [&](TWmfWriter& w) { w.Record(0x0F43, TBytes().U32(0xCC0020).W({0, 1, 1, 0, 0, 9, 9, 0, 0}).Append(hugeInfo)); }},
      {"pattern brush of nothing", [](TWmfWriter& w) { w.Record(0x0142, TBytes().U16(5).U16(0).U32(40)).Select(1); }},
  };
  for (const WmfCase& k : wmf) {
    TWmfWriter w;
    w.SetWindowExt(20, 20).CreateBrush(0, clBlack).Select(0);
    k.record(w);
    w.Rectangle(2, 2, 8, 8);
    const TBitmap b = test::Wmf(w.Finish());
    EXPECT_EQ(BoundsOf(b), Rect(2, 2, 8, 8)) << k.name;
    EXPECT_EQ(test::CountOf(b, clBlack), 36) << k.name;
  }

  struct EmfCase {
    const char* name;
    std::function<void(TEmfWriter&)> record;
  };
  const EmfCase emf[] = {
      {"point count past the record",
       [](TEmfWriter& w) { w.Record(3, TEmfWriter::Box(0, 0, 0, 0).U32(0x40000000).I32(1).I32(1)); }},
      {"figure counts past the record",
       [](TEmfWriter& w) { w.Record(91, TEmfWriter::Box(0, 0, 0, 0).U32(0xFFFFFFFF).U32(3).U32(3)); }},
      {"figure counts beyond the points",
       [](TEmfWriter& w) { w.Record(91, TEmfWriter::Box(0, 0, 0, 0).U32(1).U32(3).U32(30).W({1, 1, 15, 1, 15, 15})); }},
      {"object out of the table", [](TEmfWriter& w) { w.CreatePen(70000, 0, 1, clRed).Select(70000).Delete(70000); }},
      {"object zero", [](TEmfWriter& w) { w.CreatePen(0, 0, 1, clRed).Select(0); }},
      {"DIB outside the record",
       [](TEmfWriter& w) {
         TBytes p = TEmfWriter::Box(0, 0, 0, 0);
         p.I32(0).I32(0).I32(0).I32(0).I32(1).I32(1).U32(0xFFFFFF00).U32(40).U32(80).U32(0x7FFFFFFF).U32(0);
         p.U32(0xCC0020).I32(9).I32(9);
         w.Record(81, p);
       }},
      {"pattern brush outside the record",
       [](TEmfWriter& w) { w.Record(94, TBytes().U32(3).U32(0).U32(4000).U32(40).U32(4040).U32(4)).Select(3); }},
      {"text outside the record",
       [](TEmfWriter& w) {
         TBytes p = TEmfWriter::Box(0, 0, 0, 0);
         p.U32(1).F32(1).F32(1).I32(1).I32(1).U32(1000).U32(76).U32(0).Append(TEmfWriter::Box(0, 0, 0, 0).b).U32(0);
         w.Record(84, p);
       }},
      {"region rectangles past the record",
       [](TEmfWriter& w) { w.Record(75, TBytes().U32(32).U32(5).U32(32).U32(1).U32(1000000).U32(0).Zeros(16)); }},
      {"transform that is not a number",
       [](TEmfWriter& w) { w.Transform(35, std::nanf(""), 0, 0, 1, 0, 0); }},
  };
  for (const EmfCase& k : emf) {
    TEmfWriter w = TEmfWriter::Pixels(20, 20);
    w.Select(0x80000004);
    k.record(w);
    w.Rectangle(2, 2, 8, 8);
    const TBitmap b = test::Emf(w.Finish());
    EXPECT_EQ(BoundsOf(b), Rect(2, 2, 8, 8)) << k.name;
    EXPECT_EQ(test::CountOf(b, clBlack), 36) << k.name;
  }
}

TEST(Metafile, ExtremeValuesDrawWithinTheBitmap) {
  // Coordinates, sizes and transforms at their limits: the drawing still
  // finishes and the records after them are played.
  TEmfWriter w = TEmfWriter::Pixels(40, 40);
  w.CreatePen(1, 0, INT_MAX, clRed).Select(1).Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  w.CreatePen(2, 0, 0, clRed).Select(2).Ellipse(INT_MIN, 5, INT_MAX, 6);
  w.Record(41, TBytes().I32(INT_MAX).I32(INT_MIN).U32(0xFFFFFFFF).F32(1e30f).F32(-1e30f));
  w.CreateFont(3, INT_MIN, INT_MAX, 0, u"Arial").Select(3).ExtTextOutW(INT_MIN, INT_MAX, u"x");
  w.Transform(35, 1e30f, 0, 0, 1e30f, 1e30f, -1e30f).Ellipse(0, 0, 10, 10).Record(85, TBytes().Zeros(16).U32(0));
  w.Transform(36, 0, 0, 0, 0, 0, 0, 1).Pair(11, INT_MAX, INT_MIN).Pair(9, 1, INT_MAX).Value(17, 8);
  w.CreateBrush(4, 0, clBlue);
  w.Record(72, TEmfWriter::Box(0, 0, 0, 0).U32(48).U32(4).I32(INT_MAX).I32(INT_MIN).Append(TEmfWriter::RegionData({{0, 0, 30, 30}}).b));
  w.Value(17, 1).Select(0x80000008).Select(0x80000004).Rectangle(32, 32, 36, 36);
  const TBitmap b = test::Emf(w.Finish());
  ASSERT_EQ(b.Width(), 40);
  EXPECT_EQ(b.GetPixel(15, 15), clBlue);  // a frame as deep as the region is all of it
  EXPECT_EQ(b.GetPixel(33, 33), clBlack);
  EXPECT_EQ(b.GetPixel(35, 35), clWhite);  // without a pen the last row and column stay out
}

TEST(Metafile, SavedStatesAndObjectsAreBounded) {
  // More saves than are kept: restoring further back than what was kept is ignored.
  TWmfWriter w;
  w.SetWindowExt(20, 10).CreatePen(0, 1, clRed).Select(0);
  for (int i = 0; i < 3000; ++i) w.SaveDC();
  w.CreatePen(0, 1, clGreen).Select(1).RestoreDC(-2000).MoveTo(0, 2).LineTo(20, 2);
  w.RestoreDC(1).MoveTo(0, 4).LineTo(20, 4);
  TBitmap b = test::Wmf(w.Finish());
  EXPECT_EQ(b.GetPixel(5, 2), clGreen);
  EXPECT_EQ(b.GetPixel(5, 4), clRed);

  // The object table stops growing; a full table refuses new objects.
  TWmfWriter many;
  many.SetWindowExt(20, 10);
  for (int i = 0; i < 65535; ++i) many.CreatePen(0, 1, clBlue);
  many.CreatePen(0, 1, clLime).CreatePen(0, 1, clRed).Select(65535).MoveTo(0, 2).LineTo(20, 2);
  b = test::Wmf(many.Finish());
  EXPECT_EQ(b.GetPixel(5, 2), clLime);
}

TEST(Metafile, FilesOpenByTheirExtension) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path();
  const std::string wmf = (dir / ("kroma-metafile-" + std::to_string(::getpid()) + ".WMF")).string();
  const std::string emf = (dir / ("kroma-metafile-" + std::to_string(::getpid()) + ".emf")).string();
  const std::string other = (dir / ("kroma-metafile-" + std::to_string(::getpid()) + ".bmp")).string();
  WriteFileAtomic(wmf, TWmfWriter().SetWindowExt(7, 5).Finish());
  WriteFileAtomic(emf, TEmfWriter::Pixels(96, 48).Finish());
  WriteFileAtomic(other, TEmfWriter::Pixels(96, 48).Finish());
  TBitmap b;
  LoadImageFile(wmf, b);
  EXPECT_EQ(b.Width(), 7);
  LoadImageFile(emf, b);
  EXPECT_EQ(b.Width(), 96);
  EXPECT_THROW(LoadImageFile(other, b), Error);  // an EMF named as a BMP
  std::filesystem::rename(emf, emf + ".wmf");  // an EMF named as a WMF
  EXPECT_THROW(LoadImageFile(emf + ".wmf", b), Error);
  EXPECT_EQ(b.Width(), 96);
  EXPECT_THROW(LoadImageFile((dir / "kroma-no-such-file.wmf").string(), b), Error);
  for (const std::string& p : {wmf, emf + ".wmf", other}) std::remove(p.c_str());
}

TEST(Metafile, FuzzerInputsKeepTheirOutcome) {
  // Inputs the fuzzers made: "-ok-" ones play, "-bad-" ones are refused.
  const std::filesystem::path dir = std::filesystem::path(KROMA_TEST_DATA) / "metafile";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string(), ext = entry.path().extension().string();
    if (ext != ".wmf" && ext != ".emf") continue;
    ++files;
    const std::vector<std::uint8_t> data = ReadWholeFile(entry.path().string());
    TBitmap b;
    if (name.find("-bad-") != std::string::npos) {
      EXPECT_THROW(LoadMetafile(data, ext == ".emf", b), Error) << name;
    } else {
      EXPECT_NO_THROW(LoadMetafile(data, ext == ".emf", b)) << name;
      EXPECT_FALSE(b.Empty()) << name;
    }
  }
  EXPECT_EQ(files, 14);
}

}  // namespace
}  // namespace kroma
