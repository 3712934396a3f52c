// Placeholder until the FreeType text arrives: every call reports that text
// is not available, so the canvas links and its text calls fail cleanly.
#include "core/Text.h"

#include "core/Error.h"

namespace kroma {

namespace {
[[noreturn]] void Unavailable() { throw Error("text is not available"); }
}  // namespace

TFontMetrics GetFontMetrics(const TFont&) { Unavailable(); }
int TextAdvance(const TFont&, std::string_view) { Unavailable(); }
TTextMask RenderTextMask(const TFont&, std::string_view, const TRect&) { Unavailable(); }
std::vector<TPoint> TextCellPolygon(const TFont&, std::string_view) { Unavailable(); }
std::optional<TGlyphOutline> GlyphOutline(const TFont&, char32_t) { Unavailable(); }
std::vector<std::vector<std::pair<double, double>>> TextPathContours(const TFont&, std::string_view) { Unavailable(); }
std::vector<std::string> FontFamilies() { Unavailable(); }
std::string AnsiToUtf8(std::string_view) { Unavailable(); }

}  // namespace kroma
