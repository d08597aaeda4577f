#pragma once

// What the subcommands share: reading inputs ("-" is standard input; a FIFO or pipe is read like it),
// reading and changing documents, writing outputs, and the wording of failures. Every failure names its file.

#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"
#include "common/error.h"
#include "project/readme_project.h"
#include "text/file_io.h"
#include "text/input_source.h"

namespace quillory::cli {

// Raised when standard output (or another output) was closed by its reader: the run ends quietly.
struct BrokenPipe {};

// How an input name appears in messages: 'NAME' quoted, or "standard input" for "-".
std::string Quoted(const std::string& name);

// "cannot VERB 'NAME': REASON" for an errno value.
Error FileFailure(std::string_view verb, const std::string& name, int error_number);

// The command line's wording of a failure to read an input: "cannot open 'NAME': REASON", "cannot read
// standard input: REASON", "'NAME' is not a regular file", "'NAME' is larger than 1 GiB". Run words every
// InputError a subcommand raises with it.
Error CliWording(const InputError& failure);

// "'NAME' is not a Quillory project document".
Error NotADocument(const std::string& name);

// The input name opened as readable allows; "-" is standard input, in (std::cin is read through its
// descriptor). Raises InputError.
InputSource OpenInput(const std::string& name, std::istream& in, Readable readable = Readable::kAnyFile);

// All the bytes of the input name ("-": in), at most kMaxReadSize of them. Raises InputError.
std::string ReadInput(const std::string& name, std::istream& in);

// The bytes of the project document name ("-": in), at most kMaxReadSize of them. Raises InputError, or
// NotADocument for bytes that are no project document (see project/document_kind.h), which a file that is
// not text shows in its first bytes, before the rest is read.
std::string ReadDocument(const std::string& name, std::istream& in);

// The record of the project document name ("-": in), read once. Raises InputError, or NotADocument for
// bytes that are no project document (see project/document_kind.h).
ReadmeProject LoadProject(const std::string& name, std::istream& in);
ReadmeProject LoadProject(const std::string& path);

// Checks a document that set or stamp is about to change, before anything else is read, so that nothing
// waits on it and nothing else is overwritten: returns false when path names nothing (a new document),
// true for an existing project document. Raises "'PATH' is not a regular file" ("'PATH' is a symbolic link to
// 'TARGET', which is not a regular file" for a link), UnsafeLink for a link that is not followed (naming the
// link), InputError, or NotADocument.
bool RequireChangeableDocument(const std::string& path);

// Reads the document at path (a missing name is an empty document), lets change alter its record, and
// replaces the document atomically; every byte the change does not concern stays. The change may run more
// than once (when another writer changed the document first), each time on a fresh record. Raises InputError
// or FileFailure ("write"); the document is then unchanged. Call RequireChangeableDocument first.
void ChangeDocument(const std::string& path, const std::function<void(ReadmeProject&)>& change);

// The command line's wording of a failed write of the output name: "cannot write 'PATH': REASON" (PATH
// the file that failed), "cannot write standard output: REASON", or for a refused link "cannot write
// 'LINK': it is a link in a shared folder that belongs to another user".
Error WriteFailureWording(const std::string& name, const WriteFailure& failure);

// Writes bytes to the output name: "-" is io.out (through io.out_descriptor when there is one); see
// text/output_target.h. Raises BrokenPipe when the reader has gone (EPIPE), else WriteFailureWording with
// the system's reason ("cannot write standard output: No space left on device").
void WriteOutputOrThrow(const std::string& name, std::string_view bytes, const Streams& io);

// WriteOutputOrThrow of the bytes produce makes, written as they are made (see text/file_io.h).
void WriteOutputOrThrow(const std::string& name, const ByteProducer& produce, const Streams& io);

// One file a run writes: where, and its bytes.
struct OutputFile {
  std::string path;
  std::string bytes;
};

// Prints "quillory-cli: COMMAND: TEXT" on io.err: a notice that is no failure.
void Notice(const Streams& io, std::string_view command, std::string_view text);

// Makes the folder (and those above it) when missing, then replaces the files in it all together or not
// at all (ReplaceFileSet of text/file_io.h). Raises FileFailure ("create the folder") or
// WriteFailureWording; the files that were there are then left as they were.
void WriteFileSetOrThrow(const std::string& folder, const std::vector<FileToWrite>& files);

}  // namespace quillory::cli
