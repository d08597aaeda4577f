#include "commands/preview.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "common/error.h"
#include "support/child_process.h"
#include "support/fake_views.h"
#include "support/temp_dir.h"
#include "text/file_io.h"

namespace quillory {
namespace {

using testing::FakeBrowser;
using testing::FakePreviewText;
using testing::ReadFile;
using testing::TempDir;

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

struct Views {
  FakePreviewText text;
  FakeBrowser browser;
  PreviewViews ports{text, browser};
};

TEST(Preview, TheTextTabRebuildsAtEachSelectionAndTheOthersTouchNothing) {
  TempDir dir;
  Views v;
  ReadmeProject record;
  record.program_name = "Tool";
  ShowTabCommand(record, Tab::kPreviewText, v.ports, dir.File("page.html"));
  EXPECT_TRUE(v.text.text.starts_with("::::::::::::::::::\r\n")) << v.text.text;
  EXPECT_TRUE(v.text.text.ends_with("Program Name........: Tool\r\n"));
  ShowTabCommand(record, Tab::kEditor, v.ports, dir.File("page.html"));
  ShowTabCommand(record, Tab::kNfo, v.ports, dir.File("page.html"));
  EXPECT_EQ(v.text.updates, 1);
  EXPECT_TRUE(v.browser.shown.empty());

  record.program_name.clear();
  ShowTabCommand(record, Tab::kPreviewText, v.ports, dir.File("page.html"));
  EXPECT_EQ(v.text.text, "");
  EXPECT_EQ(testing::ListFolder(dir.path()), "");
}

TEST(Preview, HtmlTabWritesTheTemporaryPage) {
  TempDir dir;
  const std::string page = dir.File("quillory_temp.html");
  Views v;
  ReadmeProject record;
  SetHtmlDefaults(record);
  record.program_name = "First";
  ShowTabCommand(record, Tab::kPreviewHtml, v.ports, page);
  EXPECT_NE(ReadFile(page).find("First"), std::string::npos);
  struct stat info {};
  ::stat(page.c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  record.program_name = "Second";
  record.changelog = "c";
  ShowTabCommand(record, Tab::kPreviewHtml, v.ports, page);
  EXPECT_NE(ReadFile(page).find("Second"), std::string::npos);
  EXPECT_NE(ReadFile(page).find("\r\n:: CHANGE LOG ::\r\n"), std::string::npos);  // the preview heading

  // An empty program name deletes the old page and shows the blank page.
  record.program_name.clear();
  ShowTabCommand(record, Tab::kPreviewHtml, v.ports, page);
  EXPECT_FALSE(std::filesystem::exists(page));
  EXPECT_EQ(v.browser.shown, (std::vector<std::string>{page, page, "about:blank"}));
}

TEST(Preview, APlantedLinkIsRemovedNotFollowed) {
  TempDir dir;
  const std::string page = dir.File("quillory_temp.html");
  testing::WriteFile(dir.File("victim"), "precious");
  std::filesystem::create_symlink(dir.File("victim"), page);
  Views v;
  ReadmeProject record;
  record.program_name = "Tool";
  ShowTabCommand(record, Tab::kPreviewHtml, v.ports, page);
  EXPECT_EQ(ReadFile(dir.File("victim")), "precious");
  EXPECT_FALSE(std::filesystem::is_symlink(page));
  EXPECT_NE(ReadFile(page).find("Tool"), std::string::npos);
}

TEST(Preview, PageThatCannotBeReplacedKeepsTheBrowserPage) {
  TempDir dir;
  Views v;
  ReadmeProject record;
  record.program_name = "Tool";
  EXPECT_THROW(ShowTabCommand(record, Tab::kPreviewHtml, v.ports, dir.File("missing/page.html")), Error);
  // A folder in the page's place cannot be deleted.
  std::filesystem::create_directory(dir.File("page.html"));
  EXPECT_THROW(ShowTabCommand(record, Tab::kPreviewHtml, v.ports, dir.File("page.html")), Error);
  EXPECT_TRUE(v.browser.shown.empty());
}

TEST(Preview, DeletingThePageSkipsWhatIsNoPageAndNamesAPageItCannotDelete) {
  TempDir dir;
  // A folder on the way that cannot be reached holds no page; a page that cannot be deleted is named.
  std::filesystem::create_symlink("loop", dir.File("loop"));
  DeleteTemporaryPage(dir.File("loop/page.html"));
  const std::string locked = dir.File("locked"), kept = dir.File("kept");
  const auto report = testing::RunAsUnprivilegedUser(dir.path(), [&]() -> std::string {
    for (const std::string& folder : {locked, kept}) {
      ::mkdir(folder.c_str(), 0700);
      WriteNewPrivateFile(folder + "/page.html", "<html/>");
    }
    ::chmod(locked.c_str(), 0);  // like another user's runtime folder
    ::chmod(kept.c_str(), 0500);
    DeleteTemporaryPage(locked + "/page.html");
    DeleteTemporaryPage(kept + "/page.html");
    return "deleted";
  });
  if (!report) GTEST_SKIP() << "cannot run as an unprivileged user";
  EXPECT_EQ(*report, "exception: Cannot delete file \"" + kept + "/page.html\". Permission denied");
}

TEST(Preview, TheFallbackFolderIsCreatedPrivateAndNoLinkIsFollowed) {
  TempDir dir;
  EXPECT_EQ(TemporaryPagePathIn(dir.path(), ""), dir.File("quillory_temp.html"));
  std::filesystem::create_directory(dir.File("theirs"));  // another user's runtime folder is passed over
  const bool given_away = ::chown(dir.File("theirs").c_str(), 65534, 65534) == 0;
  EXPECT_EQ(TemporaryPagePathIn(given_away ? dir.File("theirs") : "", dir.File("a/b")),
            dir.File("a/b/quillory/quillory_temp.html"));
  for (const char* folder : {"a", "a/b", "a/b/quillory"}) EXPECT_EQ(ModeOf(dir.File(folder)), 0700u);
  std::filesystem::create_directories(dir.File("c"));
  std::filesystem::create_directory(dir.File("target"));
  ::chmod(dir.File("target").c_str(), 0755);
  std::filesystem::create_directory_symlink(dir.File("target"), dir.File("c/quillory"));
  TemporaryPagePathIn("", dir.File("c"));
  EXPECT_EQ(ModeOf(dir.File("target")), 0755u);
}

}  // namespace
}  // namespace quillory
