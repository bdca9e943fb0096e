#include "SheetReader.h"

#include "data/RecordSet.h"
#include "herbs/FactBoxes.h"

#include <memory>

namespace tavirel::printsheet {

using data::RecordSet;

namespace {

struct FieldSource
{
    const char* column;
    const char* caption;
    QString (*show)(const QVariant&) = nullptr;
};

// Fields without text are left off the sheet; own entries lack the reference facts.
void addFields(const RecordSet& record, std::initializer_list<FieldSource> sources,
               QList<SheetField>& fields)
{
    for (const FieldSource& source : sources) {
        const QVariant value = record.value(QString::fromLatin1(source.column));
        const QString text =
            source.show ? source.show(value) : record.text(QString::fromLatin1(source.column));
        if (!value.isNull() && !text.trimmed().isEmpty())
            fields.append({QString::fromLatin1(source.caption), text});
    }
}

QString aliasesText(const QVariant& value)
{
    return value.toString().split(u';', Qt::SkipEmptyParts).join(QStringLiteral(", ")).simplified();
}

// A herb's record by name: built-in first, then own.
std::unique_ptr<RecordSet> findHerb(data::Database& reference, data::Database& own,
                                    const QString& name)
{
    for (data::Database* db : {&reference, &own}) {
        const QString table =
            db == &reference ? QStringLiteral("tavirel") : QStringLiteral("ownherb");
        auto record = std::make_unique<RecordSet>(
            *db, QStringLiteral("SELECT * FROM %1 WHERE name1 = ?").arg(table),
            RecordSet::Kind::Snapshot, QVariantList{name});
        if (record->recordCount() > 0)
            return record;
    }
    return nullptr;
}

} // namespace

std::optional<Sheet> herbSheet(data::Database& reference, data::Database& own, const QString& name)
{
    const std::unique_ptr<RecordSet> herb = findHerb(reference, own, name);
    if (!herb)
        return std::nullopt;
    Sheet sheet;
    sheet.title = herb->text(QStringLiteral("name1"));
    sheet.chinese = herbs::chineseName(*herb);
    sheet.subtitle = herb->text(QStringLiteral("name2"));
    addFields(*herb,
              {{"pinyintones", "Pinyin"},
               {"english", "English"},
               {"aliases", "Other Names", aliasesText}},
              sheet.headFields);
    addFields(*herb,
              {{"source", "Earliest Record"},
               {"used", "Part Used & Method"},
               {"taste", "Properties & Taste"},
               {"meridians", "Meridians"},
               {"dosage", "Dosage"},
               {"functions", "Functions"},
               {"indications", "Indications"},
               {"coutions", "Cautions"},
               {"origin", "Source Species"},
               {"pregnancy", "Pregnancy", herbs::pregnancyText},
               {"toxicity", "Toxicity", herbs::toxicityText}},
              sheet.fields);
    return sheet;
}

std::optional<Sheet> formulaSheet(data::Database& reference, data::Database& own,
                                  const QString& name)
{
    RecordSet builtIn(reference, QStringLiteral("SELECT * FROM pres WHERE prename = ?"),
                      RecordSet::Kind::Snapshot, {name});
    RecordSet ownFormula(own, QStringLiteral("SELECT * FROM ownpres WHERE name = ?"),
                         RecordSet::Kind::Snapshot, {name});
    const bool isOwn = builtIn.recordCount() == 0;
    const RecordSet& formula = isOwn ? ownFormula : builtIn;
    if (formula.recordCount() == 0)
        return std::nullopt;
    const auto column = [isOwn](const char* builtInColumn, const char* ownColumn) {
        return QString::fromLatin1(isOwn ? ownColumn : builtInColumn);
    };

    Sheet sheet;
    sheet.formula = true;
    sheet.title = formula.text(column("prename", "name"));
    sheet.chinese = herbs::chineseName(formula);
    addFields(formula,
              {{"pinyintones", "Pinyin"},
               {"english", "English"},
               {"presource", "Source Text"},
               {"prealiases", "Other Names", aliasesText}},
              sheet.headFields);

    // Built-in compositions name their herbs by picture number, own ones by name; a row per
    // dosage, as the composition grid shows it.
    const QStringList herbs = formula.text(column("precons", "construction")).split(u',');
    const QStringList dosages = formula.text(column("predosage", "dosage")).split(u',');
    for (qsizetype i = 0; i < dosages.size(); ++i) {
        QString herb = herbs.value(i);
        QString meridians;
        if (!isOwn) {
            RecordSet byPicture(reference,
                                QStringLiteral("SELECT name1 FROM tavirel WHERE picno = ?"),
                                RecordSet::Kind::Snapshot, {herb});
            if (byPicture.recordCount() > 0)
                herb = byPicture.text(QStringLiteral("name1"));
        }
        if (const auto record = findHerb(reference, own, herb))
            meridians = record->text(QStringLiteral("meridians"));
        sheet.composition.append({herb, dosages.at(i), meridians});
    }

    addFields(formula,
              {{isOwn ? "method" : "premethod", "Methods"},
               {isOwn ? "function" : "prefunction", "Functions"},
               {isOwn ? "indication" : "preindication", "Indications"},
               {"precautions", "Cautions"}},
              sheet.fields);
    return sheet;
}

} // namespace tavirel::printsheet
