#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ports/clock.h"
#include "ports/dialogs.h"
#include "ports/views.h"

namespace quillory {

inline constexpr std::string_view kRightsPhrase = " All Rights Reserved";
inline constexpr std::string_view kNfoSaveTitle = "Save in NFO...";
inline constexpr std::string_view kNfoFilter = "NFO file (*.nfo)|*.nfo";

// A character button of the NFO toolbar: inserts its CP437 byte at the memo's caret or over its
// selection.
void InsertNfoByte(NfoMemoView& memo, unsigned char byte);

// "R": inserts " All Rights Reserved".
void InsertRightsPhrase(NfoMemoView& memo);

// "Date": inserts a space and the picker's date in the locale's short date format.
void InsertDateText(NfoMemoView& memo, Clock& clock, const CalendarDate& picker_date);

// "Time": inserts a space and the current time as "hh/mm" with the locale's date separator.
void InsertTimeText(NfoMemoView& memo, Clock& clock);

// "Save": asks for a name ("Save in NFO...", "NFO file (*.nfo)|*.nfo"), gives it the extension ".nfo" and
// writes the memo's bytes exactly, replacing any file of that name (which the dialog asked about)
// atomically. Returns the bytes written, or nothing when the dialog was cancelled. Raises "Cannot create
// file "%s". %s" (or "Stream write error"); an existing file then stays as it was.
std::optional<std::string> SaveNfoCommand(NfoMemoView& memo, Dialogs& dialogs);

}  // namespace quillory
