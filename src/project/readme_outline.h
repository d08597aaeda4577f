#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "project/facts.h"
#include "project/readme_project.h"

namespace quillory {

// What a block of a README is.
enum class OutlineBlockType {
  kTitle,         // the program name, then the version when it is filled
  kOpeningFrame,  // the copyright, before everything the README lists
  kFactList,      // a titled list of facts: the program info, the contact
  kText,          // one text, titled with its heading
  kClosingFrame,  // the copyright again, last
};

// A value a README shows: its fact and the record's text of it.
struct ShownFact {
  const Fact* fact;
  std::string_view value;  // a view into the record
};

// One block of a README.
struct OutlineBlock {
  OutlineBlockType type;
  ReadmeBlock list;                  // a fact list's README block; kText for a text; else kNone
  std::string_view caption;          // "Program Info", "Contact", a text's caption ("What's New")
  std::string_view heading;          // "PROGRAM INFO", "CONTACT", a text's heading ("WHAT'S NEW")
  std::span<const ShownFact> facts;  // what the block shows, in order (one for a text and a frame)

  // The one value of a text or a frame.
  std::string_view value() const { return facts.front().value; }
};

// The blocks a README gives for a record, in order: the title; the opening frame (when the copyright is
// filled); the program info (the program name always, the other facts of the block when filled); the
// contact (when one of its facts is filled); each filled text; the closing frame. Every value is a view
// into the record, which must outlive the outline. Cannot fail.
class ReadmeOutline {
 public:
  explicit ReadmeOutline(const ReadmeProject& record);
  ReadmeOutline(const ReadmeOutline&) = delete;
  ReadmeOutline& operator=(const ReadmeOutline&) = delete;

  // The blocks, which live as long as the outline (hence none of a temporary outline).
  std::span<const OutlineBlock> blocks() const& { return blocks_; }
  std::span<const OutlineBlock> blocks() && = delete;
  const ReadmeProject& record() const { return record_; }
  // Whether the copyright frames the README.
  bool framed() const { return !record_.copyright.empty(); }

 private:
  const ReadmeProject& record_;
  std::vector<ShownFact> shown_;
  std::vector<OutlineBlock> blocks_;
};

// A 22-character label of a fact line: caption padded with fill to 20 characters, then ": ".
std::string PaddedLabel(std::string_view caption, char fill);

}  // namespace quillory
