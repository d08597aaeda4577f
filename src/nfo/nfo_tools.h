#pragma once

#include <array>
#include <string>
#include <string_view>

#include "ports/dialogs.h"
#include "ports/views.h"

namespace quillory {

// One button of the NFO palette: its control name and the CP437 byte it inserts.
struct PaletteButton {
  std::string_view name;
  unsigned char byte;
};

inline constexpr size_t kPaletteSize = 30;
// The palette in toolbar order, left to right.
const std::array<PaletteButton, kPaletteSize>& Palette();

inline constexpr std::string_view kRightsPhrase = " All Rights Reserved";
inline constexpr std::string_view kNfoSaveTitle = "Save in NFO...";
inline constexpr std::string_view kNfoFilter = "NFO file (*.nfo)|*.nfo";

// The palette position (1 to 30) of a button name, or 0 when it is none of the palette's.
size_t PalettePosition(std::string_view button_name);

// Palette position 1 to 30: inserts its byte at the memo's caret or over its selection.
void InsertPaletteByte(NfoMemoView& memo, size_t position);
// "R": inserts " All Rights Reserved".
void InsertRightsPhrase(NfoMemoView& memo);

// "Save": asks for a name ("Save in NFO...", "NFO file (*.nfo)|*.nfo"), gives it the extension ".nfo" and
// writes the memo's bytes exactly, replacing any file of that name atomically. Raises "Cannot create file
// "%s". %s" (or "Stream write error"); an existing file then stays as it was.
void SaveNfoCommand(NfoMemoView& memo, Dialogs& dialogs);

}  // namespace quillory
