#pragma once
// The model's texts are 8-bit, as its files are: shown as Latin-1 and
// stored back as Latin-1 (a character Latin-1 lacks becomes "?").

#include <QString>

#include <string>

inline QString ModelText(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ModelBytes(const QString& text) { return text.toLatin1().toStdString(); }
