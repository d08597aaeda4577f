// Every way the program saves a file, under every write failure we can cause: the save raises its message,
// the file it would have replaced keeps its bytes, and no temporary file is left behind.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <sstream>

#include "commands/file_commands.h"
#include "commands/nfo_commands.h"
#include "commands/save_as.h"
#include "common/error.h"
#include "nfo/nfo_builder.h"
#include "project/project_file.h"
#include "support/child_process.h"
#include "support/cli_runner.h"
#include "support/fake_dialogs.h"
#include "support/fake_views.h"
#include "support/sample_records.h"
#include "support/temp_dir.h"

namespace quillory {
namespace {

using testing::ListFolder;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

constexpr size_t kLimit = 64 * 1024;  // far below the size of every document saved here
// A project document, which every route may write over.
const std::string kPrevious = "[readme]\r\n; the previous file, which must survive\r\n";

ReadmeProject LargeRecord() {
  ReadmeProject record = testing::FullRecord();
  record.license = std::string(256 * 1024, 'L');
  return record;
}

// One way of saving: it writes a large document to path and returns the error message, or "" when the
// save succeeded.
struct Route {
  std::string name;
  std::string file;  // the name the save gives the file
  bool project;      // a project document, whose failures read "Unable to write to PATH"
  std::function<std::string(const std::string& path)> save;
};

template <typename Command>
std::string MessageOf(Command command) {
  try {
    command();
    return "";
  } catch (const Error& error) {
    return error.what();
  }
}

std::string SaveAsRoute(const std::string& path, int filter_index) {
  ReadmeProject record = LargeRecord();
  WindowState window;
  testing::FakeDialogs dialogs;
  dialogs.AnswerSave(path, filter_index);
  return MessageOf([&] { SaveAsCommand(record, window, dialogs); });
}

// quillory-cli with its arguments: the message without "quillory-cli: " and the line feed, and the exit
// status when it is not the one that goes with the message.
std::string CliRoute(const std::vector<std::string>& args) {
  const testing::CliOutcome outcome = testing::RunCli(args);
  const int status = outcome.status;
  std::string message = outcome.err;
  if (message.starts_with("quillory-cli: ")) message.erase(0, 14);
  if (message.ends_with("\n")) message.pop_back();
  if (status != (message.empty() ? 0 : 1)) return "exit status " + std::to_string(status) + ": " + message;
  return message;
}

class WriteFailures : public ::testing::Test {
 protected:
  WriteFailures() {
    ::chmod(source_dir_.path().c_str(), 0755);  // readable by the unprivileged user too
    source_ = source_dir_.File("source.qlx");
    WriteProjectDocument(LargeRecord(), source_);
    ::chmod(source_.c_str(), 0644);
  }

  std::vector<Route> Routes() const {
    return {
        {"Save", "doc.qlx", true,
         [](const std::string& path) {
           ReadmeProject record = LargeRecord();
           record.document_path = path;
           WindowState window;
           testing::FakeDialogs dialogs;
           return MessageOf([&] { SaveCommand(record, window, dialogs); });
         }},
        {"Save As project", "doc.qlx", true, [](const std::string& path) { return SaveAsRoute(path, 1); }},
        {"Save As text export", "doc.txt", false,
         [](const std::string& path) { return SaveAsRoute(path, 2); }},
        {"Save As page export", "doc.html", false,
         [](const std::string& path) { return SaveAsRoute(path, 3); }},
        {"NFO save", "doc.nfo", false,
         [](const std::string& path) {
           testing::FakeNfoMemo memo;
           memo.bytes = JoinLines(BuildNfoText(LargeRecord()));
           testing::FakeDialogs dialogs;
           dialogs.AnswerSave(path);
           return MessageOf([&] { SaveNfoCommand(memo, dialogs); });
         }},
        {"quillory-cli set", "doc.qlx", true,
         [](const std::string& path) {
           return CliRoute({"set", path, "program_name=Tool", "license=" + std::string(256 * 1024, 'L')});
         }},
        {"quillory-cli render -o", "doc.txt", false,
         [source = source_](const std::string& path) {
           return CliRoute({"render", "txt", source, "-o", path});
         }},
    };
  }

  // The message a route's save raises for a failure with the system's reason (an errno value), or for a
  // write cut short (0).
  static std::string Expected(const Route& route, const std::string& path, int error_number) {
    // quillory-cli names its subcommand and gives the system's reason, EFBIG for a write cut short.
    if (route.name.starts_with("quillory-cli ")) {
      const std::string command = route.name.substr(13, route.name.find(' ', 13) - 13);
      return command + ": cannot write '" + path +
             "': " + SystemReason(error_number == 0 ? EFBIG : error_number);
    }
    if (route.project) return "Unable to write to " + path;
    if (error_number == 0) return "Stream write error";
    return "Cannot create file \"" + path + "\". " + SystemReason(error_number);
  }

 private:
  TempDir source_dir_;
  std::string source_;
};

TEST_F(WriteFailures, AFileSizeLimitCutsTheWriteShort) {
  for (const Route& route : Routes()) {
    TempDir dir;
    const std::string path = dir.File(route.file);
    WriteFile(path, kPrevious);
    std::string message;
    {
      testing::FileSizeLimit limit(kLimit);
      message = route.save(path);
    }
    EXPECT_EQ(message, Expected(route, path, 0)) << route.name;
    EXPECT_EQ(ReadFile(path), kPrevious) << route.name;
    EXPECT_EQ(ListFolder(dir.path()), route.file) << route.name;
  }
}

TEST_F(WriteFailures, AMissingFolder) {
  for (const Route& route : Routes()) {
    TempDir dir;
    const std::string path = dir.File("missing/" + route.file);
    EXPECT_EQ(route.save(path), Expected(route, path, ENOENT)) << route.name;
    EXPECT_EQ(ListFolder(dir.path()), "") << route.name;
  }
}

TEST_F(WriteFailures, AReadOnlyFile) {
  for (const Route& route : Routes()) {
    TempDir dir;
    const std::string path = dir.File(route.file);
    WriteFile(path, kPrevious);
    ::chmod(path.c_str(), 0444);
    EXPECT_EQ(route.save(path), Expected(route, path, EACCES)) << route.name;
    EXPECT_EQ(ReadFile(path), kPrevious) << route.name;
    EXPECT_EQ(ListFolder(dir.path()), route.file) << route.name;
  }
}

// A folder that takes no new file: no file can be made there, but an existing one is written in place;
// when that write is cut short, the file keeps what it held before.
TEST_F(WriteFailures, AReadOnlyFolder) {
  for (const Route& route : Routes()) {
    TempDir dir;
    const std::string path = dir.File(route.file);
    const std::string existing = dir.File("old-" + route.file);
    WriteFile(existing, kPrevious);
    auto report = testing::RunAsUnprivilegedUser(dir.path(), [&]() -> std::string {
      if (::chmod(dir.path().c_str(), 0555) != 0) return "chmod failed";
      std::string outcome = route.save(path) + "|" + route.save(existing);
      const std::string saved = ReadFile(existing);
      outcome += saved == kPrevious ? "|not written" : "|written";
      {
        testing::FileSizeLimit limit(kLimit);
        outcome += "|" + route.save(existing);
      }
      outcome += ReadFile(existing) == saved ? "|kept" : "|damaged";
      return outcome + "|" + ListFolder(dir.path());
    });
    if (!report) GTEST_SKIP() << "this process cannot run a child as an unprivileged user";
    EXPECT_EQ(*report, Expected(route, path, EACCES) + "||written|" + Expected(route, existing, 0) +
                           "|kept|old-" + route.file)
        << route.name;
  }
}

// A path through a link that another user planted in a shared folder (sticky, world-writable) is refused
// by every route, naming the link, and the file behind it keeps its bytes.
TEST_F(WriteFailures, APathThroughAPlantedLink) {
  if (::geteuid() != 0) GTEST_SKIP() << "giving a link to another user needs the superuser";
  for (const Route& route : Routes()) {
    TempDir dir;
    const std::string real = dir.File("real");
    std::filesystem::create_directory(real);
    WriteFile(real + "/" + route.file, kPrevious);
    const std::string shared = dir.File("pub");
    std::filesystem::create_directory(shared);
    ::chmod(shared.c_str(), 01777);
    const std::string link = shared + "/dist";
    std::filesystem::create_symlink(real, link);
    ASSERT_EQ(::lchown(link.c_str(), 65534, 65534), 0);
    const std::string expected =
        route.name.starts_with("quillory-cli render")
            ? "render: cannot write '" + link +
                  "': it is a link in a shared folder that belongs to another user"
            : std::string(route.name.starts_with("quillory-cli set") ? "set: " : "") +
                  "Cannot create file \"" + link +
                  "\". It is a link in a shared folder that belongs to another user";
    EXPECT_EQ(route.save(link + "/" + route.file), expected) << route.name;
    EXPECT_EQ(ReadFile(real + "/" + route.file), kPrevious) << route.name;
    EXPECT_EQ(ListFolder(real), route.file) << route.name;
  }
}

// A document whose lock another program holds (a reader's shared lock too) is waited for, not forever:
// the save then fails, naming the document, and leaves it as it was.
TEST_F(WriteFailures, ALockThatStaysHeld) {
  SetDocumentLockWait(std::chrono::milliseconds(100));
  for (const Route& route : Routes()) {
    if (!route.project) continue;
    TempDir dir;
    const std::string path = dir.File(route.file);
    WriteFile(path, kPrevious);
    FileDescriptor reader(::open(path.c_str(), O_RDONLY));
    ASSERT_EQ(::flock(reader.get(), LOCK_SH), 0);
    const std::string prefix = route.name.starts_with("quillory-cli set") ? "set: " : "";
    EXPECT_EQ(route.save(path), prefix + "'" + path + "' is locked by another program") << route.name;
    EXPECT_EQ(ReadFile(path), kPrevious) << route.name;
  }
  SetDocumentLockWait(kDocumentLockWait);
}

}  // namespace
}  // namespace quillory
