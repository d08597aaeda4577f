#pragma once

#include <QFont>

namespace quillory {

// Debian's free fonts standing in for the window's Windows fonts, at the same pixel heights.

// "MS Sans Serif" 8 points (11 pixels): the window font.
QFont WindowFont();
// "MS Sans Serif" 12 points (16 pixels): the copyright buttons and the NFO toolbar's « » R faces.
QFont LargeWindowFont(bool bold);
// "Lucida Console" 8 points (11 pixels): the Preview Text memo.
QFont ConsoleFont();
// "Terminal" 8 points (11 pixels): the NFO memo and the palette faces; a monospaced font whose box
// pieces join.
QFont NfoFont(bool bold);

}  // namespace quillory
