#include "DoseRange.h"

#include <QRegularExpression>

namespace tavirel::safety {

std::optional<double> topOfDosageRange(const QString& dosage)
{
    // A figure or a range of figures directly followed by the gram unit.
    static const QRegularExpression grams(
        QStringLiteral(R"((\d+(?:\.\d+)?)(?:\s*[-\x{2013}]\s*(\d+(?:\.\d+)?))?\s*g\b)"));
    std::optional<double> top;
    for (auto it = grams.globalMatch(dosage); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const double high = (m.captured(2).isEmpty() ? m.captured(1) : m.captured(2)).toDouble();
        if (!top || high > *top)
            top = high;
    }
    return top;
}

std::optional<double> gramsOf(const QString& dose)
{
    bool ok = false;
    const double value = dose.trimmed().toDouble(&ok);
    if (!ok || value < 0)
        return std::nullopt;
    return value;
}

} // namespace tavirel::safety
