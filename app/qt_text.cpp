#include "app/qt_text.h"

#include "text/charset.h"

namespace quorvel {

QString toQString(std::string_view gbk) { return QString::fromStdString(gbkToUtf8(gbk)); }

Text fromQString(const QString& text) { return utf8ToGbk(text.toStdString()); }

QString toDisplayedLines(std::string_view gbk) {
  return toQString(gbk).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

Text fromDisplayedLines(const QString& text) {
  QString lines = text;
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return fromQString(lines.replace(QChar('\n'), QStringLiteral("\r\n")));
}

}  // namespace quorvel
