#include "project/readme_outline.h"

#include <string>

namespace quillory {
namespace {

using R = ReadmeProject;

// The titles of the fact lists.
struct ListTitle {
  ReadmeBlock list;
  std::string_view caption;
  std::string_view heading;
};
constexpr ListTitle kListTitles[] = {
    {ReadmeBlock::kProgramInfo, "Program Info", "PROGRAM INFO"},
    {ReadmeBlock::kContact, "Contact", "CONTACT"},
};

}  // namespace

ReadmeOutline::ReadmeOutline(const ReadmeProject& record) : record_(record) {
  // The blocks point into shown_ once it is complete; until then each keeps where its facts start.
  std::vector<size_t> starts;
  auto open = [&](OutlineBlockType type, ReadmeBlock list, std::string_view caption,
                  std::string_view heading) {
    blocks_.push_back({type, list, caption, heading, {}});
    starts.push_back(shown_.size());
  };
  auto show = [&](std::string R::*member) { shown_.push_back({&FactOf(member), record.*member}); };

  open(OutlineBlockType::kTitle, ReadmeBlock::kNone, {}, {});
  show(&R::program_name);
  if (!record.version.empty()) show(&R::version);

  if (framed()) {
    open(OutlineBlockType::kOpeningFrame, ReadmeBlock::kNone, {}, {});
    show(&R::copyright);
  }

  for (const ListTitle& title : kListTitles) {
    bool opened = false;
    for (const Fact* fact : FactsInBlock(title.list)) {
      const std::string& value = record.*fact->member;
      // The program name is listed even when it is empty: the list names the program first.
      if (value.empty() && fact->member != &R::program_name) continue;
      if (!opened) open(OutlineBlockType::kFactList, title.list, title.caption, title.heading);
      opened = true;
      shown_.push_back({fact, value});
    }
  }

  for (const Fact* fact : FactsInBlock(ReadmeBlock::kText)) {
    if ((record.*fact->member).empty()) continue;
    open(OutlineBlockType::kText, ReadmeBlock::kText, fact->caption, fact->heading);
    shown_.push_back({fact, record.*fact->member});
  }

  if (framed()) {
    open(OutlineBlockType::kClosingFrame, ReadmeBlock::kNone, {}, {});
    show(&R::copyright);
  }

  starts.push_back(shown_.size());
  for (size_t i = 0; i < blocks_.size(); ++i) {
    blocks_[i].facts = std::span(shown_).subspan(starts[i], starts[i + 1] - starts[i]);
  }
}

std::string PaddedLabel(std::string_view caption, char fill) {
  std::string label(caption);
  if (label.size() < 20) label.append(20 - label.size(), fill);
  return label + ": ";
}

}  // namespace quillory
