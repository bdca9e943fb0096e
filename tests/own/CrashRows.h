#pragma once

// The rows the crash helper saves and the crash test checks: each one follows from its number,
// so a row read back can be compared whole. Texts vary in length (up to several pages, so a
// save spans pages of the file) and hold apostrophes and Chinese characters.

#include <QString>
#include <QStringList>

namespace tavirel::test::crash {

inline const QStringList herbColumns = {"name1",  "name2",     "source",    "used",
                                        "taste",  "meridians", "functions", "indications",
                                        "dosage", "coutions"};
inline const QStringList formulaColumns = {"name",   "construction", "dosage",
                                           "method", "function",     "indication"};

inline QString herbName(int n)
{
    return QStringLiteral("Crash Herb %1").arg(n);
}

inline QString formulaName(int n)
{
    return QStringLiteral("Crash Tang %1").arg(n);
}

inline QString text(int n, const QString& column)
{
    const int repeat = int(1 + (qint64(n) * 7919 + column.size() * 31) % 400);
    return QStringLiteral("%1 of %2: Li's 白术 ").arg(column).arg(n).repeated(repeat);
}

inline QString herbValue(int n, const QString& column)
{
    return column == QLatin1String("name1") ? herbName(n) : text(n, column);
}

inline QString formulaValue(int n, const QString& column)
{
    if (column == QLatin1String("name"))
        return formulaName(n);
    if (column == QLatin1String("construction"))
        return herbName(n) + QStringLiteral(",Ma Huang");
    if (column == QLatin1String("dosage"))
        return QStringLiteral("%1,9").arg(n % 30 + 1);
    return text(n, column);
}

} // namespace tavirel::test::crash
