#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quillory {

// The record's Windows-1252 bytes as a widget shows them; a multi-line text's CR LF become "\n".
QString FromRecordText(std::string_view bytes, bool multi_line);

// A widget's text as the record's Windows-1252 bytes; a multi-line text's "\n" become CR LF. A character
// the code page cannot hold becomes "?"; `lossless`, when given, tells whether nothing was replaced.
std::string ToRecordText(const QString& text, bool multi_line, bool* lossless = nullptr);

// UTF-8 text (titles, messages, paths) as a QString, and back.
inline QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string ToUtf8(const QString& text) { return text.toStdString(); }

// A file-system path as Qt names it, and back (UTF-8 on this platform).
std::string ToNativePath(const QString& path);
QString FromNativePath(std::string_view path);

}  // namespace quillory
