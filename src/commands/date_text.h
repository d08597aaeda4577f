#pragma once

#include <string>

#include "ports/clock.h"

namespace quillory {

// The date in the locale's short date format (UTF-8).
std::string ShortDateText(Clock& clock, const CalendarDate& date);

// The current time as "hh/mm": the hour on the 24-hour clock and the minutes, two digits each, with the
// locale's date separator between them (UTF-8).
std::string CurrentTimeText(Clock& clock);

}  // namespace quillory
