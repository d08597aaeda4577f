#pragma once

#include "ports/clock.h"
#include "ports/views.h"

namespace quillory {

// The NFO toolbar's "Date": inserts a space and the picker's date in the locale's short date format.
void InsertDateText(NfoMemoView& memo, Clock& clock, const CalendarDate& picker_date);

// The NFO toolbar's "Time": inserts a space and the current time as "hh/mm" with the locale's date
// separator.
void InsertTimeText(NfoMemoView& memo, Clock& clock);

}  // namespace quillory
