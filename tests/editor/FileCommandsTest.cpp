#include <filesystem>

#include "EditorFixture.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "editor/Commands.h"
#include "editor/Modules.h"
#include "editor/WorkImage.h"
#include "files/ImageFiles.h"

namespace kroma::test {
namespace {

using FileCommandsTest = EditorTest;

TBitmap Picture(int w, int h) {
  TBitmap b(w, h);
  b.SetPixel(1, 1, clRed);
  b.SetPixel(w - 1, h - 1, clBlue);
  return b;
}

TEST_F(FileCommandsTest, OpenReplacesTheImageAndSizesTheUndoSlotsAndRange) {
  const std::string path = folder.File("cat.png");
  SaveImageFile(path, Picture(40, 30), false);
  prompts.Answer(path);
  RunCommand(F(), "Open1Click");
  EXPECT_TRUE(SamePixels(Image(), Picture(40, 30)));
  EXPECT_EQ(F().Status(0), "cat.png");
  EXPECT_EQ(F().FLastFile, path);
  EXPECT_EQ(F().FRangeRect, (TRect{0, 0, 40, 30}));
  for (int i = 0; i < kUndoSlots; ++i) EXPECT_EQ(F().UndoSlot(i).Width(), 40) << i;
  EXPECT_EQ(F().UndoSlot(3).Height(), 30);

  // The next Open starts in the last file's folder.
  prompts.ClearLog();
  RunCommand(F(), "Open1Click");  // no answer: cancelled
  ASSERT_EQ(prompts.Log().size(), 1u);
  EXPECT_EQ(prompts.Log()[0].DefaultText, folder.Path());
  EXPECT_TRUE(SamePixels(Image(), Picture(40, 30)));
}

// A palette BMP stays a palette image until something works on its pixels,
// so saving it again keeps its format; a press or a pixel command widens it.
TEST_F(FileCommandsTest, PaletteFilesKeepTheirFormatUntilTheirPixelsAreWorkedOn) {
  TBitmap palette = Picture(9, 5);
  palette.SetPixelFormat(pf4bit);
  SaveImageFile(folder.File("p.bmp"), palette, false);
  OpenWorkImage(F(), folder.File("p.bmp"));
  EXPECT_EQ(Image().PixelFormat(), pf4bit);
  EXPECT_TRUE(SamePixels(Image(), palette));

  RunCommand(F(), "PenNotXor1Click");  // a setting: the pixels are not touched
  prompts.Answer(folder.File("again.bmp"));
  RunCommand(F(), "SaveAs1Click");
  TBitmap saved;
  LoadImageFile(folder.File("again.bmp"), saved);
  EXPECT_EQ(saved.PixelFormat(), pf4bit);

  Press(0, 0);
  EXPECT_EQ(Image().PixelFormat(), pf24bit);
  EXPECT_TRUE(SamePixels(Image(), palette));
  F().goUndoClick();  // the slot holds the image from before the press
  EXPECT_EQ(Image().PixelFormat(), pf4bit);

  RunCommand(F(), "Invert2Click");  // works on pixels: widened first
  EXPECT_EQ(Image().PixelFormat(), pf24bit);
}

TEST_F(FileCommandsTest, AFileThatCannotBeOpenedChangesNothing) {
  WriteFileAtomic(folder.File("bad.png"), std::vector<std::uint8_t>{1, 2, 3});
  WriteFileAtomic(folder.File("picture.tiff"), std::vector<std::uint8_t>{1, 2, 3});
  Image().SetPixel(3, 3, clLime);
  const TBitmap before = Image();
  F().FRangeRect = {1, 2, 3, 4};
  for (const char* name : {"bad.png", "picture.tiff", "missing.bmp"}) {
    prompts.Answer(folder.File(name));
    EXPECT_THROW(RunCommand(F(), "Open1Click"), Error) << name;
    EXPECT_TRUE(SamePixels(Image(), before)) << name;
    EXPECT_EQ(F().UndoSlot(0).Width(), 256) << name;
    EXPECT_EQ(F().FRangeRect, (TRect{1, 2, 3, 4})) << name;
    EXPECT_EQ(F().Status(0), "") << name;
  }
}

TEST_F(FileCommandsTest, SaveAsWritesByExtensionAndShowsTheNameOnlyWhenSaved) {
  Image() = Picture(32, 32);
  prompts.Answer(folder.File("out.bmp"));
  RunCommand(F(), "SaveAs1Click");
  EXPECT_EQ(F().Status(0), "out.bmp");
  TBitmap back;
  LoadImageFile(folder.File("out.bmp"), back);
  EXPECT_TRUE(SamePixels(back, Picture(32, 32)));
  EXPECT_EQ(F().FLastFile, "");  // saving does not change the last file

  prompts.Answer(folder.File("out.tiff"));
  EXPECT_THROW(RunCommand(F(), "SaveAs1Click"), Error);
  EXPECT_EQ(F().Status(0), "out.bmp");
  EXPECT_FALSE(std::filesystem::exists(folder.File("out.tiff")));

  Image() = Picture(33, 32);
  prompts.Answer(folder.File("out.ico"));
  EXPECT_THROW(RunCommand(F(), "SaveAs1Click"), Error);
  EXPECT_FALSE(std::filesystem::exists(folder.File("out.ico")));
}

TEST_F(FileCommandsTest, GifTransparentOptionMarksTheBottomLeftColour) {
  const TCommand* option = EditorCommands().Find("GifTransClick");
  ASSERT_NE(option, nullptr);
  EXPECT_FALSE(option->Checked(F()));
  RunCommand(F(), "GifTransClick");
  EXPECT_TRUE(option->Checked(F()));
  Image() = Picture(6, 4);
  Image().SetPixel(0, 3, clBlue);
  prompts.Answer(folder.File("t.gif"));
  RunCommand(F(), "SaveAs1Click");
  TBitmap back;
  LoadImageFile(folder.File("t.gif"), back);
  EXPECT_EQ(back.GetPixel(5, 3), clWhite);  // blue, now transparent
  EXPECT_EQ(back.GetPixel(1, 1), clRed);
  RunCommand(F(), "GifTransClick");
  EXPECT_FALSE(option->Checked(F()));
}

}  // namespace
}  // namespace kroma::test
