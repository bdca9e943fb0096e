#include "SheetText.h"

namespace tavirel::printsheet {

QString sheetText(const Sheet& sheet)
{
    QStringList lines;
    lines << (sheet.chinese.isEmpty() ? sheet.title
                                      : sheet.title + QLatin1Char(' ') + sheet.chinese);
    if (!sheet.subtitle.isEmpty())
        lines << QStringLiteral("Pharmaceutical Name: ") + sheet.subtitle;
    for (const SheetField& field : sheet.headFields)
        lines << field.caption + QStringLiteral(": ") + field.text;
    if (sheet.formula) {
        lines << QString() << QStringLiteral("Composition:");
        for (const CompositionRow& row : sheet.composition)
            lines << (row.grams.isEmpty() ? row.herb
                                          : QStringLiteral("%1 %2 g").arg(row.herb, row.grams));
    }
    lines << QString();
    for (const SheetField& field : sheet.fields)
        lines << field.caption + QStringLiteral(": ") + field.text;
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace tavirel::printsheet
