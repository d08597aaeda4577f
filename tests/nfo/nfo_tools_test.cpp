#include "nfo/nfo_tools.h"

#include "commands/nfo_stamps.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/error.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/fake_views.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

using testing::FakeClock;
using testing::FakeDialogs;
using testing::FakeNfoMemo;
using testing::ReadFile;
using testing::TempDir;

TEST(NfoTools, PaletteBytes) {
  const std::string expected =
      "\xDA\xC4\xBF\xD9\xB3\xC0\xC2\xC1\xC5\xC3\xB4\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xB9\xBA\xBB\xBC\xDB\xFE\xDC"
      "\xB0\xB1\xB2\xAE\xAF";
  FakeNfoMemo memo;
  for (size_t position = 1; position <= kPaletteSize; ++position) InsertPaletteByte(memo, position);
  EXPECT_EQ(memo.bytes, expected);
  EXPECT_EQ(Palette()[16].name, "Button46");
  EXPECT_EQ(Palette()[29].name, "Button33");
}

TEST(NfoTools, InsertionsReplaceTheSelectionAndMoveTheCaret) {
  FakeNfoMemo memo;
  memo.bytes = "ab-cd";
  memo.selection_start = 2;
  memo.selection_end = 2;
  InsertPaletteByte(memo, 17);  // ═
  InsertPaletteByte(memo, 17);
  InsertPaletteByte(memo, 21);  // ╗
  EXPECT_EQ(memo.bytes, "ab\xCD\xCD\xBB-cd");
  EXPECT_EQ(memo.selection_end, 5u);

  memo.selection_start = 0;
  memo.selection_end = 6;  // "ab═══-" selected
  InsertPaletteByte(memo, 5);
  EXPECT_EQ(memo.bytes, "\xB3" "cd");

  memo.SetBytes("");
  InsertRightsPhrase(memo);
  EXPECT_EQ(memo.bytes, " All Rights Reserved");

  FakeClock clock;
  clock.now = {14, 5};
  memo.SetBytes("");
  InsertDateText(memo, clock, CalendarDate{});  // the picker's first date
  InsertTimeText(memo, clock);
  EXPECT_EQ(memo.bytes, " 03.12.2006 14.05");
}

TEST(NfoTools, Save) {
  TempDir dir;
  FakeNfoMemo memo;
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  memo.bytes = all;
  FakeDialogs dialogs;
  SaveNfoCommand(memo, dialogs);  // cancelled: nothing written
  EXPECT_EQ(testing::ListFolder(dir.path()), "");
  ASSERT_EQ(dialogs.save_requests.size(), 1u);
  EXPECT_EQ(dialogs.save_requests[0].title, "Save in NFO...");
  EXPECT_EQ(dialogs.save_requests[0].filter, "NFO file (*.nfo)|*.nfo");
  EXPECT_EQ(dialogs.save_requests[0].file_name, "");

  ::mkdir(dir.File("x.nfo").c_str(), 0755);
  for (const char* name : {"readme", "readme.txt", "my.notes", "x.nfo/file.NFO"}) {
    dialogs.AnswerSave(dir.File(name));
    SaveNfoCommand(memo, dialogs);
  }
  EXPECT_EQ(testing::ListFolder(dir.path()), "my.nfo readme.nfo x.nfo");
  EXPECT_EQ(ReadFile(dir.File("readme.nfo")), all);
  EXPECT_EQ(ReadFile(dir.File("x.nfo/file.nfo")), all);

  memo.bytes.clear();
  dialogs.AnswerSave(dir.File("readme.nfo"));
  SaveNfoCommand(memo, dialogs);
  EXPECT_EQ(ReadFile(dir.File("readme.nfo")), "");

  dialogs.AnswerSave(dir.File("gone/readme"));
  EXPECT_THROW(SaveNfoCommand(memo, dialogs), Error);
}

}  // namespace
}  // namespace quillory
