#include "commands/preview.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/error.h"
#include "render/render.h"
#include "text/file_access.h"
#include "text/file_io.h"

namespace quillory {
namespace {

constexpr std::string_view kTemporaryPageName = "quillory_temp.html";

// Creates folder with mode 0700, first its missing parents (also 0700). Returns whether mkdir succeeded
// or found something there already.
bool CreateFolderWithParents(const std::string& folder) {
  if (::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST) return true;
  if (errno != ENOENT) return false;
  const size_t slash = folder.find_last_of('/');
  if (slash == 0 || slash == std::string::npos) return false;
  return CreateFolderWithParents(folder.substr(0, slash)) &&
         (::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST);
}

}  // namespace

std::string TemporaryPagePathIn(std::string_view runtime_dir, const std::string& cache_home) {
  if (runtime_dir.starts_with('/')) {
    // A runtime folder left from another user's session is not ours to write in.
    const std::string runtime(runtime_dir);
    struct stat info {};
    if (::stat(runtime.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid()) {
      return runtime + "/" + std::string(kTemporaryPageName);
    }
  }
  const std::string folder = cache_home + "/quillory";
  if (CreateFolderWithParents(folder)) {
    // Opened without following a link, so that only a folder of our own is made private.
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() >= 0) ::fchmod(fd.get(), 0700);
  }
  return folder + "/" + std::string(kTemporaryPageName);
}

void DeleteTemporaryPage(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) {
    // A folder that cannot be reached (another user's, a link loop, a file in a folder's place) holds no
    // page of ours.
    if (errno == ENOENT || errno == ENOTDIR || errno == EACCES || errno == ELOOP || errno == ENAMETOOLONG) {
      return;
    }
    throw Error(FormatMessage("Cannot delete file \"%s\". %s", {path, SystemReason(errno)}));
  }
  if (S_ISDIR(info.st_mode)) return;  // a folder was never a page: leave it to its owner
  if (::unlink(path.c_str()) != 0) {
    throw Error(FormatMessage("Cannot delete file \"%s\". %s", {path, SystemReason(errno)}));
  }
}

void ShowTabCommand(const ReadmeProject& record, Tab tab, PreviewViews& views,
                    const std::string& temp_page_path) {
  const bool named = HasProgramName(record);
  switch (tab) {
    case Tab::kEditor:
    case Tab::kNfo:
      return;
    case Tab::kPreviewText:
      views.text.SetText(named ? RenderDocument(record, Format::kText).bytes : std::string());
      return;
    case Tab::kPreviewHtml:
      DeleteTemporaryPage(temp_page_path);
      if (!named) {
        views.browser.ShowBlank();
        return;
      }
      WriteNewPrivateFile(temp_page_path, RenderDocument(record, Format::kHtmlPreview).bytes);
      if (IsExistingFile(temp_page_path)) views.browser.ShowPage(temp_page_path);
      return;
  }
}

}  // namespace quillory
