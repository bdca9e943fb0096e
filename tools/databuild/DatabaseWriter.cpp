#include "DatabaseWriter.h"

#include "PlateRenderer.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace tavirel::databuild::writer {

namespace {

using data::Database;

// Builds a database in a sibling file, then moves it over the target in one step.
template <typename Fill>
bool writeAtomically(const QString& path, const QByteArray& key, const QStringList& tables,
                     QString* error, Fill fill)
{
    const QString partial = path + QStringLiteral(".partial");
    QFile::remove(partial);
    {
        Database db;
        bool ok = db.open(partial, Database::Mode::Create, key) &&
                  data::schema::create(db, tables) && db.exec(QStringLiteral("BEGIN")) &&
                  fill(db) && db.exec(QStringLiteral("COMMIT"));
        if (!ok) {
            if (error)
                *error = QStringLiteral("%1: %2").arg(path, db.errorString());
            db.close();
            QFile::remove(partial);
            return false;
        }
    }
    QFile::remove(path);
    if (!QFile::rename(partial, path)) {
        if (error)
            *error = QStringLiteral("%1: can not move the new file into place").arg(path);
        return false;
    }
    return true;
}

bool insertCategories(Database& db, const QString& level1, const QString& level2,
                      const QList<Category>& categories)
{
    for (const Category& c : categories) {
        if (!db.exec(QStringLiteral("INSERT INTO %1 (kind1, no1) VALUES (?, ?)").arg(level1),
                     {c.name, c.no1}))
            return false;
    }
    for (const Category& c : categories) {
        for (const SubCategory& s : c.subcategories) {
            if (!db.exec(
                    QStringLiteral("INSERT INTO %1 (kind2, no2, no3) VALUES (?, ?, ?)").arg(level2),
                    {s.name, s.no2, c.no1}))
                return false;
        }
    }
    return true;
}

QByteArray pictureBytes(const Herb& herb, const PictureOptions& options)
{
    if (herb.picture == QLatin1String("damaged"))
        return QByteArrayLiteral("this is not a picture");
    if (!options.photosFolder.isEmpty()) {
        QFile photo(QDir(options.photosFolder).filePath(herb.picno + QStringLiteral(".jpg")));
        if (photo.open(QIODevice::ReadOnly))
            return photo.readAll();
    }
    return encodeJpeg(
        renderPlate({herb.name1, herb.name2.toString(), herb.part, herb.colour, herb.picno},
                    options.plateWidth));
}

} // namespace

bool writeReference(const Content& content, const QString& path, QString* error)
{
    return writeAtomically(
        path, data::schema::refPassword, data::schema::referenceTables(), error, [&](Database& db) {
            for (const Herb& h : content.herbs) {
                if (!db.exec(
                        QStringLiteral("INSERT INTO tavirel (name1, name2, source, used, taste, "
                                       "meridians, functions, indications, coutions, dosage, "
                                       "kind1, kind2, picno, chinese, chinesetrad, pinyintones, "
                                       "english, origin, pregnancy, toxicity, aliases) "
                                       "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                        {h.name1,       h.name2,     h.source,      h.used,      h.taste,
                         h.meridians,   h.functions, h.indications, h.coutions,  h.dosage,
                         h.kind1,       h.kind2,     h.picno,       h.chinese,   h.chineseTrad,
                         h.pinyinTones, h.english,   h.species,     h.pregnancy, h.toxicity,
                         h.aliases}))
                    return false;
            }
            for (const Formula& f : content.formulas) {
                if (!db.exec(
                        QStringLiteral("INSERT INTO pres (prename, prekind1, prekind2, precons, "
                                       "predosage, premethod, prefunction, preindication, "
                                       "chinese, chinesetrad, pinyintones, english, presource, "
                                       "precautions, preroles, prealiases) "
                                       "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                        {f.prename, f.prekind1, f.prekind2, f.precons, f.predosage, f.premethod,
                         f.prefunction, f.preindication, f.chinese, f.chineseTrad, f.pinyinTones,
                         f.english, f.sourceText, f.cautions, f.roles, f.aliases}))
                    return false;
                const QStringList picnos = f.precons.split(QLatin1Char(','), Qt::SkipEmptyParts);
                const QStringList doses = f.predosage.split(QLatin1Char(','));
                for (qsizetype i = 0; i < picnos.size(); ++i) {
                    if (!db.exec(QStringLiteral(
                                     "INSERT INTO preherb (picno, prename, dose) VALUES (?,?,?)"),
                                 {picnos.at(i), f.prename, doses.value(i)}))
                        return false;
                }
            }
            for (const Incompatibility& pair : content.incompatibilities) {
                if (!db.exec(
                        QStringLiteral("INSERT INTO incompat (herb1, herb2, kind) VALUES (?,?,?)"),
                        {pair.herb1, pair.herb2, pair.kind}))
                    return false;
            }
            return insertCategories(db, QStringLiteral("kind1"), QStringLiteral("kind2"),
                                    content.herbCategories) &&
                   insertCategories(db, QStringLiteral("preskind1"), QStringLiteral("preskind2"),
                                    content.formulaCategories);
        });
}

bool writePictures(const Content& content, const QString& path, const PictureOptions& options,
                   QString* error)
{
    return writeAtomically(
        path, data::schema::picPassword, data::schema::pictureTables(), error, [&](Database& db) {
            QHash<QString, QByteArray> shared;
            for (const Herb& h : content.herbs) {
                if (h.picno.isEmpty() || h.picture == QLatin1String("none"))
                    continue;
                const QString key = options.plateKey ? options.plateKey(h) : QString();
                QByteArray bytes = key.isEmpty() ? QByteArray() : shared.value(key);
                if (bytes.isEmpty()) {
                    bytes = pictureBytes(h, options);
                    if (!key.isEmpty())
                        shared.insert(key, bytes);
                }
                if (bytes.isEmpty()) {
                    db.setError(QStringLiteral("no picture could be made for %1").arg(h.origin));
                    return false;
                }
                if (!db.exec(QStringLiteral("INSERT INTO images (Name, Image) VALUES (?, ?)"),
                             {h.picno + QStringLiteral(".jpg"), bytes}))
                    return false;
            }
            return true;
        });
}

bool ensureOwn(const QString& path, const Content& content, QString* error)
{
    if (QFileInfo::exists(path))
        return true;
    return writeAtomically(path, {}, data::schema::ownTables(), error, [&](Database& db) {
        for (const OwnHerb& h : content.ownHerbs) {
            QVariantList values(h.values.cbegin(), h.values.cend());
            if (!db.exec(QStringLiteral("INSERT INTO ownherb (name1, name2, source, used, taste, "
                                        "meridians, functions, indications, dosage, coutions) "
                                        "VALUES (?,?,?,?,?,?,?,?,?,?)"),
                         values))
                return false;
        }
        for (const OwnFormula& f : content.ownFormulas) {
            QVariantList values(f.values.cbegin(), f.values.cend());
            if (!db.exec(QStringLiteral("INSERT INTO ownpres (name, construction, dosage, method, "
                                        "function, indication) VALUES (?,?,?,?,?,?)"),
                         values))
                return false;
        }
        return true;
    });
}

} // namespace tavirel::databuild::writer
