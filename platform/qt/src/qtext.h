// Texts of the program are bytes: UTF-8 from our sources, but names read from old files may be
// in the Windows code page; those show as Latin-1 rather than as replacement characters.
#pragma once

#include <QString>

#include <string>

namespace win {

inline QString toQString(const std::string& text)
{
    QString utf8 = QString::fromUtf8(text.data(), qsizetype(text.size()));
    if (!utf8.contains(QChar::ReplacementCharacter))
        return utf8;
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

} // namespace win
