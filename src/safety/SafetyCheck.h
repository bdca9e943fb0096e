#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tavirel::data {
class Database;
}

namespace tavirel::safety {

// One herb of a composition and its dose as the formula gives it (grams as text).
struct DosedHerb
{
    QString name;
    QString dose;
};

// What the reference knows of a herb that matters for a prescription's safety.
struct HerbFacts
{
    QString name;
    QString pregnancy; // "contraindicated", "caution" or empty
    QString toxicity;  // "highly toxic", "toxic", "slightly toxic" or empty
    QString dosage;    // the herb's own dosage text, "3-9 g"
};

// Most serious first: findings are listed in this order.
enum class FindingKind {
    HighlyToxic,
    Antagonism,    // one of the eighteen antagonisms
    Counteraction, // one of the nineteen counteractions
    PregnancyContraindicated,
    Toxic,
    DoseAboveRange,
    PregnancyCaution,
};

struct Finding
{
    FindingKind kind;
    QStringList herbs;
    QString sentence;
};

// The facts for the herbs of one composition, read from the reference database (or given by
// a test). Names compare ignoring letter case, as herb names do everywhere.
class SafetyFacts
{
public:
    // Reads only the herbs named and the pairs among them, so the cost follows the composition,
    // not the size of the reference. Herbs the reference does not hold (own herbs) have no facts.
    static SafetyFacts load(data::Database& reference, const QStringList& names);

    void addHerb(const HerbFacts& facts);
    // kind: "antagonism" or "counteraction"
    void addPair(const QString& herb, const QString& with, const QString& kind);

    const HerbFacts* herb(const QString& name) const;
    std::optional<QString> pairKind(const QString& a, const QString& b) const;

private:
    QHash<QString, HerbFacts> m_herbs; // lower-case name -> facts
    QHash<QString, QString> m_pairs;   // "a\nb" (lower case, sorted) -> kind
};

// Every finding for a composition, most serious first; none for a safe one.
QList<Finding> checkComposition(const QList<DosedHerb>& herbs, const SafetyFacts& facts);

// The findings as one text, one sentence a line.
QString describe(const QList<Finding>& findings);

} // namespace tavirel::safety
