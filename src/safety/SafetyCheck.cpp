#include "SafetyCheck.h"

#include "DoseRange.h"
#include "data/Database.h"
#include "data/Statement.h"

#include <algorithm>

namespace tavirel::safety {

namespace {

QString key(const QString& name)
{
    return name.trimmed().toLower();
}

QString pairKey(const QString& a, const QString& b)
{
    QString x = key(a);
    QString y = key(b);
    if (y < x)
        std::swap(x, y);
    return x + QLatin1Char('\n') + y;
}

QString marks(qsizetype count)
{
    QStringList list;
    for (qsizetype i = 0; i < count; ++i)
        list << QStringLiteral("?");
    return list.join(QLatin1Char(','));
}

QString grams(double value)
{
    return QString::number(value, 'g', 6) + QStringLiteral(" g");
}

} // namespace

SafetyFacts SafetyFacts::load(data::Database& reference, const QStringList& names)
{
    SafetyFacts facts;
    if (names.isEmpty() || !reference.isOpen())
        return facts;
    QVariantList binds;
    for (const QString& name : names)
        binds << name;
    {
        data::Statement herbs(reference,
                              QStringLiteral("SELECT name1, pregnancy, toxicity, dosage FROM "
                                             "tavirel WHERE name1 IN (%1)")
                                  .arg(marks(names.size())),
                              binds);
        while (herbs.next())
            facts.addHerb({herbs.value(0).toString(), herbs.value(1).toString(),
                           herbs.value(2).toString(), herbs.value(3).toString()});
    }
    if (names.size() < 2)
        return facts;
    QVariantList both = binds + binds;
    data::Statement pairs(reference,
                          QStringLiteral("SELECT herb1, herb2, kind FROM incompat WHERE herb1 IN "
                                         "(%1) AND herb2 IN (%1)")
                              .arg(marks(names.size())),
                          both);
    while (pairs.next())
        facts.addPair(pairs.value(0).toString(), pairs.value(1).toString(),
                      pairs.value(2).toString());
    return facts;
}

void SafetyFacts::addHerb(const HerbFacts& herbFacts)
{
    m_herbs.insert(key(herbFacts.name), herbFacts);
}

void SafetyFacts::addPair(const QString& herb, const QString& with, const QString& kind)
{
    m_pairs.insert(pairKey(herb, with), kind.trimmed().toLower());
}

const HerbFacts* SafetyFacts::herb(const QString& name) const
{
    const auto it = m_herbs.constFind(key(name));
    return it == m_herbs.constEnd() ? nullptr : &*it;
}

std::optional<QString> SafetyFacts::pairKind(const QString& a, const QString& b) const
{
    const auto it = m_pairs.constFind(pairKey(a, b));
    if (it == m_pairs.constEnd())
        return std::nullopt;
    return *it;
}

QList<Finding> checkComposition(const QList<DosedHerb>& herbs, const SafetyFacts& facts)
{
    QList<Finding> findings;
    for (qsizetype i = 0; i < herbs.size(); ++i) {
        for (qsizetype j = i + 1; j < herbs.size(); ++j) {
            const QString& a = herbs.at(i).name;
            const QString& b = herbs.at(j).name;
            if (key(a) == key(b))
                continue;
            const std::optional<QString> kind = facts.pairKind(a, b);
            if (!kind)
                continue;
            if (*kind == QLatin1String("counteraction"))
                findings.append({FindingKind::Counteraction,
                                 {a, b},
                                 QStringLiteral("%1 and %2 are one of the nineteen "
                                                "counteractions: they are not to be used together.")
                                     .arg(a, b)});
            else
                findings.append({FindingKind::Antagonism,
                                 {a, b},
                                 QStringLiteral("%1 and %2 are one of the eighteen antagonisms: "
                                                "they are not to be used together.")
                                     .arg(a, b)});
        }
    }
    QStringList seen;
    for (const DosedHerb& dosed : herbs) {
        if (seen.contains(key(dosed.name)))
            continue;
        seen << key(dosed.name);
        const HerbFacts* herb = facts.herb(dosed.name);
        if (!herb)
            continue; // an own herb, or one the reference does not hold: nothing is known
        const QString& name = dosed.name;
        if (herb->toxicity == QLatin1String("highly toxic"))
            findings.append({FindingKind::HighlyToxic,
                             {name},
                             QStringLiteral("%1 is highly toxic: keep strictly to its dose and "
                                            "preparation.")
                                 .arg(name)});
        else if (herb->toxicity == QLatin1String("toxic"))
            findings.append(
                {FindingKind::Toxic,
                 {name},
                 QStringLiteral("%1 is toxic: keep to its dose and preparation.").arg(name)});
        if (herb->pregnancy == QLatin1String("contraindicated"))
            findings.append({FindingKind::PregnancyContraindicated,
                             {name},
                             QStringLiteral("%1 is contraindicated in pregnancy.").arg(name)});
        else if (herb->pregnancy == QLatin1String("caution"))
            findings.append(
                {FindingKind::PregnancyCaution,
                 {name},
                 QStringLiteral("%1 is to be used with caution in pregnancy.").arg(name)});
        const std::optional<double> top = topOfDosageRange(herb->dosage);
        const std::optional<double> dose = gramsOf(dosed.dose);
        if (top && dose && *dose > *top)
            findings.append({FindingKind::DoseAboveRange,
                             {name},
                             QStringLiteral("%1 at %2 is above its usual dose (%3).")
                                 .arg(name, grams(*dose), herb->dosage)});
    }
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.kind < b.kind; });
    return findings;
}

QString describe(const QList<Finding>& findings)
{
    QStringList lines;
    for (const Finding& finding : findings)
        lines << finding.sentence;
    return lines.join(QLatin1Char('\n'));
}

} // namespace tavirel::safety
