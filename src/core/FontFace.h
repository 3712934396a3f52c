#pragma once
// The font files behind TFont names: fontconfig picks the file, FreeType
// opens each file once for the life of the process. Used by the text
// layer only.
#include <mutex>
#include <string>

struct FT_FaceRec_;
struct FT_LibraryRec_;

namespace kroma {

struct TFont;

// Neither FreeType nor fontconfig may be used from two threads at once on
// shared objects: every text call holds this lock while it works.
std::unique_lock<std::mutex> LockFontEngine();

// The process's FreeType library (lock held).
FT_LibraryRec_* FontLibrary();

struct TFontFace {
  FT_FaceRec_* face = nullptr;
  std::string file;
  bool syntheticBold = false;    // bold asked for, the face has none
  bool syntheticItalic = false;  // italic asked for, the face is upright
  bool symbolEncoding = false;   // characters sit at 0xF000 + code page byte
};

// The face that serves the font's name with its bold and italic styles
// (lock held). Unknown names get fontconfig's best match; throws Error when
// no usable font exists. The result stays valid for the process.
const TFontFace& ResolveFace(const TFont& font);

// The glyph of a character, 0 when the face lacks it.
unsigned GlyphIndex(const TFontFace& face, char32_t code);

}  // namespace kroma
