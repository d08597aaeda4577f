#include "app/text_bridge.h"

#include <QFile>

#include "text/text_lines.h"

namespace quillory {

QString FromRecordText(std::string_view utf8, bool multi_line) {
  QString text = FromUtf8(utf8);
  if (multi_line) text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

std::string ToRecordText(const QString& text, bool multi_line) {
  std::string utf8 = ToUtf8(text);
  return multi_line ? ReplaceLineBreaks(utf8, kCrLf) : utf8;
}

std::string ToNativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString FromNativePath(std::string_view path) {
  return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

}  // namespace quillory
