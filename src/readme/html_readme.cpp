#include "readme/html_readme.h"

#include <string_view>
#include <utility>

#include "common/error.h"
#include "project/readme_outline.h"
#include "readme/html_text.h"
#include "readme/link_rule.h"

namespace quillory {
namespace {

constexpr std::string_view kIndent = "       ";  // the 7 spaces before a cell's content

// A text whose heading is not indented like a cell's content in one variant or both; every other text's
// heading is indented in both.
struct HeadingIndent {
  std::string_view key;
  bool in_export;
  bool in_preview;
};
constexpr HeadingIndent kHeadingIndents[] = {
    {"news", false, false},
    {"changelog", true, false},
    {"todo", true, false},
};

bool IndentsHeading(const Fact& text, HtmlVariant variant) {
  for (const HeadingIndent& indent : kHeadingIndents) {
    if (indent.key == text.key) return variant == HtmlVariant::kExport ? indent.in_export : indent.in_preview;
  }
  return true;
}

// A colour value with only the characters a colour is written with (letters, digits, "#", "%", ".", ",",
// parentheses and blanks), so that it can neither end its declaration nor name an address.
std::string Colour(std::string_view value) {
  std::string kept;
  for (char c : value) {
    const bool alphanumeric = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (alphanumeric || std::string_view("#%.,() \t").find(c) != std::string_view::npos) kept += c;
  }
  return kept;
}

// Where the page's lines go: into a line list, or straight into the bytes of the file (each line followed by
// CR LF) through a sink, so that a long text is written once and, to a sink that hands its bytes on, in
// parts.
class PageOutput {
 public:
  explicit PageOutput(TextLines& lines) : lines_(&lines) {}
  explicit PageOutput(ByteSink& sink) : sink_(&sink) {}
  // The line to write into, until Close.
  std::string& Open() { return lines_ ? lines_->emplace_back() : sink_->text(); }
  void Close() {
    if (!sink_) return;
    sink_->text() += kCrLf;
    sink_->Spill();
  }
  // Appends value as page text to the line open.
  void AppendText(std::string_view value, PageEncoding encoding, bool line_breaks) {
    if (sink_) return AppendPageText(*sink_, value, encoding, line_breaks);
    AppendPageText(lines_->back(), value, encoding, line_breaks);
  }
  void Finish() {
    if (sink_) sink_->Flush();
  }

 private:
  TextLines* lines_ = nullptr;
  ByteSink* sink_ = nullptr;
};

class PageBuilder {
 public:
  PageBuilder(const ReadmeProject& record, PageOutput& out)
      : outline_(record), record_(record), encoding_(PageEncodingFor(record.chr)), out_(out) {}

  void Build(HtmlVariant variant) {
    AppendHead();
    const std::string copyright = Text(record_.copyright);
    if (outline_.framed()) Line("<h3>" + copyright + "</h3>");
    Line(R"( <table class="center_table keret" cellpadding="0" cellspacing="2" style="width: 70%;">)");

    for (const OutlineBlock& block : outline_.blocks()) {
      if (block.type == OutlineBlockType::kFactList) {
        AppendHeadingRow(":: " + std::string(block.heading) + " ::");
        for (const auto& [fact, value] : block.facts) AppendFactRow(block.list, *fact, value);
      } else if (block.type == OutlineBlockType::kText) {
        const bool indented = IndentsHeading(*block.facts.front().fact, variant);
        AppendSection(
            (indented ? std::string(kIndent) : std::string()) + ":: " + std::string(block.heading) + " ::",
            block.value());
      }
    }

    Line(" </table>");
    if (outline_.framed()) {
      Line("<br />");
      Line("<h3>" + copyright + "</h3>");
      Line("");
    }
    for (std::string_view line : {"</div>", "</body>", "</html>"}) Line(line);
    out_.Finish();
  }

 private:
  std::string Text(std::string_view value) const { return PageText(value, encoding_); }

  // A link whose target is scheme + value and whose text is the value.
  std::string Link(std::string_view scheme, std::string_view value) const {
    const std::string text = Text(value);
    return "<a href=\"" + std::string(scheme) + text + "\">" + text + "</a>";
  }

  // A web address as a link, or as plain text when following it could run script or open another
  // kind of resource.
  std::string WebLink(std::string_view value) const {
    return IsSafeLinkTarget(value) ? Link("", value) : Text(value);
  }

  // The comment, the XML declaration, the document type, the head with its style sheet, and the opening
  // of the body: always 60 lines.
  void AppendHead() {
    // A character set in which ASCII text could turn into markup is declared, and written, as UTF-8.
    const std::string chr = Text(DeclaredCharset(record_.chr));
    for (
        const std::string& line : std::initializer_list<std::string>{
            "<!-- Created " + std::string(kAppTitle) + " -->",
            "<?xml version=\"1.0\" encoding=\"" + chr + "\"?>",
            R"(<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.1//EN" "http://www.w3.org/TR/xhtml11/DTD/xhtml11.dtd">)",
            R"(<html xmlns="http://www.w3.org/1999/xhtml">)",
            "<head>",
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + chr + "\" />",
            "<title>" + Text(record_.copyright) + " Readme</title>",
            R"(<style type="text/css">)",
            "",
            "body {",
            "",
            "   background-color: " + Colour(record_.c1) + ";",
            "",
            "}",
            "",
            "td {",
            "",
            "   font-family: Verdana, Arial, Helvetica, sans-serif; color: " + Colour(record_.c2) +
                "; font-size: 10px;",
            "}",
            "",
            ".center_table {",
            "",
            "   margin-left: auto; margin-right: auto; text-align: left;",
            "",
            "}",
            "",
            ".keret {",
            "",
            "   border-style: solid; border-color: " + Colour(record_.c3) +
                "; background-color: " + Colour(record_.c4) + ";",
            "   border-left-width: 1px; border-right-width: 1px; border-top-width: 1px; border-bottom-width: "
            "1px;",
            "",
            "}",
            "",
            ".bold {",
            "",
            "   background-color: " + Colour(record_.c5) + "; font-size: 12;",
            "   font-weight: bold;",
            "",
            "}",
            "",
            ".caption {",
            "",
            "   font-weight: bold;",
            "}",
            "",
            ".center {",
            "",
            "   text-align: center;",
            "}",
            "",
            "h3 {",
            "",
            "   color: " + Colour(record_.c6) + ";",
            "}",
            "",
            "</style>",
            "</head>",
            "",
            "<body>",
            R"(<div class="center">)",
        }) {
      Line(line);
    }
  }

  // A row of one bold centred cell holding the heading line.
  void AppendHeadingRow(std::string heading) {
    Line("   <tr>");
    Line(R"(     <td class="center bold" colspan="2">)");
    Line(heading);
    Line("     </td>");
    Line("   </tr>");
  }

  // A fact's value as page text: an address as a link (see WebLink), an e-mail address as a mailto link.
  std::string Value(const Fact& fact, std::string_view value) const {
    switch (fact.kind) {
      case FactKind::kAddress:
        return WebLink(value);
      case FactKind::kEmail:
        return Link("mailto:", value);
      default:
        return Text(value);
    }
  }

  // A row of a caption cell and a value cell. The contact rows write their caption and cell a little
  // differently from the program info's.
  void AppendFactRow(ReadmeBlock list, const Fact& fact, std::string_view value) {
    const bool contact = list == ReadmeBlock::kContact;
    Line("   <tr>");
    Line(R"(     <td class="caption">)");
    Line(std::string(kIndent) + std::string(fact.caption) + (contact ? ":" : ": "));
    Line("     </td>");
    Line(contact ? "     <td >" : "     <td>");
    Line(std::string(kIndent) + Value(fact, value));
    Line("     </td>");
    Line("   </tr>");
  }

  // A heading row, then a row with the whole text on one line, its line breaks as "<br />".
  void AppendSection(std::string heading, std::string_view text) {
    AppendHeadingRow(std::move(heading));
    Line("   <tr>");
    Line(R"(     <td colspan="2">)");
    out_.Open() += kIndent;
    out_.AppendText(text, encoding_, /*line_breaks=*/true);
    out_.Close();
    Line("     </td>");
    Line("    </tr>");
  }

  void Line(std::string_view text) {
    out_.Open().append(text);
    out_.Close();
  }

  const ReadmeOutline outline_;
  const ReadmeProject& record_;
  const PageEncoding encoding_;
  PageOutput& out_;
};

}  // namespace

TextLines BuildHtmlReadme(const ReadmeProject& record, HtmlVariant variant) {
  TextLines lines;
  PageOutput out(lines);
  PageBuilder(record, out).Build(variant);
  return lines;
}

void WriteHtmlReadme(const ReadmeProject& record, HtmlVariant variant, ByteSink& sink) {
  PageOutput out(sink);
  PageBuilder(record, out).Build(variant);
}

std::string HtmlReadmeBytes(const ReadmeProject& record, HtmlVariant variant) {
  ByteSink sink;
  WriteHtmlReadme(record, variant, sink);
  return std::move(sink.text());
}

}  // namespace quillory
