#pragma once

#include <string>

namespace quillory {

struct CalendarDate {
  int year = 2006;
  int month = 12;
  int day = 3;
  friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

struct LocalTime {
  int hour = 0;
  int minute = 0;
};

// The current time and the locale's date formatting.
class Clock {
 public:
  virtual ~Clock() = default;
  // The current local time of day.
  virtual LocalTime Now() = 0;
  // The date in the locale's short date format (UTF-8).
  virtual std::string FormatShortDate(const CalendarDate& date) = 0;
  // The locale's date separator (UTF-8), such as "/" or ".".
  virtual std::string DateSeparator() = 0;
};

}  // namespace quillory
