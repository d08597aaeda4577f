#include "app/text_bridge.h"

#include <QFile>

#include "text/codepage.h"
#include "text/text_lines.h"

namespace quillory {

QString FromRecordText(std::string_view bytes, bool multi_line) {
  QString text = FromUtf8(Cp1252ToUtf8(bytes));
  if (multi_line) text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

std::string ToRecordText(const QString& text, bool multi_line, bool* lossless) {
  std::string bytes = Utf8ToCp1252(ToUtf8(text), '?', lossless);
  return multi_line ? ReplaceLineBreaks(bytes, kCrLf) : bytes;
}

std::string ToNativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString FromNativePath(std::string_view path) {
  return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

}  // namespace quillory
