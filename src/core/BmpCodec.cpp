// Scaffold: replaced by the BMP codec.
#include "core/BmpCodec.h"

#include "core/Error.h"

namespace kroma {

void LoadBmpFile(const std::string&, TBitmap&) { throw Error("not yet built"); }
void SaveBmpFile(const std::string&, const TBitmap&) { throw Error("not yet built"); }

}  // namespace kroma
