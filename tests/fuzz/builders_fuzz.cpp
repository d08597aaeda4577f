// A record made from the input (every fact, every HTML setting, any text) rendered by the four builders.
// Checked: each layout's line count follows from which fields are filled; the page holds no markup
// character ("<", ">", '"') that its template did not put there, every "&" starts a reference, its bytes
// match the declared character set and hold no control byte an XML reader refuses, its cells give back
// the record's values, no link names a scheme other than http, https or ftp, and no colour adds CSS
// punctuation to the style sheet; the two page variants differ only in the change-log and to-do
// headings. The NFO holds exactly as many control bytes as the values it lists.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "nfo/nfo_builder.h"
#include "project/facts.h"
#include "readme/html_readme.h"
#include "readme/html_text.h"
#include "readme/link_rule.h"
#include "readme/markdown_readme.h"
#include "readme/text_readme.h"
#include "text/codepage.h"
#include "text/nfo_text.h"

namespace {

using quillory::Fact;
using quillory::HtmlSettings;
using quillory::PageEncoding;
using quillory::ReadmeProject;
using quillory::ReleaseFacts;
using quillory::TextLines;
using R = ReadmeProject;

constexpr std::string_view kIndent = "       ";

// The facts listed under the program name besides it, in their order.
constexpr std::string R::*kListedFacts[] = {
    &R::version,     &R::author,    &R::license_type,   &R::limitations, &R::paid,
    &R::size,        &R::os,        &R::creation,       &R::languages,   &R::down_url,
    &R::down_mirror, &R::surce_url, &R::screenshot_url, &R::md5,         &R::sha256};
// The values the page writes as links.
constexpr std::string R::*kAddresses[] = {&R::down_url, &R::down_mirror, &R::surce_url, &R::screenshot_url,
                                          &R::website};
// The six texts in the order the layouts give them.
constexpr std::string R::*kTexts[] = {&R::descript_uses, &R::required, &R::news,
                                      &R::changelog,     &R::todo,     &R::license};

// A record made from the input: every value UTF-8 (a byte that starts no well-formed sequence read as its
// Windows-1252 character), as every reader of the program makes it.
ReadmeProject RecordFrom(FuzzedDataProvider& input) {
  ReadmeProject record;
  const auto charset = input.ConsumeIntegral<uint8_t>();
  for (const auto facts : {ReleaseFacts(), HtmlSettings()}) {
    for (const Fact* fact : facts)
      record.*fact->member = quillory::RepairedUtf8(input.ConsumeRandomLengthString());
  }
  constexpr const char* kCharsets[] = {"utf-8", "UTF-8", "iso-8859-1", "windows-1252", "iso-8859-2"};
  if (charset < std::size(kCharsets)) record.chr = kCharsets[charset];
  return record;
}

size_t Count(std::string_view text, std::string_view part) {
  size_t count = 0;
  for (size_t pos = text.find(part); pos != std::string_view::npos;
       pos = text.find(part, pos + part.size())) {
    ++count;
  }
  return count;
}

struct Filled {
  bool copyright;
  size_t listed;  // the program name and every filled fact under it
  bool contact;
  size_t contacts;  // website and e-mail, when filled
  size_t texts;
};

Filled FilledOf(const ReadmeProject& r) {
  Filled f{!r.copyright.empty(), 1, !r.website.empty() || !r.email.empty(), 0, 0};
  for (auto member : kListedFacts) f.listed += !(r.*member).empty();
  f.contacts = !r.website.empty() + !r.email.empty();
  for (auto member : kTexts) f.texts += !(r.*member).empty();
  return f;
}

// The record with every filled value replaced by harmless text of the same shape: the page of this record
// holds exactly the markup the template writes for the real one.
ReadmeProject Skeleton(const ReadmeProject& r) {
  ReadmeProject s;
  auto shape = [](const std::string& value, bool multi_line) {
    if (value.empty()) return std::string();
    std::string out = "x";
    if (multi_line) {
      for (size_t i = Count(value, "\r\n"); i > 0; --i) out += "\r\nx";
    }
    return out;
  };
  for (const Fact& fact : quillory::Facts()) s.*fact.member = shape(r.*fact.member, fact.multi_line());
  for (auto member : kAddresses) {
    if (!quillory::IsSafeLinkTarget(r.*member) && !(s.*member).empty()) s.*member = "x:";  // plain text too
  }
  return s;
}

// Stands for a character the page writes as U+FFFD.
constexpr char kReplaced = '\x01';

// Whether the page writes U+FFFD for ch: a control character other than tab, CR and LF, a C1 control,
// U+FFFE or U+FFFF.
bool IsReplacedCharacter(char32_t ch) {
  return (ch < 0x20 && ch != '\t' && ch != '\r' && ch != '\n') || (ch >= 0x80 && ch < 0xA0) || ch == 0xFFFE ||
         ch == 0xFFFF;
}

// Whether a byte of a page stands for a replaced character: a control byte, or in an 8-bit page one of the
// C1 range.
bool IsReplacedByte(unsigned char byte) { return byte < 0x20 ? IsReplacedCharacter(byte) : false; }

// The value (UTF-8) with every character the page writes as U+FFFD (U+FFFD itself too) replaced by
// kReplaced.
std::string Replaced(std::string_view value) {
  std::string out;
  for (size_t pos = 0; pos < value.size();) {
    const size_t start = pos;
    const char32_t ch = quillory::NextUtf8(value, pos).value_or(0xFFFF);
    if (IsReplacedCharacter(ch) || ch == 0xFFFD) {
      out += kReplaced;
    } else {
      out.append(value.substr(start, pos - start));
    }
  }
  return out;
}

// The record text (UTF-8) a stretch of page text stands for: references resolved, bytes read by the page's
// character set (U+FFFD as kReplaced), and (in a text section) "<br />" read as a line break. Fails the run
// on anything else.
std::string Decode(std::string_view text, PageEncoding encoding, bool line_breaks) {
  std::string out;
  size_t pos = 0;
  auto put = [&](char32_t ch) {
    if (ch == 0xFFFD) {
      out += kReplaced;
      return;
    }
    FUZZ_CHECK(!IsReplacedCharacter(ch), "a character the page should have replaced");
    quillory::AppendUtf8(out, ch);
  };
  while (pos < text.size()) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (line_breaks && text.substr(pos).starts_with("<br />")) {
      out += "\r\n";
      pos += 6;
    } else if (byte == '&') {
      const size_t end = text.find(';', pos);
      FUZZ_CHECK(end != std::string_view::npos, "an unterminated reference");
      const std::string_view name = text.substr(pos + 1, end - pos - 1);
      if (name == "amp")
        out += '&';
      else if (name == "lt")
        out += '<';
      else if (name == "gt")
        out += '>';
      else if (name == "quot")
        out += '"';
      else {
        FUZZ_CHECK(encoding != PageEncoding::kUtf8 && name.size() >= 2 && name[0] == '#' &&
                       std::all_of(name.begin() + 1, name.end(), [](char c) { return c >= '0' && c <= '9'; }),
                   "an unknown reference");
        const auto ch = static_cast<char32_t>(std::stoul(std::string(name.substr(1))));
        FUZZ_CHECK(
            ch >= 0x80 && (encoding != PageEncoding::kLatin1 || ch < 0xA0 || ch > 0xFF) &&
                (encoding != PageEncoding::kWindows1252 || ch == 0xFFFD || !quillory::UnicodeToCp1252(ch)),
            "a reference for a character the page's set holds");
        put(ch);
      }
      pos = end + 1;
    } else {
      FUZZ_CHECK(byte != '<' && byte != '>' && byte != '"', "a markup character in a value");
      FUZZ_CHECK(!IsReplacedByte(byte), "a control byte in the page");
      FUZZ_CHECK(encoding != PageEncoding::kLatin1 || byte < 0x80 || byte >= 0xA0,
                 "a C1 control byte in an iso-8859-1 page");
      if (byte < 0x80) {
        out += static_cast<char>(byte);
        ++pos;
      } else if (encoding == PageEncoding::kLatin1) {
        put(byte);
        ++pos;
      } else if (encoding == PageEncoding::kWindows1252) {
        put(quillory::Cp1252ToUnicode(byte));
        ++pos;
      } else {
        FUZZ_CHECK(encoding == PageEncoding::kUtf8, "a non-ASCII byte in a page of character references");
        auto ch = quillory::NextUtf8(text, pos);
        FUZZ_CHECK(ch.has_value(), "malformed UTF-8");
        put(*ch);
      }
    }
  }
  return out;
}

void CheckPage(const ReadmeProject& r, const Filled& f) {
  const TextLines page = BuildHtmlReadme(r, quillory::HtmlVariant::kExport);
  const TextLines preview = BuildHtmlReadme(r, quillory::HtmlVariant::kPreview);
  const size_t expected = 60 + f.copyright + 1 + 5 + 8 * f.listed + (f.contact ? 5 + 8 * f.contacts : 0) +
                          10 * f.texts + 1 + (f.copyright ? 3 : 0) + 3;
  FUZZ_CHECK(page.size() == expected, "page line count");
  FUZZ_CHECK(preview.size() == expected, "preview line count");

  size_t differences = 0;
  for (size_t i = 0; i < page.size(); ++i) {
    if (page[i] == preview[i]) continue;
    ++differences;
    FUZZ_CHECK(preview[i] == ":: CHANGE LOG ::" || preview[i] == ":: TODO ::", "variants differ elsewhere");
    FUZZ_CHECK(page[i] == std::string(kIndent) + preview[i], "export heading not indented");
  }
  FUZZ_CHECK(differences == !r.changelog.empty() + !r.todo.empty(), "variant difference count");

  const TextLines skeleton = BuildHtmlReadme(Skeleton(r), quillory::HtmlVariant::kExport);
  FUZZ_CHECK(skeleton.size() == page.size(), "skeleton line count");
  for (size_t i = 0; i < page.size(); ++i) {
    for (std::string_view markup : {"<", ">", "\""}) {
      FUZZ_CHECK(Count(page[i], markup) == Count(skeleton[i], markup), "markup from a value");
    }
    for (size_t amp = page[i].find('&'); amp != std::string::npos; amp = page[i].find('&', amp + 1)) {
      const std::string_view rest = std::string_view(page[i]).substr(amp);
      FUZZ_CHECK(rest.starts_with("&amp;") || rest.starts_with("&lt;") || rest.starts_with("&gt;") ||
                     rest.starts_with("&quot;") || rest.starts_with("&#"),
                 "a bare &");
    }
  }

  // The style sheet (from its opening tag to the body) gets no CSS punctuation from a colour.
  for (size_t i = 7; i < 60; ++i) {
    for (std::string_view css : {";", ":", "{", "}", "/", "\\", "@", "'"}) {
      FUZZ_CHECK(Count(page[i], css) == Count(skeleton[i], css), "CSS punctuation from a colour");
    }
  }

  // Every link target, as a browser reads it (references resolved, ASCII blanks and controls dropped),
  // names no scheme or a web one. (Stricter than a browser: tabs and line breaks are dropped everywhere.)
  for (const std::string& line : page) {
    for (size_t at = line.find("href=\""); at != std::string::npos; at = line.find("href=\"", at + 1)) {
      const size_t start = at + 6;
      const std::string_view target = std::string_view(line).substr(start, line.find('"', start) - start);
      if (target.starts_with("mailto:")) continue;
      std::string seen;
      for (size_t i = 0; i < target.size(); ++i) {
        const auto c = static_cast<unsigned char>(target[i]);
        if (c == '&' && target.substr(i).starts_with("&#")) {
          seen += '\x80';  // a non-ASCII character
          i = target.find(';', i);
        } else if (c > 0x20 && c != 0x7F) {
          seen += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        }
      }
      // A scheme is an ASCII letter, then letters, digits, "+", "-" or ".", up to a ":".
      size_t end = 0;
      while (end < seen.size() &&
             (std::isalpha(static_cast<unsigned char>(seen[end])) ||
              (end > 0 && (std::isdigit(static_cast<unsigned char>(seen[end])) ||
                           std::string_view("+-.").find(seen[end]) != std::string::npos)))) {
        ++end;
      }
      if (end == 0 || end == seen.size() || seen[end] != ':') continue;
      const std::string_view scheme = std::string_view(seen).substr(0, end);
      FUZZ_CHECK(scheme == "http" || scheme == "https" || scheme == "ftp",
                 "a link with a scheme other than http, https or ftp");
    }
  }

  const PageEncoding encoding = quillory::PageEncodingFor(r.chr);
  const std::string bytes = quillory::JoinLines(page);
  FUZZ_CHECK(std::none_of(bytes.begin(), bytes.end(), [](char c) { return IsReplacedByte(c); }),
             "a control byte in the page");
  if (encoding == PageEncoding::kUtf8) FUZZ_CHECK(quillory::IsValidUtf8(bytes), "utf-8 page is not UTF-8");
  if (encoding == PageEncoding::kCharacterReferences) {
    FUZZ_CHECK(
        std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }),
        "non-ASCII byte in a page of character references");
  }

  // The cells say what the record holds: the program name, and each text section's one line.
  const size_t name_line = 60 + f.copyright + 1 + 5 + 5;
  FUZZ_CHECK(page[name_line].starts_with(kIndent), "program name cell");
  FUZZ_CHECK(Decode(std::string_view(page[name_line]).substr(7), encoding, false) == Replaced(r.program_name),
             "program name cell");
  size_t section = 60 + f.copyright + 1 + 5 + 8 * f.listed + (f.contact ? 5 + 8 * f.contacts : 0);
  for (auto member : kTexts) {
    if ((r.*member).empty()) continue;
    const std::string& line = page[section + 7];
    FUZZ_CHECK(line.starts_with(kIndent), "text cell");
    FUZZ_CHECK(Decode(std::string_view(line).substr(7), encoding, true) == Replaced(r.*member), "text cell");
    section += 10;
  }
}

void CheckText(const ReadmeProject& r, const Filled& f) {
  const TextLines lines = quillory::BuildTextReadme(r);
  const size_t expected =
      (f.copyright ? 6 : 0) + 4 + f.listed + (f.contact ? 5 + f.contacts : 0) + 6 * f.texts;
  FUZZ_CHECK(lines.size() == expected, "text README line count");
  FUZZ_CHECK(lines[(f.copyright ? 3 : 0) + 4] == "Program Name........: " + r.program_name,
             "program name line");
}

void CheckNfo(const ReadmeProject& r, const Filled& f) {
  const TextLines lines = quillory::BuildNfoText(r);
  const size_t expected =
      (f.copyright ? 6 : 0) + 4 + f.listed + (f.contact ? 5 + f.contacts : 0) + 6 * f.texts;
  FUZZ_CHECK(lines.size() == expected, "NFO line count");
  const std::string name_line = lines[(f.copyright ? 3 : 0) + 4];
  FUZZ_CHECK(name_line.starts_with("Program Name        : "), "program name line");
  FUZZ_CHECK(name_line.substr(22) == quillory::NfoText(r.program_name), "program name line");
  if (f.copyright) {
    const std::string& banner = lines.front();
    FUZZ_CHECK(banner == lines.back(), "the two banners");
    FUZZ_CHECK(banner.size() == 2 + 2 * 21 + 2 + quillory::NfoText(r.copyright).size(), "banner length");
  }

  // Conversion to CP437 adds no control byte and drops none: the NFO holds the control bytes of the
  // values it lists (the copyright twice), and the frame and captions add none.
  auto controls = [](std::string_view text) {
    return static_cast<size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }));
  };
  size_t expected_controls = controls(r.program_name) + (f.copyright ? 2 * controls(r.copyright) : 0) +
                             controls(r.website) + controls(r.email);
  for (auto member : kListedFacts) expected_controls += controls(r.*member);
  for (auto member : kTexts) expected_controls += controls(r.*member);
  size_t nfo_controls = 0;
  for (const std::string& line : lines) nfo_controls += controls(line);
  FUZZ_CHECK(nfo_controls == expected_controls, "control bytes added or lost in the NFO");
}

// The Markdown README: UTF-8 with LF line ends, a title, and one list item per listed fact and contact
// before the texts (one-line values cannot start a line of their own).
void CheckMarkdown(const ReadmeProject& r, const Filled& f) {
  const std::string md = quillory::BuildMarkdownReadme(r);
  FUZZ_CHECK(quillory::IsValidUtf8(md), "Markdown is UTF-8");
  FUZZ_CHECK(md.find('\r') == std::string::npos, "Markdown has LF line ends");
  // A title whose name shows nothing is the heading mark alone.
  FUZZ_CHECK((md.starts_with("# ") || md.starts_with("#\n")) && md.ends_with("\n"),
             "Markdown title and last line");
  size_t texts = md.find("\n\n## ", md.find("\n## Program Info\n"));
  if (texts != std::string::npos && md.compare(texts, 13, "\n\n## Contact\n") == 0) {
    texts = md.find("\n\n## ", texts + 1);
  }
  FUZZ_CHECK(Count(std::string_view(md).substr(0, texts), "\n- **") == f.listed + f.contacts,
             "Markdown list items");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const ReadmeProject record = RecordFrom(input);
  const Filled filled = FilledOf(record);
  CheckPage(record, filled);
  CheckText(record, filled);
  CheckNfo(record, filled);
  CheckMarkdown(record, filled);
  return 0;
}
