#pragma once
// Copies between our bitmaps and Qt images (clipboard, screen grabs).
class QImage;

namespace kroma {

class TBitmap;

// A 24-bit bitmap with the image's pixels (alpha dropped).
void QImageToBitmap(const QImage& image, TBitmap& bitmap);
// An independent QImage (Format_RGB888) of any bitmap.
QImage BitmapToQImage(const TBitmap& bitmap);

}  // namespace kroma
