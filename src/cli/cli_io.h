#pragma once

// What the subcommands share: reading inputs ("-" is standard input; a FIFO or pipe is read like it),
// changing a document, writing outputs, and the wording of failures. Every failure names its file.

#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "common/error.h"
#include "project/readme_project.h"
#include "text/input_source.h"

namespace quillory::cli {

// How an input name appears in messages: 'NAME' quoted, or "standard input" for "-".
std::string Quoted(const std::string& name);

// "cannot VERB 'NAME': REASON" for an errno value.
Error FileFailure(std::string_view verb, const std::string& name, int error_number);

// The command line's wording of a failure to read an input: "cannot open 'NAME': REASON", "cannot read
// standard input: REASON", "'NAME' is not a regular file", "'NAME' is larger than 1 GiB". Run words every
// InputError a subcommand raises with it.
Error CliWording(const InputError& failure);

// The input name opened as readable allows; "-" is standard input, in (std::cin is read through its
// descriptor). Raises InputError.
InputSource OpenInput(const std::string& name, std::istream& in, Readable readable = Readable::kAnyFile);

// All the bytes of the input name ("-": in), at most kMaxReadSize of them. Raises InputError.
std::string ReadInput(const std::string& name, std::istream& in);

// The record of the project document name ("-": in), read once. Raises InputError.
ReadmeProject LoadProject(const std::string& name, std::istream& in);
ReadmeProject LoadProject(const std::string& path);

// Raises "'PATH' is not a regular file" unless path names a regular file or nothing: a document that
// set or stamp changes is checked with this before anything else is read, so nothing waits on it.
void RequireChangeableDocument(const std::string& path);

// Reads the document at path (a missing name is an empty document), lets change alter its record, and
// replaces the document atomically; every byte the change does not concern stays. The change may run more
// than once (when another writer changed the document first), each time on a fresh record. Raises the failure
// of RequireChangeableDocument, InputError or FileFailure ("write"); the document is then unchanged.
void ChangeDocument(const std::string& path, const std::function<void(ReadmeProject&)>& change);

// Writes bytes to the output name: "-" is out; see text/output_target.h. Raises FileFailure ("write").
void WriteOutputOrThrow(const std::string& name, std::string_view bytes, std::ostream& out);

}  // namespace quillory::cli
