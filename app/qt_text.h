#pragma once
// The window's edge: control texts are GBK inside, Unicode in the toolkit.
#include <QString>

#include "text/text.h"

namespace quorvel {

QString toQString(std::string_view gbk);
Text fromQString(const QString& text);

// The content box shows "\r\n" as a line break and gives "\n" back; inside, "\r\n" stays.
QString toDisplayedLines(std::string_view gbk);
Text fromDisplayedLines(const QString& text);

}  // namespace quorvel
