#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "ports/clock.h"
#include "ports/shell.h"

namespace quillory::testing {

// A shell that records the addresses it was asked to open.
class FakeShell : public Shell {
 public:
  std::vector<std::string> opened;
  void OpenUrl(const std::string& address) override { opened.push_back(address); }
};

// A clock at a set time, with a locale whose short date is dd.mm.yyyy (or as set) and a set separator.
class FakeClock : public Clock {
 public:
  LocalTime now{14, 5};
  std::string separator = ".";
  std::string pattern = "%02d.%02d.%04d";  // day, month, year

  LocalTime Now() override { return now; }
  std::string FormatShortDate(const CalendarDate& date) override {
    char text[64];
    std::snprintf(text, sizeof text, pattern.c_str(), date.day, date.month, date.year);
    return text;
  }
  std::string DateSeparator() override { return separator; }
};

}  // namespace quillory::testing
