#pragma once

#include <string>
#include <string_view>

#include "project/readme_project.h"

namespace quillory {

// The extension rule: the chosen name loses the extension of its last path component (from its last "."
// to the end, when that component holds a "."), then receives `extension` (".qlx", ".txt", ...). Folder
// names are never changed.
std::string ApplyExtension(std::string_view chosen, std::string_view extension);

// The bytes of the project document for record, written over `existing` (the file's current bytes, empty
// for a new file): every key's line is replaced where it stands or added to its section, and every other
// byte of `existing` stays as it was. sha256 is written only when it is filled or `existing` has the key.
std::string ProjectDocumentBytes(const ReadmeProject& record, std::string existing);

// Writes the record as a project document to path, replacing the file once and atomically. Raises
// "Unable to write to %s" (the path) when that fails; the previous file is then left as it was.
void WriteProjectDocument(const ReadmeProject& record, const std::string& path);
// The same, written over `existing`, the file's bytes as the caller has just read them (empty when there
// was no file), which spares reading them again.
void WriteProjectDocument(const ReadmeProject& record, const std::string& path, std::string existing);

// Reads the project document bytes into record: HTML settings and facts missing from it keep their
// current values.
void ReadProjectDocumentBytes(ReadmeProject& record, std::string bytes);

// Reads the project document at path as above. A path that names nothing reads as an empty document;
// one that exists but cannot be read raises "Cannot open file "%s". %s" and changes nothing.
void ReadProjectDocument(ReadmeProject& record, const std::string& path);

// The record a document's bytes give on their own: the HTML defaults, then the bytes read over them.
ReadmeProject ProjectFromBytes(std::string bytes);

}  // namespace quillory
