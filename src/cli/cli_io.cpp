#include "cli/cli_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>

#include "project/document_kind.h"
#include "project/project_file.h"
#include "text/file_access.h"
#include "text/output_target.h"

namespace quillory::cli {

std::string Quoted(const std::string& name) { return name == "-" ? "standard input" : "'" + name + "'"; }

Error FileFailure(std::string_view verb, const std::string& name, int error_number) {
  return Error(std::string("cannot ").append(verb).append(" ") + Quoted(name) + ": " +
               SystemReason(error_number));
}

Error CliWording(const InputError& failure) {
  switch (failure.operation) {
    case InputError::Operation::kOpen:
      return FileFailure("open", failure.path, failure.error_number);
    case InputError::Operation::kRead:
      return FileFailure("read", failure.path, failure.error_number);
    case InputError::Operation::kNotRegularFile:
      return Error(Quoted(failure.path) + " is not a regular file");
    case InputError::Operation::kTooLarge:
      break;
  }
  return Error(Quoted(failure.path) + " is larger than " + ByteCountText(failure.limit));
}

Error NotADocument(const std::string& name) {
  return Error(Quoted(name) + " is not a Quillory project document");
}

InputSource OpenInput(const std::string& name, std::istream& in, Readable readable) {
  if (name != "-") return InputSource::Open(name, readable);
  // The program's own standard input is read through its descriptor, which nothing has read from before.
  if (&in == &std::cin) return InputSource::FromDescriptor(STDIN_FILENO, name);
  return InputSource::FromStream(in, name);
}

std::string ReadInput(const std::string& name, std::istream& in) { return OpenInput(name, in).ReadAll(); }

namespace {

// The bytes of a document read from input, refused as soon as they cannot be one: a file that is not text
// is known by its first bytes (the text test of IsProjectDocumentText), so a release file named by mistake
// is not read whole.
std::string ReadDocumentBytes(InputSource input) {
  if (input.is_regular() && input.length() > kMaxReadSize) {
    throw InputError(InputError::Operation::kTooLarge, input.name(), EFBIG);
  }
  constexpr size_t kHead = 2 + 2 * 64 * 1024;  // a byte-order mark and 64 KiB of UTF-16
  std::string bytes(kHead, '\0');
  size_t filled = 0;
  while (filled < kHead) {
    const size_t count =
        input.ReadBlock(reinterpret_cast<unsigned char*>(bytes.data()) + filled, kHead - filled);
    if (count == 0) break;
    filled += count;
  }
  bytes.resize(filled);
  if (!IsProjectDocumentText(bytes)) throw NotADocument(input.name());
  if (filled == kHead) bytes = input.ReadAll(kMaxReadSize, std::move(bytes));
  if (!IsProjectDocumentBytes(bytes)) throw NotADocument(input.name());
  return bytes;
}

}  // namespace

std::string ReadDocument(const std::string& name, std::istream& in) {
  return ReadDocumentBytes(OpenInput(name, in));
}

ReadmeProject LoadProject(const std::string& name, std::istream& in) {
  std::string bytes = ReadDocument(name, in);
  ReadmeProject record = ProjectFromBytes(std::move(bytes));
  if (name != "-") record.document_path = name;
  return record;
}

ReadmeProject LoadProject(const std::string& path) {
  std::istream no_input(nullptr);
  return LoadProject(path, no_input);
}

bool RequireChangeableDocument(const std::string& path) {
  // A link the write would refuse is named, as the write names it, before anything is read through it.
  WritePlace place;
  if (auto failure = FindWritePlace(path, place); failure && failure->stage == WriteFailure::Stage::kLink) {
    throw UnsafeLink(failure->path.empty() ? path : failure->path);
  }
  struct stat info {};
  // A name that cannot be examined for another reason is left to the write, which says why it fails.
  if (::stat(path.c_str(), &info) != 0) return errno != ENOENT;
  if (!S_ISREG(info.st_mode)) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
      std::string target(4096, '\0');
      const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
      target.resize(length > 0 ? static_cast<size_t>(length) : 0);
      throw Error(Quoted(path) + " is a symbolic link to '" + target + "', which is not a regular file");
    }
    throw Error(Quoted(path) + " is not a regular file");
  }
  ReadDocumentBytes(InputSource::Open(path, Readable::kRegularFileOnly));
  return true;
}

void ChangeDocument(const std::string& path, const std::function<void(ReadmeProject&)>& change) {
  try {
    // Under the document's lock, so that changes made at the same time by other runs all survive.
    UpdateProjectDocument(path, change);
  } catch (const DocumentWriteError& failure) {
    throw FileFailure("write", path, failure.error_number);
  }
}

Error WriteFailureWording(const std::string& name, const WriteFailure& failure) {
  const std::string& path = failure.path.empty() ? name : failure.path;
  if (failure.stage == WriteFailure::Stage::kLink) {
    return Error("cannot write " + Quoted(path) +
                 ": it is a link in a shared folder that belongs to another user");
  }
  if (path == "-") return Error("cannot write standard output: " + SystemReason(failure.error_number));
  return FileFailure("write", path, failure.error_number);
}

void WriteOutputOrThrow(const std::string& name, std::string_view bytes, const Streams& io) {
  WriteOutputOrThrow(
      name, [&](const PieceWriter& write) { return write(bytes); }, io);
}

void WriteOutputOrThrow(const std::string& name, const ByteProducer& produce, const Streams& io) {
  std::optional<WriteFailure> failure;
  if (name == "-" && io.out_descriptor >= 0) {
    // Straight to the descriptor, after what the stream holds, so that a failure keeps its errno.
    io.out.flush();
    const int error =
        io.out ? produce([&](std::string_view piece) { return WriteAll(io.out_descriptor, piece); }) : EIO;
    if (error != 0) failure = WriteFailure{WriteFailure::Stage::kWrite, error, "-"};
  } else {
    failure = TryWriteOutputWith(name, produce, io.out);
  }
  if (!failure) return;
  if (failure->error_number == EPIPE) throw BrokenPipe{};
  throw WriteFailureWording(name, *failure);
}

void WriteFileSetOrThrow(const std::string& folder, const std::vector<FileToWrite>& files) {
  if (auto failure = CreateFolders(folder)) {
    if (failure->stage == WriteFailure::Stage::kLink) throw WriteFailureWording(folder, *failure);
    throw FileFailure("create the folder", folder, failure->error_number);
  }
  if (auto failure = ReplaceFileSet(files)) throw WriteFailureWording(folder, *failure);
}

void Notice(const Streams& io, std::string_view command, std::string_view text) {
  io.err << "quillory-cli: " << command << ": " << text << "\n";
}

}  // namespace quillory::cli
