#pragma once

#include <span>
#include <string>
#include <string_view>

#include "project/readme_project.h"

namespace quillory {

// What a stored value is, which decides how every reader, writer and output treats it.
enum class FactKind {
  kPlain,     // one line of text, shown as it is
  kAddress,   // a web address: a link where the output has links and the link rule allows it
  kEmail,     // an e-mail address: a mailto link where the output has links
  kFileSize,  // the size text of a release file, filled from the file
  kDigest,    // the hexadecimal digest of a release file, filled from the file
  kText,      // several lines: stored with ¤ for each line break, a block of its own in a README
  kColour,    // an HTML colour of the page's style sheet
  kCharset,   // the character set the page declares
};

// When the project document stores a value.
enum class Storage {
  kAlways,    // every save writes it
  kWhenUsed,  // only when it is filled or the document has it already, so older documents keep their bytes
};

// Where a README lists a value.
enum class ReadmeBlock {
  kNone,         // not listed as a line of its own (the copyright frames the README; the HTML settings)
  kProgramInfo,  // a line of the program-info block; the program name always, any other when filled
  kContact,      // a line of the contact block, which appears when one of its values is filled
  kText,         // a block of its own, titled with the heading, when filled
};

// Where the window edits a value.
enum class WindowGroup {
  kNone,      // a menu command sets it
  kUpperBox,  // the one-line fields: a grid of two columns, read row by row
  kLowerBox,  // the text areas: a grid of two columns
};

struct WindowPlace {
  WindowGroup group = WindowGroup::kNone;
  int row = 0;     // from the top, 0 first
  int column = 0;  // 0 left, 1 right
};

// One stored value of a project document, with everything the program derives from it.
struct Fact {
  std::string_view key;      // its key in the project document (lower case)
  std::string_view section;  // its section: "readme" or "html"
  std::string ReadmeProject::*member;
  FactKind kind;
  Storage storage;
  std::string_view caption;  // its name for people: README lines and titles, `quillory-cli keys`
  std::string_view heading;  // a text's block heading in the framed outputs ("WHAT'S NEW"); else empty
  ReadmeBlock block;
  int readme_order;  // the order within its README block (smaller first)
  WindowPlace window;
  std::string_view initial = {};  // its value in a new record (the HTML settings' defaults); else empty

  bool multi_line() const { return kind == FactKind::kText; }
};

inline constexpr std::string_view kReadmeSection = "readme";
inline constexpr std::string_view kHtmlSection = "html";

// Every stored value in the order a new project document stores them: the HTML settings, then the
// facts of the release.
std::span<const Fact> Facts();

// The value stored under key (exact, lower case), or nullptr.
const Fact* FindFact(std::string_view key);

// The fact that holds member; every member of the record but document_path has one.
const Fact& FactOf(std::string ReadmeProject::*member);

// The facts a README lists in block, in their README order.
std::span<const Fact* const> FactsInBlock(ReadmeBlock block);

// The facts of the [readme] section (the release; what Clear All empties), in storage order.
std::span<const Fact* const> ReleaseFacts();

// The facts of the [html] section (the page's colours and character set), in storage order.
std::span<const Fact* const> HtmlSettings();

}  // namespace quillory
