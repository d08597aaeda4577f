#pragma once

#include <istream>
#include <string>
#include <vector>

#include "project/facts.h"
#include "project/readme_project.h"

namespace quillory::cli {

// One KEY=VALUE of set or render --set: the fact and its value as the record holds it.
struct Assignment {
  const Fact* fact;
  std::string value;
};

// The values of KEY=... arguments, in their order:
//   KEY=VALUE          the UTF-8 text VALUE
//   KEY=@FILE          a text file (UTF-8 or Windows-1252, as the window's load-text-file button reads it)
//   KEY=@FILE#VERSION  the section of a Markdown change log under VERSION's heading
//   (readme/changelog_section.h);
//                      a name that is an existing file as a whole is that file
//   KEY=@-             standard input (in), once, and not when standard_input_taken
//   KEY=@@TEXT         the text "@TEXT"
// A value read from a file or standard input loses one final line break, so what get prints comes back the
// same. Raises UsageError for a wrong argument, an unknown key or a value the key cannot hold, InputError
// for a file that cannot be read, and Error ("'FILE' has no section for version 'V'") for a missing section.
std::vector<Assignment> ParseAssignments(const std::vector<std::string>& arguments, std::istream& in,
                                         bool standard_input_taken = false);

// Stores every value in record.
void Apply(const std::vector<Assignment>& assignments, ReadmeProject& record);

}  // namespace quillory::cli
