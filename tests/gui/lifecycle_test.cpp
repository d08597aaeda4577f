#include <QAction>
#include <QImage>
#include <QThread>
#include <cstdlib>
#include <filesystem>

#include "app/xdg_association_store.h"
#include "commands/startup.h"
#include "gui/form_fixture.h"

namespace quillory::testing {
namespace {

namespace fs = std::filesystem;

class AssociationTest : public FormTest {
 protected:
  TempDir xdg;
  XdgAssociationStore store{XdgFolders{xdg.File("data"), xdg.File("config")}};
  const std::string foreign_list =
      "[Default Applications]\ntext/plain=editor.desktop\n\n[Added "
      "Associations]\nimage/png=viewer.desktop;\n";
};

TEST_F(AssociationTest, WrittenAtFirstStartOnlyThenAfterAMoveAndRemovedOnRequest) {
  fs::create_directories(xdg.File("config"));
  WriteFile(store.MimeAppsPath(), foreign_list);
  Start({}, &store, "/opt/my apps/quillory");
  const std::string entry = ReadFile(store.DesktopEntryPath());
  EXPECT_NE(entry.find("\nExec=\"/opt/my apps/quillory\" %f\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nMimeType=application/x-quillory;\n"), std::string::npos);
  const std::string package = ReadFile(store.MimePackagePath());
  EXPECT_NE(package.find("<mime-type type=\"application/x-quillory\">"), std::string::npos);
  EXPECT_NE(package.find("<glob pattern=\"*.qlx\"/>"), std::string::npos);
  EXPECT_EQ(ReadFile(store.MimeAppsPath()),
            "[Default Applications]\ntext/plain=editor.desktop\napplication/x-quillory=quillory.desktop\n\n"
            "[Added Associations]\nimage/png=viewer.desktop;\n");
  EXPECT_EQ(QImage(QString::fromStdString(store.IconPath(32))).size(), QSize(32, 32));
  // Read back in the shape the start-up step compares.
  EXPECT_EQ(store.ReadDefault(std::string(kOpenCommandKey)), "/opt/my apps/quillory %1");
  EXPECT_EQ(store.ReadDefault(std::string(kDocumentIconKey)), "/opt/my apps/quillory,1");
  EXPECT_EQ(store.ReadDefault(std::string(kDocumentTypeKey)), "Quillory");
  EXPECT_TRUE(dialogs.errors.empty());

  // A second start from the same place writes nothing: a package removed meanwhile stays removed.
  fs::remove(store.MimePackagePath());
  Start({}, &store, "/opt/my apps/quillory");
  EXPECT_FALSE(fs::exists(store.MimePackagePath()));

  // The program moved: everything is written again.
  Start({}, &store, "/usr/local/bin/quillory");
  EXPECT_TRUE(fs::exists(store.MimePackagePath()));
  EXPECT_NE(ReadFile(store.DesktopEntryPath()).find("\nExec=/usr/local/bin/quillory %f\n"),
            std::string::npos);

  // Remove association: the files go, the other lines of mimeapps.list stay; the next start registers again.
  Find<QAction>("ClearRegistry1")->trigger();
  EXPECT_EQ(dialogs.informations.back(),
            "The .qlx association was removed. Quillory registers it again when it next starts.");
  EXPECT_FALSE(fs::exists(store.DesktopEntryPath()));
  EXPECT_FALSE(fs::exists(store.MimePackagePath()));
  EXPECT_FALSE(fs::exists(store.IconPath(32)));
  EXPECT_EQ(ReadFile(store.MimeAppsPath()), foreign_list);
  EXPECT_FALSE(store.KeyExists(std::string(kProgramKey)));
  EXPECT_FALSE(store.KeyExists(std::string(kDocumentTypeKey)));
  Start({}, &store, "/usr/local/bin/quillory");
  EXPECT_TRUE(fs::exists(store.DesktopEntryPath()));
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(AssociationTest, AnInstalledEntryThatStartsThisProgramLeavesTheUsersFilesAlone) {
  // A system data folder holds the package's entry; its command is found in the second folder of the path.
  fs::create_directories(xdg.File("usr/bin"));
  WriteFile(xdg.File("usr/bin/quillory"), "#!/bin/sh\n");
  fs::permissions(xdg.File("usr/bin/quillory"), fs::perms::owner_all);
  const std::string program = fs::canonical(xdg.File("usr/bin/quillory")).string();
  fs::create_directories(xdg.File("usr/share/applications"));
  WriteFile(xdg.File("usr/share/applications/io.github.quillory.Quillory.desktop"),
            "[Desktop Entry]\nType=Application\nName=Quillory\nExec=quillory %f\n");
  XdgFolders folders{xdg.File("data"),
                     xdg.File("config"),
                     {xdg.File("opt/share"), xdg.File("usr/share")},
                     {xdg.File("opt/bin"), xdg.File("usr/bin")}};
  XdgAssociationStore installed{folders};
  Start({}, &installed, program);
  EXPECT_FALSE(fs::exists(xdg.File("data")));
  EXPECT_FALSE(fs::exists(xdg.File("config")));
  EXPECT_EQ(installed.ReadDefault(std::string(kOpenCommandKey)), program + " %1");
  EXPECT_TRUE(dialogs.errors.empty());
  // The package's files are not the user's to remove: the command says so.
  Find<QAction>("ClearRegistry1")->trigger();
  EXPECT_EQ(dialogs.informations,
            std::vector<std::string>{"The installed package provides the association."});
  EXPECT_TRUE(installed.KeyExists(std::string(kOpenCommandKey)));

  // An entry in an earlier data folder hides it; one whose command is not found names no program.
  fs::create_directories(xdg.File("opt/share/applications"));
  WriteFile(xdg.File("opt/share/applications/io.github.quillory.Quillory.desktop"),
            "[Desktop Entry]\nExec=quillory-old %f\n");
  EXPECT_EQ(installed.InstalledProgram(), std::nullopt);
  fs::remove(xdg.File("opt/share/applications/io.github.quillory.Quillory.desktop"));
  folders.path = {xdg.File("opt/bin")};
  EXPECT_EQ(XdgAssociationStore(folders).InstalledProgram(), std::nullopt);

  // A build started from its folder registers itself per user, and the user's entry then comes first.
  Start({}, &installed, "/home/dev/quillory/build/src/app/quillory");
  EXPECT_NE(
      ReadFile(installed.DesktopEntryPath()).find("\nExec=/home/dev/quillory/build/src/app/quillory %f\n"),
      std::string::npos);
  EXPECT_EQ(installed.ReadDefault(std::string(kOpenCommandKey)),
            "/home/dev/quillory/build/src/app/quillory %1");
}

TEST_F(AssociationTest, ARefusedWriteDoesNotSpoilTheStart) {
  WriteFile(xdg.File("plain file"), "not a folder");
  XdgAssociationStore refusing{XdgFolders{xdg.File("plain file/data"), xdg.File("plain file/config")}};
  const std::string document = dir.File("a.qlx");
  WriteFile(document, "[html]\r\nc2=navy\r\n[readme]\r\nprogram_name=Tool\r\n");
  Start({document}, &refusing);
  // The message ends in "'", which sorts before ".": the box adds no full stop.
  EXPECT_EQ(dialogs.errors, std::vector<std::string>{"Failed to set data for '.qlx'"});
  EXPECT_EQ(Text("Edit1"), "Tool");
  EXPECT_EQ(form->windowTitle(), "a.qlx[*] - Quillory v0.1");
  EXPECT_EQ(form->record().c1, "#f5f5f5");
  EXPECT_EQ(form->record().c2, "navy");
}

TEST_F(AssociationTest, AProgramPathThatIsNotUtf8IsNotWrittenAndSaidOnce) {
  Start({}, &store, "/opt/caf\xE9/quillory");
  EXPECT_EQ(dialogs.errors,
            std::vector<std::string>{"The program's path \"/opt/caf\uFFFD/quillory\" is not UTF-8 "
                                     "text, so .qlx files cannot be associated with it."});
  EXPECT_FALSE(fs::exists(store.DesktopEntryPath()));
  EXPECT_FALSE(fs::exists(store.MimePackagePath()));
}

TEST_F(AssociationTest, TheWindowDoesNotWaitForTheMimeDatabaseRefresh) {
  // An update-mime-database, first on the search path, that leaves its mark only once the test lets it go
  // on: had the store waited for it, it would have given up before the test let it, and left none.
  TempDir bin;
  const std::string go = bin.File("go");
  WriteFile(bin.File("update-mime-database"), "#!/bin/sh\nfor i in $(seq 200); do\n  [ -e '" + go +
                                                  "' ] && exec touch \"$1/refreshed\"\n  sleep 0.05\ndone\n");
  fs::permissions(bin.File("update-mime-database"), fs::perms::owner_all);
  const std::string old_path = std::getenv("PATH");
  ::setenv("PATH", (bin.path() + ":" + old_path).c_str(), 1);
  store.WriteDefault(std::string(kDocumentTypeKey), std::string(kDocumentTypeValue));
  ::setenv("PATH", old_path.c_str(), 1);
  EXPECT_FALSE(fs::exists(xdg.File("data/mime/refreshed")));
  WriteFile(go, "");
  for (int i = 0; i < 100 && !fs::exists(xdg.File("data/mime/refreshed")); ++i) QThread::msleep(100);
  EXPECT_TRUE(fs::exists(xdg.File("data/mime/refreshed")));  // it did run, on its own
}

using CloseTest = FormTest;

TEST_F(CloseTest, ClosingDeletesTheTemporaryPageAndLeavesAFolderThere) {
  Start();
  EXPECT_TRUE(form->close());  // no page: nothing to delete

  Start();
  WriteFile(TemporaryPage(), "<html/>");
  EXPECT_TRUE(form->close());
  EXPECT_FALSE(fs::exists(TemporaryPage()));

  // A folder planted at the page's name is no page: the window closes and the folder stays.
  Start();
  fs::create_directory(TemporaryPage());
  WriteFile(TemporaryPage() + "/inside", "x");
  EXPECT_TRUE(form->close());
  EXPECT_TRUE(fs::exists(TemporaryPage() + "/inside"));
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(CloseTest, ExitEndsAtOnceAndLeavesTheTemporaryPage) {
  Start();
  WriteFile(TemporaryPage(), "<html/>");
  Press("Button19", QKeySequence(Qt::CTRL | Qt::Key_Q));
  Find<QAction>("Exit1")->trigger();
  EXPECT_EQ(exits, 2);
  EXPECT_TRUE(fs::exists(TemporaryPage()));
  EXPECT_TRUE(form->isVisible());
}

}  // namespace
}  // namespace quillory::testing
