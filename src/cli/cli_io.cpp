#include "cli/cli_io.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <memory>

#include "project/project_file.h"
#include "text/file_access.h"
#include "text/file_io.h"
#include "text/output_target.h"

namespace quillory::cli {
namespace {

// Large enough that a system call costs next to nothing beside what is done with its block.
constexpr std::size_t kBlockSize = std::size_t{1} << 20;

// Opens name for reading; a folder is refused (EISDIR).
OpenedFile OpenInput(const std::string& name, int extra_flags = 0) {
  OpenedFile file;
  if (int error = OpenForReading(name, file, extra_flags)) throw FileFailure("open", name, error);
  return file;
}

}  // namespace

std::string Quoted(const std::string& name) { return name == "-" ? "standard input" : "'" + name + "'"; }

Error FileFailure(std::string_view verb, const std::string& name, int error_number) {
  return Error(std::string("cannot ").append(verb).append(" ") + Quoted(name) + ": " +
               SystemReason(error_number));
}

std::string ReadInput(const std::string& name, std::istream& in) {
  std::string bytes;
  if (name == "-") {
    ReadInBlocks(name, in, [&](const unsigned char* data, std::size_t length) {
      bytes.append(reinterpret_cast<const char*>(data), length);
    });
    return bytes;
  }
  OpenedFile file = OpenInput(name);
  const size_t size_hint = S_ISREG(file.info.st_mode) ? static_cast<size_t>(file.info.st_size) : 0;
  if (int error = ReadAll(file.fd.get(), bytes, size_hint)) throw FileFailure("read", name, error);
  return bytes;
}

BlockReader OpenBlockReader(const std::string& name, std::istream& in) {
  if (name == "-") {
    return [&in](unsigned char* block, std::size_t size) {
      in.read(reinterpret_cast<char*>(block), static_cast<std::streamsize>(size));
      if (in.bad()) throw FileFailure("read", "-", EIO);
      return static_cast<std::size_t>(in.gcount());
    };
  }
  auto file = std::make_shared<OpenedFile>(OpenInput(name));
  ::posix_fadvise(file->fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
  return [file, name](unsigned char* block, std::size_t size) {
    const ssize_t got = ReadSome(file->fd.get(), block, size);
    if (got < 0) throw FileFailure("read", name, errno);
    return static_cast<std::size_t>(got);
  };
}

std::uint64_t ReadInBlocks(const std::string& name, std::istream& in, const BlockSink& sink) {
  const BlockReader read = OpenBlockReader(name, in);
  const auto block = std::make_unique_for_overwrite<unsigned char[]>(kBlockSize);
  std::uint64_t total = 0;
  while (const std::size_t got = read(block.get(), kBlockSize)) {
    sink(block.get(), got);
    total += got;
  }
  return total;
}

ReadmeProject LoadProject(const std::string& name, std::istream& in) {
  ReadmeProject record = ProjectFromBytes(ReadInput(name, in));
  if (name != "-") record.document_path = name;
  return record;
}

ReadmeProject LoadProject(const std::string& path) {
  std::istream no_input(nullptr);
  return LoadProject(path, no_input);
}

void RequireChangeableDocument(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return;  // a missing name, or one whose opening will say why not
  if (!S_ISREG(info.st_mode)) throw Error(Quoted(path) + " is not a regular file");
}

void ChangeDocument(const std::string& path, const std::function<void(ReadmeProject&)>& change) {
  RequireChangeableDocument(path);
  try {
    // Under the document's lock, so that changes made at the same time by other runs all survive.
    UpdateProjectDocument(path, change);
  } catch (const DocumentWriteError& failure) {
    throw FileFailure("write", path, failure.error_number);
  }
}

void WriteOutputOrThrow(const std::string& name, std::string_view bytes, std::ostream& out) {
  if (int error = WriteOutput(name, bytes, out)) {
    if (name == "-") throw Error("cannot write standard output: " + SystemReason(error));
    throw FileFailure("write", name, error);
  }
}

}  // namespace quillory::cli
