#include "commands/field_commands.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

using testing::FakeClock;
using testing::FakeDialogs;
using testing::FakeShell;
using testing::TempDir;
using testing::WriteFile;

TEST(LoadTextFile, ThroughTheDialog) {
  TempDir dir;
  ReadmeProject record;
  record.license = "old";
  FakeDialogs dialogs;
  LoadTextFileCommand(record, dialogs, &ReadmeProject::license);  // cancelled
  EXPECT_EQ(record.license, "old");
  EXPECT_EQ(dialogs.open_requests.at(0).filter, "Text Files (*.txt)|*.txt");
  EXPECT_EQ(dialogs.open_requests.at(0).title, "");

  WriteFile(dir.File("l.txt"), "GPL\n");
  dialogs.AnswerOpen(dir.File("l.txt"));
  LoadTextFileCommand(record, dialogs, &ReadmeProject::license);
  EXPECT_EQ(record.license, "GPL\r\n");

  dialogs.AnswerOpen(dir.File("missing.txt"));
  try {
    LoadTextFileCommand(record, dialogs, &ReadmeProject::license);
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()),
              "Cannot open file \"" + dir.File("missing.txt") + "\". No such file or directory");
  }
  EXPECT_EQ(record.license, "GPL\r\n");

  // A file over the capacity (sparse, so it costs no disk) is refused before it is read.
  {
    std::FILE* big = std::fopen(dir.File("big.txt").c_str(), "wb");
    ASSERT_NE(big, nullptr);
    std::fseek(big, static_cast<long>(kMemoCapacity), SEEK_SET);
    std::fputc('x', big);
    std::fclose(big);
  }
  dialogs.AnswerOpen(dir.File("big.txt"));
  try {
    LoadTextFileCommand(record, dialogs, &ReadmeProject::license);
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()), "Text exceeds memo capacity");
  }
  EXPECT_EQ(record.license, "GPL\r\n");

  ClearTextFieldCommand(record, &ReadmeProject::license);
  EXPECT_EQ(record.license, "");
}

TEST(FieldCommands, CopyrightAdditions) {
  ReadmeProject record;
  record.copyright = "Demo";
  AppendToCopyrightCommand(record, CopyrightAddition::kCopyrightSign);
  AppendToCopyrightCommand(record, CopyrightAddition::kAllRightsReserved);
  EXPECT_EQ(record.copyright, "Demo© All Rights Reserved");
  record.copyright.clear();
  AppendToCopyrightCommand(record, CopyrightAddition::kRegisteredSign);
  AppendToCopyrightCommand(record, CopyrightAddition::kTradeMarkSign);
  AppendToCopyrightCommand(record, CopyrightAddition::kTradeMarkSign);
  EXPECT_EQ(record.copyright, "®™™");
}

TEST(FieldCommands, VisitOpensWebAddressesOnly) {
  FakeShell shell;
  VisitAddressCommand("", shell);
  VisitAddressCommand("file:///etc", shell);
  VisitAddressCommand("www.café.example", shell);  // not a host name in ASCII
  VisitAddressCommand("https://example.org/café", shell);
  EXPECT_EQ(shell.opened, std::vector<std::string>{"https://example.org/caf\xC3\xA9"});
}

TEST(FieldCommands, ReleaseDate) {
  FakeClock clock;
  clock.now = {9, 7};
  ReadmeProject record;
  record.creation = "old";
  SetReleaseDateCommand(record, clock, CalendarDate{2007, 1, 5}, false);
  EXPECT_EQ(record.creation, "05.01.2007");
  SetReleaseDateCommand(record, clock, CalendarDate{2007, 1, 5}, true);
  EXPECT_EQ(record.creation, "05.01.2007 09.07");
  clock.separator = "/";
  clock.now = {23, 59};
  SetReleaseDateCommand(record, clock, CalendarDate{2006, 12, 3}, true);
  EXPECT_EQ(record.creation, "03.12.2006 23/59");
}

TEST(FieldCommands, About) {
  FakeDialogs dialogs;
  AboutCommand(dialogs);
  ASSERT_EQ(dialogs.informations.size(), 1u);
  const std::string& text = dialogs.informations[0];
  // The version, the licence with its missing warranty, and where the project lives; no rights reserved.
  for (const char* part :
       {"Quillory v0.1", "GNU General Public License, version 3 or (at your option) any later", "NO WARRANTY",
        "https://"}) {
    EXPECT_NE(text.find(part), std::string::npos) << part;
  }
  EXPECT_EQ(text.find("reserved"), std::string::npos);
}

}  // namespace
}  // namespace quillory
