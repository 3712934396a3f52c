#include "editor/ColorList.h"

#include <array>

#include "core/Canvas.h"
#include "core/Error.h"
#include "editor/KromaF.h"

namespace kroma {
namespace {

constexpr std::array<std::string_view, 139> kEntries = {
    "azure=F0FFFF", "aliceblue=F0F8FF", "lavender=E6E6FA", "lighcyan=E0FFFF", "powderblue=B0E0E6",
    "lightsteelblue=B0C4DE", "paleturquoise=AFEEEE", "lightblue=ADD8E6", "blueviolet=8A2BE2",
    "lightskyblue=87CEFA", "skyblue=87CEEB", "mediumslateblue=7B68EE", "slateblue=6A5ACD",
    "cornflowerblue=6495ED", "cadetblue=5F9EA0", "indigo=4B0082", "mediumturquoise=48D1CC",
    "darkslateblue=483D8B", "steelblue=4682B4", "royalblue=4169E1", "turquoise=40E0D0", "dodgerblue=1E90FF",
    "midnightblue=191970", "aqua=00FFFF", "cyan=00FFFF", "darkturquoise=00CED1", "deepskyblue=00BFFF",
    "darkcyan=008B8B", "blue=0000FF", "mediumblue=0000CD", "darkblue=00008B", "navy=000080",
    "mintcream=F5FFFA", "honeydew=F0FFF0", "greenyellow=ADFF2F", "yellowgreen=9ACD32", "palegreen=98FB98",
    "lightgreen=90EE90", "darkseagreen=8FBC8F", "olive=808000", "aquamarine=7FFFD4", "chartreuse=7FFF00",
    "lawngree=7CFC00", "olivedrab=6B8E23", "mediumaquamarine=66CDAA", "darkolivegreen=556B2F",
    "mediumseagreen=3CB371", "limegreen=32CD32", "seagreen=2E8B57", "forestgreen=228B22",
    "lightseagreen=20B2AA", "springgreen=00FF7F", "lime=00FF00", "mediumspringgreen=00FA9A", "teal=008080",
    "green=008000", "darkgreen=006400", "lavenderblush=FFF0F5", "mistyrose=FFE4E1", "pink=FFC0CB",
    "lightpink=FFB6C1", "orange=FFA500", "lightsalmon=FFA07A", "darkorange=FF8C00", "coral=FF7F50",
    "hotpink=FF69B4", "tomato=FF6347", "orangered=FF4500", "deeppink=FF1493", "fuchsia=FF00FF",
    "magenta=FF00FF", "red=FF0000", "salmon=FA8072", "lightcoral=F08080", "violet=EE82EE",
    "darksalmon=E9967A", "plum=DDA0DD", "crimson=DC143C", "palevioletred=DB7093", "orchid=DA70D6",
    "thistle=D8BFD8", "indianred=CD5C5C", "mediumvioletred=C71585", "mediumorchid=BA55D3",
    "firebrick=B22222", "darkorchid=9932CC", "darkviolet=9400D3", "mediumpurple=9370DB",
    "darkmagenta=8B008B", "darkred=8B0000", "purple=800080", "maroon=800000", "ivory=FFFFF0",
    "lightyellow=FFFFE0", "yellow=FFFF00", "floralwhite=FFFAF0", "lemonchiffon=FFFACD", "cornsilk=FFF8DC",
    "gold=FFD700", "khaki=F0E68C", "darkkhaki=BDB76B", "snow=FFFAFA", "seashell=FFF5EE",
    "papayawhite=FFEFD5", "blanchedalmond=FFEBCD", "bisque=FFE4C4", "moccasin=FFE4B5", "navajowhite=FFDEAD",
    "peachpuff=FFDAB9", "oldlace=FDF5E6", "linen=FAF0E6", "antiquewhite=FAEBD7", "beige=F5F5DC",
    "wheat=F5DEB3", "sandybrown=F4A460", "palegoldenrod=EEE8AA", "burlywood=DEB887", "goldenrod=DAA520",
    "tan=D2B48C", "chocolate=D2691E", "peru=CD853F", "rosybrown=BC8F8F", "darkgoldenrod=B8860B",
    "brown=A52A2A", "sienna=A0522D", "saddlebrown=8B4513", "white=FFFFFF", "ghostwhite=F8F8FF",
    "whitesmoke=F5F5F5", "gainsboro=DCDCDC", "lightgray=D3D3D3", "silver=C0C0C0", "darkgray=A9A9A9",
    "gray=808080", "lightslategray=778899", "slategray=708090", "dimgray=696969", "darkslategray=2F4F4F",
    "black=000000",
};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

const TNamedColor* Item(int index) {
  const std::vector<TNamedColor>& list = ColorList();
  if (index < 0 || index >= static_cast<int>(list.size())) return nullptr;
  return &list[static_cast<std::size_t>(index)];
}

}  // namespace

std::span<const std::string_view> ColorListEntries() { return kEntries; }

TNamedColor ParseColorEntry(std::string_view entry) {
  const std::size_t eq = entry.find('=');
  const std::string_view digits = eq == std::string_view::npos ? std::string_view{} : entry.substr(eq + 1);
  int channels[3] = {};
  bool ok = eq != std::string_view::npos && eq > 0 && digits.size() == 6;
  for (int i = 0; ok && i < 3; ++i) {
    const int hi = HexDigit(digits[2 * i]);
    const int lo = HexDigit(digits[2 * i + 1]);
    ok = hi >= 0 && lo >= 0;
    channels[i] = hi * 16 + lo;
  }
  if (!ok) throw Error("\"" + std::string(entry) + "\" is no colour entry; entries read name=RRGGBB");
  return {std::string(entry.substr(0, eq)), RGB(channels[0], channels[1], channels[2])};
}

const std::vector<TNamedColor>& ColorList() {
  static const std::vector<TNamedColor> list = [] {
    std::vector<TNamedColor> v;
    for (std::string_view e : kEntries) v.push_back(ParseColorEntry(e));
    return v;
  }();
  return list;
}

void colorlistMouseMove(TKromaF& f, int index) {
  if (const TNamedColor* item = Item(index)) f.SetStatus(3, item->Name);
}

void colorlistMouseUp(TKromaF& f, int selected, TShiftState shift) {
  const TNamedColor* item = Item(selected);
  if (!item) return;
  if (shift & ssShift) {
    f.gamma.SetFirstColor(item->Color);
    f.Canvas().Pen.Color = f.gamma.FirstColor();
  } else {
    f.gamma.SetSecondColor(item->Color);
    f.Canvas().Brush.SetColor(f.gamma.SecondColor());
  }
  f.SetStatus(3, item->Name);
}

}  // namespace kroma
