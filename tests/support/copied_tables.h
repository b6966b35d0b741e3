#pragma once
// A copied result table, read the way a spreadsheet and a reader read it:
// the rows of numbers of the text table and of the comma-separated lines
// beside it, to be compared field by field.

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>

// The lines of a copied text, without their line ends.
inline QStringList CopiedLines(const QString& copied)
{
    QStringList lines = copied.split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    return lines;
}

// The lines after the first one that holds `heading`, up to the first empty
// line or the end.
inline QStringList LinesAfter(const QStringList& lines, const QString& heading)
{
    QStringList rows;
    const auto at = std::find_if(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(heading); });
    if (at == lines.end())
        return rows;
    for (auto i = at + 1; i != lines.end() && !i->isEmpty(); ++i)
        rows.push_back(*i);
    return rows;
}

// The decimals a number is written with.
inline int DecimalsOf(const QString& number)
{
    const qsizetype dot = number.indexOf(QLatin1Char('.'));
    return dot < 0 ? 0 : static_cast<int>(number.size() - dot - 1);
}

// Each comma-separated row holds the numbers of its text row, each with at
// least the decimals the text shows and the same value at those decimals.
inline void ExpectSameNumbers(const QStringList& textRows, const QStringList& csvRows)
{
    ASSERT_FALSE(textRows.isEmpty());
    ASSERT_EQ(textRows.size(), csvRows.size());
    for (qsizetype r = 0; r < textRows.size(); ++r) {
        SCOPED_TRACE(textRows[r].toStdString() + "  |  " + csvRows[r].toStdString());
        const QStringList shown = textRows[r].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QStringList copied = csvRows[r].split(QLatin1Char(','));
        ASSERT_EQ(shown.size(), copied.size());
        for (qsizetype f = 0; f < shown.size(); ++f) {
            const QString s = shown[f].trimmed();
            const QString c = copied[f].trimmed();
            const int decimals = DecimalsOf(s);
            EXPECT_GE(DecimalsOf(c), decimals) << "field " << f;
            bool ok = false;
            const double value = c.toDouble(&ok);
            ASSERT_TRUE(ok) << "field " << f;
            // Rounded to the text's decimals, the copied number is the one shown.
            EXPECT_LE(std::fabs(value - s.toDouble()), 0.5 * std::pow(10.0, -decimals) + 1e-9) << "field " << f;
        }
    }
}
