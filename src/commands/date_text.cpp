#include "commands/date_text.h"

#include <cstdio>

namespace quillory {
namespace {
std::string TwoDigits(int value) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%02d", value);
  return digits;
}
}  // namespace

std::string ShortDateText(Clock& clock, const CalendarDate& date) { return clock.FormatShortDate(date); }

std::string CurrentTimeText(Clock& clock) {
  const LocalTime now = clock.Now();
  return TwoDigits(now.hour) + clock.DateSeparator() + TwoDigits(now.minute);
}

}  // namespace quillory
