#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quillory {

// The pieces of a README.md, each a pure function of UTF-8 text. What they write reads the same in
// GitHub's parser (CommonMark with the table, strikethrough, autolink and tasklist extensions): no raw
// HTML, no image, and no link whose target the link rule refuses.

// text as a README.md shows it: every control character but TAB and the line breaks (U+0000-U+001F,
// U+007F and U+0080-U+009F) as U+FFFD, and every line break (CR LF, CR or LF) as LF. Other bytes,
// invalid UTF-8 included, stay as they are.
std::string MarkdownSourceText(std::string_view text);

// Whether url may be the target of a link in a README.md: a web address or an address without a scheme
// by the link rule (IsSafeLinkTarget), a mailto: or xmpp: address (GitHub links both in plain text), or
// an address whose text before the first ":" cannot name a scheme, so that a browser reads it as a path.
bool IsMarkdownLinkTarget(std::string_view url);

// Whether GitHub's autolinker may start a link at text[at]: the ":" of "http://", "https://" or
// "ftp://" (any letter case) or the "." of "www.".
// It reads the raw line, backslashes included, so where no link may start that character is escaped.
bool StartsMarkdownAutolink(std::string_view text, size_t at);

// Whether "<url>" is an autolink that shows and targets exactly url: an http, https or ftp address
// without a blank, control character, "<", ">" or anything read as a character reference.
bool IsMarkdownAutolink(std::string_view url);

// The end of a link whose text is written: "](<url>)", or "](<url> "title")", with url and title
// escaped so that they read back exactly (blanks and parentheses included; a line break becomes a blank).
std::string MarkdownLinkEnd(std::string_view url, std::string_view title = {});

// One of the author's texts (UTF-8, LF) as Markdown for a section whose heading has level
// section_level: read as GitHub reads it and written back with raw HTML as literal text, links the rule
// refuses as their text, images as links to their address, headings moved below section_level, and every
// line break of a paragraph a hard break ("\" at the line end). Code keeps its bytes (a code block
// without an info string gets "text"). Ends with one line break ("" for a text with nothing to show); no
// line outside a code block ends in a blank, and a heading after it starts a section of its own. A text
// nested deeper than any real one, or one the library would write back unsafely, comes back as
// MarkdownCodeBlock. Throws Error when libcmark-gfm lacks one of its extensions.
std::string MarkdownAuthorText(std::string_view text, int section_level);
// MarkdownAuthorText handed to write part by part as it is made (nothing for a text with nothing to show),
// so that a long text is never held whole a second time.
void WriteMarkdownAuthorText(std::string_view text, int section_level,
                             const std::function<void(std::string_view)>& write);

// A one-line value as inline Markdown that shows exactly its characters: every character that could
// start markup or a web link is escaped (GitHub still links an e-mail address in any text), a line break
// becomes a blank, trailing blanks go. In a heading, "#" is escaped too.
std::string MarkdownInlineText(std::string_view value, bool heading = false);

// MarkdownInlineText for a value that starts a paragraph: surrounding blanks go and a first character
// that would start a block is escaped.
std::string MarkdownParagraphText(std::string_view value);

// An address: "<value>" when that is an autolink to exactly value, "[value](<value>)" when
// IsMarkdownLinkTarget allows it otherwise (surrounding blanks dropped, inner blanks and parentheses kept),
// else MarkdownInlineText.
std::string MarkdownAddress(std::string_view value);

// An e-mail address as a link to "mailto:" and the address, its text the address.
std::string MarkdownMailto(std::string_view address);

// A code span holding exactly text (a line break becomes a blank, as the span would show it; an empty
// text gives a span of one blank).
std::string MarkdownCodeSpan(std::string_view text);

// A fenced code block (info string "text") holding text exactly, ending with a line break.
std::string MarkdownCodeBlock(std::string_view text);

}  // namespace quillory
