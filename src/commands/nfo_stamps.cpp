#include "commands/nfo_stamps.h"

#include <string>

#include "commands/date_text.h"
#include "text/codepage.h"

namespace quillory {

void InsertDateText(NfoMemoView& memo, Clock& clock, const CalendarDate& picker_date) {
  memo.ReplaceSelection(std::string(" ").append(Utf8ToCp437(ShortDateText(clock, picker_date))));
}

void InsertTimeText(NfoMemoView& memo, Clock& clock) {
  memo.ReplaceSelection(std::string(" ").append(Utf8ToCp437(CurrentTimeText(clock))));
}

}  // namespace quillory
