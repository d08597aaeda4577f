#include "app/fonts.h"

namespace quillory {
namespace {

QFont Font(const char* family, QFont::StyleHint hint, int pixels, bool bold, int stretch = 100) {
  QFont font(QString::fromLatin1(family));
  font.setStyleHint(hint);
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setStretch(stretch);
  return font;
}

// Liberation Sans has the height of "MS Sans Serif" at the same pixel size but runs about 8 % wider; a
// slight horizontal stretch gives it the old widths, so the captions fit where the layout places them.
constexpr int kSansStretch = 95;

}  // namespace

QFont WindowFont() { return Font("Liberation Sans", QFont::SansSerif, 11, false, kSansStretch); }

QFont LargeWindowFont(bool bold) { return Font("Liberation Sans", QFont::SansSerif, 16, bold, kSansStretch); }

QFont ConsoleFont() { return Font("DejaVu Sans Mono", QFont::Monospace, 11, false); }

QFont NfoFont(bool bold) { return Font("DejaVu Sans Mono", QFont::Monospace, 11, bold); }

}  // namespace quillory
