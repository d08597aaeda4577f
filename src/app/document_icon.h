#pragma once

#include <QImage>

namespace quillory {

// The icon the desktop shows for project documents, drawn at size x size pixels: a page with a folded
// corner, a frame of box lines and a few text lines.
QImage DocumentIcon(int size);

}  // namespace quillory
