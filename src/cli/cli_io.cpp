#include "cli/cli_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include <iostream>

#include "project/project_file.h"
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

InputSource OpenInput(const std::string& name, std::istream& in, Readable readable) {
  if (name != "-") return InputSource::Open(name, readable);
  // The program's own standard input is read through its descriptor, which nothing has read from before.
  if (&in == &std::cin) return InputSource::FromDescriptor(STDIN_FILENO, name);
  return InputSource::FromStream(in, name);
}

std::string ReadInput(const std::string& name, std::istream& in) { return OpenInput(name, in).ReadAll(); }

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
