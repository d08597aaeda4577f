#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quillory {

// The record's UTF-8 text as a widget shows it; a multi-line text's CR LF become "\n".
QString FromRecordText(std::string_view utf8, bool multi_line);

// A widget's text as the record holds it (UTF-8, every character kept); a multi-line text's "\n" become
// CR LF.
std::string ToRecordText(const QString& text, bool multi_line);

// UTF-8 text (titles, messages, paths) as a QString, and back.
inline QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string ToUtf8(const QString& text) { return text.toStdString(); }

// A file-system path as Qt names it, and back (UTF-8 on this platform).
std::string ToNativePath(const QString& path);
QString FromNativePath(std::string_view path);

}  // namespace quillory
