#include "commands/startup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "commands/preview.h"
#include "support/fake_ports.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

using testing::FakeAssociationStore;
using testing::FakeDialogs;
using testing::TempDir;
using testing::WriteFile;
using Log = std::vector<std::string>;

TEST(FileAssociation, WrittenWhenTheCommandDiffersAndOnlyThen) {
  FakeAssociationStore store;
  EXPECT_TRUE(UpdateFileAssociation(store, "/opt/q/quillory"));
  EXPECT_EQ(store.log, (Log{"write .qlx=Quillory", "write Quillory\\Shell\\Open\\Command=/opt/q/quillory %1",
                            "write Quillory\\DefaultIcon=/opt/q/quillory,1"}));

  // A second start from the same place writes nothing, even with the other two keys gone or changed.
  store.log.clear();
  store.values.erase(".qlx");
  store.values["Quillory\\DefaultIcon"] = "elsewhere,0";
  EXPECT_FALSE(UpdateFileAssociation(store, "/opt/q/quillory"));
  EXPECT_TRUE(store.log.empty());

  // The program moved: all three are rewritten. The comparison is exact, letter case included.
  EXPECT_TRUE(UpdateFileAssociation(store, "/opt/Q/quillory"));
  EXPECT_EQ(store.log.size(), 3u);
  EXPECT_EQ(store.values[".qlx"], "Quillory");
  EXPECT_EQ(store.values["Quillory\\DefaultIcon"], "/opt/Q/quillory,1");
}

TEST(FileAssociation, RemoveDeletesBothTreesSkipsMissingOnesAndSaysWhatItDid) {
  FakeAssociationStore store;
  UpdateFileAssociation(store, "/opt/q/quillory");
  store.values["Unrelated"] = "x";
  store.log.clear();
  FakeDialogs dialogs;
  RemoveFileAssociationCommand(store, dialogs);
  EXPECT_EQ(store.log, (Log{"delete Quillory", "delete .qlx"}));
  EXPECT_EQ(store.values.size(), 1u);

  store.log.clear();
  RemoveFileAssociationCommand(store, dialogs);
  EXPECT_TRUE(store.log.empty());
  EXPECT_EQ(dialogs.informations, (Log{"The .qlx association was removed. Quillory registers it again when "
                                       "it next starts.",
                                       "No .qlx association was registered."}));
  // The next start registers again.
  EXPECT_TRUE(UpdateFileAssociation(store, "/opt/q/quillory"));
}

struct StartupFixture : ::testing::Test {
  ReadmeProject record;
  WindowState window;
  FakeAssociationStore store;
  TempDir dir;
  std::vector<std::string> steps;

  void Start(std::vector<std::string> arguments) {
    RunStartupStep(
        record, window, store, StartupEnvironment{"/opt/q/quillory", std::move(arguments)},
        [this] { steps.push_back("tooltip colour, " + std::to_string(store.log.size()) + " writes"); });
  }
};

TEST_F(StartupFixture, WithoutADocumentSetsDefaultsAndRegisters) {
  record.chr = "utf-8";
  record.c3 = "red";
  window.CheckOnly(CharsetItem::kUtf8);
  Start({});
  EXPECT_EQ(steps, (Log{"tooltip colour, 0 writes"}));  // step 1 comes before the association
  EXPECT_EQ(store.log.size(), 3u);
  EXPECT_EQ(record.c3, "#8f8f8f");
  EXPECT_EQ(record.chr, "iso-8859-1");
  EXPECT_EQ(window.charset_checked, (std::array<bool, 3>{false, true, false}));
  EXPECT_EQ(WindowTitle(record), "Quillory v0.1");
  EXPECT_TRUE(record.document_path.empty());
}

TEST_F(StartupFixture, OpensTheFirstArgumentWithDefaultsForWhatItLacks) {
  const std::string path = dir.File("my release.qlx");
  WriteFile(path,
            "[html]\r\nc1=white\r\nchr=utf-8\r\n[readme]\r\nprogram_name=Tool\r\nnews=a\xA4\xA4"
            "b\r\n");
  record.version = "kept";  // facts the document lacks keep their text (the Default command relies on it)
  Start({path, dir.File("second.qlx")});
  EXPECT_EQ(record.document_path, path);
  EXPECT_EQ(WindowTitle(record), "my release.qlx - Quillory v0.1");
  EXPECT_EQ(record.program_name, "Tool");
  EXPECT_EQ(record.news, "a\r\n\r\nb");
  EXPECT_EQ(record.version, "kept");
  EXPECT_EQ(record.c1, "white");
  EXPECT_EQ(record.c2, "#000000");
  EXPECT_EQ(record.chr, "utf-8");
  EXPECT_EQ(window.charset_checked, (std::array<bool, 3>{true, false, false}));
}

TEST_F(StartupFixture, ReportsAFirstArgumentItCannotOpenAndIgnoresLaterOnes) {
  const std::string document = dir.File("a.qlx");
  WriteFile(document, "[readme]\r\nprogram_name=Tool\r\n");
  WriteFile(dir.File("notes.txt"), "Buy milk\n");
  const std::pair<std::string, std::string> cases[] = {
      {dir.File("notes.txt"), "\"" + dir.File("notes.txt") + "\" is not a Quillory project document"},
      {"", ""},  // no document named
  };
  for (const auto& [first, message] : cases) {
    std::string raised;
    try {
      Start({first, document});
    } catch (const Error& error) {
      raised = error.what();
    }
    EXPECT_EQ(raised, message);
    EXPECT_TRUE(record.document_path.empty()) << first;
  }
  // With the association refused too, both are said, the document first.
  store.refuse_writes = true;
  store.values.clear();
  try {
    Start({dir.File("missing.qlx")});
    ADD_FAILURE() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.what(), "Cannot open file \"" + dir.File("missing.qlx") +
                                "\". No such file or directory.\nFailed to set data for '.qlx'");
  }
}

TEST_F(StartupFixture, ARefusedAssociationStillSetsDefaultsAndOpensTheDocument) {
  const std::string path = dir.File("a.qlx");
  WriteFile(path, "[readme]\r\nprogram_name=Tool\r\n");
  store.refuse_writes = true;
  record.c1 = "stale";
  try {
    Start({path});
    FAIL() << "the refusal must still be reported";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for '.qlx'");
  }
  EXPECT_EQ(record.c1, "#f5f5f5");
  EXPECT_EQ(record.program_name, "Tool");
  EXPECT_EQ(WindowTitle(record), "a.qlx - Quillory v0.1");
}

TEST(TemporaryPage, DeletedWhenPresentAndAFolderLeftAlone) {
  TempDir dir;
  const std::string page = dir.File("quillory_temp.html");
  DeleteTemporaryPage(page);  // nothing there: nothing to do
  WriteFile(page, "<html/>");
  DeleteTemporaryPage(page);
  EXPECT_FALSE(std::filesystem::exists(page));

  // A folder at the page's name was never a page: it is left alone, and the close goes on.
  std::filesystem::create_directory(page);
  WriteFile(page + "/inside", "x");
  DeleteTemporaryPage(page);
  EXPECT_TRUE(std::filesystem::exists(page + "/inside"));
}

TEST_F(StartupFixture, RefusesADocumentThatIsNotText) {
  const std::string picture = dir.File("picture.qlx");
  WriteFile(picture, std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
  try {
    Start({picture});
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.what(), "\"" + picture + "\" is not a Quillory project document");
  }
  EXPECT_EQ(record.document_path, "");
  EXPECT_EQ(record.c1, std::string(kDefaultC1));
}

}  // namespace
}  // namespace quillory
