#pragma once

#include <QIcon>

namespace quillory {

// The desktop id the installed program is known by: its desktop entry, AppStream metadata, MIME package and
// application icon are named after it.
inline constexpr char kApplicationId[] = "io.github.quillory.Quillory";

// The application icon at every size it is drawn in (16 to 256 pixels), from the PNGs built into the program,
// so no SVG support is loaded. A missing resource leaves that size out.
QIcon ApplicationIcon();

}  // namespace quillory
