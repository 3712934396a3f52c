#include "ui/ImageConvert.h"

#include <QImage>
#include <cstring>
#include <vector>

#include "core/Bitmap.h"
#include "core/PixelFormats.h"

namespace kroma {

void QImageToBitmap(const QImage& image, TBitmap& bitmap) {
  QImage bgr = image.convertToFormat(QImage::Format_BGR888);
  TBitmap result(bgr.width(), bgr.height(), pf24bit, {});
  const std::size_t rowBytes = static_cast<std::size_t>(bgr.width()) * 3;
  for (int y = 0; y < bgr.height(); ++y) std::memcpy(result.ScanLine(y), bgr.constScanLine(y), rowBytes);
  bitmap = std::move(result);
}

QImage BitmapToQImage(const TBitmap& bitmap) {
  QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_BGR888);
  std::vector<std::uint8_t> row(static_cast<std::size_t>(bitmap.Width()) * 3);
  for (int y = 0; y < bitmap.Height(); ++y) {
    if (bitmap.PixelFormat() == pf24bit) {
      std::memcpy(image.scanLine(y), bitmap.ScanLine(y), row.size());
    } else {
      RowToBgr24(bitmap.ScanLine(y), bitmap.PixelFormat(), bitmap.Palette(), bitmap.Width(), row.data());
      std::memcpy(image.scanLine(y), row.data(), row.size());
    }
  }
  return image;
}

}  // namespace kroma
