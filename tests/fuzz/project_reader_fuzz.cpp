// Any bytes as a project document: read into a record, written (over the same bytes, as Save does, and as a
// new file), read again. The second read must give what the first one gave, except where the reader's own
// rule for one-line values applies: their surrounding blanks and one pair of quotes go, as they do for a
// value typed into a one-line field.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "project/facts.h"
#include "project/project_file.h"

namespace {

using quillory::Fact;
using quillory::Facts;
using quillory::ReadmeProject;
using quillory::Storage;

// The one-line value the reader makes of a stored value: blanks trimmed, then one pair of quotes removed.
std::string ReadBackOneLine(std::string value) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!value.empty() && blank(value.back())) value.pop_back();
  size_t start = 0;
  while (start < value.size() && blank(value[start])) ++start;
  value.erase(0, start);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

// A record whose every value differs from anything the reader yields, so a key the writer left out shows.
// A fact stored only when used starts empty: the writer leaves it out while it is empty and the document
// lacks it.
ReadmeProject Sentinel() {
  ReadmeProject record;
  for (const Fact& fact : Facts()) {
    if (fact.storage != Storage::kWhenUsed) record.*fact.member = "\n(unread)";
  }
  return record;
}

void ExpectSameRecord(const ReadmeProject& expected, const ReadmeProject& got) {
  for (const Fact& fact : Facts()) FUZZ_CHECK(got.*fact.member == expected.*fact.member, fact.key.data());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  ReadmeProject first = quillory::ProjectFromBytes(input);

  ReadmeProject expected = first;
  for (const Fact& fact : Facts()) {
    if (!fact.multi_line()) expected.*fact.member = ReadBackOneLine(expected.*fact.member);
  }

  for (const std::string& existing : {input, std::string()}) {
    const std::string written = quillory::ProjectDocumentBytes(first, existing);
    ReadmeProject second = Sentinel();
    quillory::ReadProjectDocumentBytes(second, written);
    ExpectSameRecord(expected, second);
    // Saving the same record again changes no byte.
    FUZZ_CHECK(quillory::ProjectDocumentBytes(first, written) == written, "a second save changes the file");
  }
  return 0;
}
