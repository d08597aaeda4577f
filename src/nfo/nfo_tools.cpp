#include "nfo/nfo_tools.h"

#include "project/project_file.h"
#include "text/codepage.h"
#include "text/file_io.h"

namespace quillory {

const std::array<PaletteButton, kPaletteSize>& Palette() {
  static const std::array<PaletteButton, kPaletteSize> palette = {{
      {"Button31", 0xDA}, {"Button30", 0xC4}, {"Button29", 0xBF}, {"Button26", 0xD9}, {"Button28", 0xB3},
      {"Button27", 0xC0}, {"Button25", 0xC2}, {"Button24", 0xC1}, {"Button23", 0xC5}, {"Button53", 0xC3},
      {"Button52", 0xB4}, {"Button51", 0xC8}, {"Button50", 0xC9}, {"Button49", 0xCA}, {"Button48", 0xCB},
      {"Button47", 0xCC}, {"Button46", 0xCD}, {"Button45", 0xCE}, {"Button44", 0xB9}, {"Button43", 0xBA},
      {"Button42", 0xBB}, {"Button41", 0xBC}, {"Button40", 0xDB}, {"Button22", 0xFE}, {"Button21", 0xDC},
      {"Button37", 0xB0}, {"Button36", 0xB1}, {"Button35", 0xB2}, {"Button34", 0xAE}, {"Button33", 0xAF},
  }};
  return palette;
}

size_t PalettePosition(std::string_view button_name) {
  for (size_t i = 0; i < Palette().size(); ++i) {
    if (Palette()[i].name == button_name) return i + 1;
  }
  return 0;
}

void InsertPaletteByte(NfoMemoView& memo, size_t position) {
  memo.ReplaceSelection(std::string(1, static_cast<char>(Palette().at(position - 1).byte)));
}

void InsertRightsPhrase(NfoMemoView& memo) { memo.ReplaceSelection(std::string(kRightsPhrase)); }

void SaveNfoCommand(NfoMemoView& memo, Dialogs& dialogs) {
  auto chosen = dialogs.SaveFile(FileDialogRequest{std::string(kNfoFilter), 1, {}, std::string(kNfoSaveTitle)});
  if (!chosen) return;
  ReplaceFileOrThrow(ApplyExtension(chosen->path, ".nfo"), memo.Bytes());
}

}  // namespace quillory
