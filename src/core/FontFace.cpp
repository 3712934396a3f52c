#include "core/FontFace.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "core/Canvas.h"
#include "core/Error.h"
#include "core/Text.h"
#include "core/TextEncoding.h"

namespace kroma {
namespace {

struct TFontEngine {
  FT_Library library = nullptr;
  FcConfig* config = nullptr;
  // Faces by (file, index); resolved fonts by (name, bold, italic).
  std::map<std::pair<std::string, int>, FT_Face> faces;
  std::map<std::tuple<std::string, bool, bool>, std::unique_ptr<TFontFace>> resolved;

  ~TFontEngine() {
    for (auto& [key, face] : faces) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
    if (config) FcConfigDestroy(config);
  }
};

std::mutex& EngineMutex() {
  static std::mutex mutex;
  return mutex;
}

TFontEngine& Engine() {
  static TFontEngine engine;
  if (!engine.library && FT_Init_FreeType(&engine.library) != 0) {
    engine.library = nullptr;
    throw Error("The font engine could not be started.");
  }
  if (!engine.config) {
    // A configuration of our own, loaded once and freed at exit (the
    // library's shared default one is never freed).
    engine.config = FcInitLoadConfigAndFonts();
    if (!engine.config) throw Error("The font configuration of this system could not be read.");
  }
  return engine;
}

struct TPatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using TPattern = std::unique_ptr<FcPattern, TPatternDeleter>;

FT_Face OpenFace(TFontEngine& engine, const std::string& file, int index) {
  auto key = std::make_pair(file, index);
  if (auto it = engine.faces.find(key); it != engine.faces.end()) return it->second;
  FT_Face face = nullptr;
  if (FT_New_Face(engine.library, file.c_str(), index, &face) != 0)
    throw Error("The font file \"" + file + "\" could not be opened.");
  if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) {
    FT_Done_Face(face);
    throw Error("The font file \"" + file + "\" has no outlines to draw text with.");
  }
  engine.faces.emplace(key, face);
  return face;
}

std::unique_ptr<TFontFace> Resolve(TFontEngine& engine, const std::string& name, bool bold, bool italic) {
  TPattern pattern(FcPatternCreate());
  if (!pattern) throw Error("Out of memory while looking for a font.");
  if (!name.empty()) FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_OUTLINE, FcTrue);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(engine.config, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  TPattern match(FcFontMatch(engine.config, pattern.get(), &result));
  FcChar8* file = nullptr;
  if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || !file)
    throw Error("No font was found for \"" + name + "\": this system has no usable fonts installed.");
  int index = 0;
  FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);

  auto resolved = std::make_unique<TFontFace>();
  resolved->file = reinterpret_cast<const char*>(file);
  resolved->face = OpenFace(engine, resolved->file, index);
  // The face itself says whether it is bold or italic (fontconfig reports
  // the style asked for when its configuration fakes one).
  FT_Face face = resolved->face;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  bool faceBold = (face->style_flags & FT_STYLE_FLAG_BOLD) ||
                  (os2 && os2->version != 0xFFFF && os2->usWeightClass >= 600);
  bool faceItalic = face->style_flags & FT_STYLE_FLAG_ITALIC;
  resolved->syntheticBold = bold && !faceBold;
  resolved->syntheticItalic = italic && !faceItalic;
  // Symbol fonts have no Unicode map, only the symbol one.
  if (!face->charmap && FT_Select_Charmap(face, FT_ENCODING_MS_SYMBOL) != 0 && face->num_charmaps > 0)
    FT_Set_Charmap(face, face->charmaps[0]);
  resolved->symbolEncoding = face->charmap && face->charmap->encoding == FT_ENCODING_MS_SYMBOL;
  return resolved;
}

}  // namespace

std::unique_lock<std::mutex> LockFontEngine() { return std::unique_lock<std::mutex>(EngineMutex()); }

FT_LibraryRec_* FontLibrary() { return Engine().library; }

const TFontFace& ResolveFace(const TFont& font) {
  TFontEngine& engine = Engine();
  auto key = std::make_tuple(font.Name, (font.Style & fsBold) != 0, (font.Style & fsItalic) != 0);
  auto it = engine.resolved.find(key);
  if (it == engine.resolved.end())
    it = engine.resolved.emplace(key, Resolve(engine, font.Name, std::get<1>(key), std::get<2>(key))).first;
  return *it->second;
}

unsigned GlyphIndex(const TFontFace& face, char32_t code) {
  if (face.symbolEncoding) {
    // Symbol fonts are addressed by code page bytes, mostly at 0xF000 up.
    if (auto byte = UnicodeToAnsi(code)) {
      if (unsigned g = FT_Get_Char_Index(face.face, 0xF000u + *byte)) return g;
      if (unsigned g = FT_Get_Char_Index(face.face, *byte)) return g;
    }
  }
  return FT_Get_Char_Index(face.face, code);
}

std::vector<std::string> FontFamilies() {
  auto lock = LockFontEngine();
  TFontEngine& engine = Engine();
  TPattern pattern(FcPatternCreate());
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
  FcFontSet* set = pattern && objects ? FcFontList(engine.config, pattern.get(), objects) : nullptr;
  if (objects) FcObjectSetDestroy(objects);
  std::vector<std::string> families;
  if (set) {
    for (int i = 0; i < set->nfont; ++i) {
      FcChar8* family = nullptr;
      if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch && family)
        families.emplace_back(reinterpret_cast<const char*>(family));
    }
    FcFontSetDestroy(set);
  }
  std::sort(families.begin(), families.end());
  families.erase(std::unique(families.begin(), families.end()), families.end());
  return families;
}

}  // namespace kroma
