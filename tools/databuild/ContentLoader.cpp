#include "ContentLoader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace tavirel::databuild {

namespace {

QVariant textOrNull(const QJsonValue& value)
{
    if (value.isNull() || value.isUndefined())
        return QVariant();
    if (value.isDouble())
        return QString::number(value.toDouble());
    return value.toString();
}

QVariant numberOrNull(const QJsonValue& value)
{
    if (value.isDouble())
        return qlonglong(value.toInt());
    return QVariant();
}

// A list of names as one text joined by "; " (Null when the key is absent), or an error.
QVariant joinedNames(const QJsonValue& value, QString* error)
{
    if (value.isUndefined() || value.isNull())
        return QVariant();
    if (!value.isArray()) {
        *error = QStringLiteral("aliases must be an array of names");
        return QVariant();
    }
    QStringList names;
    for (const QJsonValue& name : value.toArray()) {
        const QString text = name.toString().trimmed();
        // The names are stored joined by "; ", so one holding ";" would read back as two.
        if (!name.isString() || text.isEmpty() || text.contains(QLatin1Char(';'))) {
            *error = QStringLiteral("an alias is empty, not text or contains \";\"");
            return QVariant();
        }
        names << text;
    }
    return names.join(QStringLiteral("; "));
}

QStringList chapterFiles(const QString& folder)
{
    QStringList files;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
        if (name != QLatin1String("categories.json"))
            files << dir.filePath(name);
    }
    return files;
}

QString at(const QString& file, int index)
{
    return QStringLiteral("%1 #%2").arg(QFileInfo(file).fileName()).arg(index + 1);
}

} // namespace

void ContentLoader::error(const QString& where, const QString& what)
{
    m_errors << QStringLiteral("%1: %2").arg(where, what);
}

bool ContentLoader::readArray(const QString& file, QJsonArray& array)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        error(file, in.errorString());
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(in.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        error(
            file,
            QStringLiteral("%1 at offset %2").arg(parseError.errorString()).arg(parseError.offset));
        return false;
    }
    if (!document.isArray()) {
        error(file, QStringLiteral("the file must hold an array"));
        return false;
    }
    array = document.array();
    return true;
}

void ContentLoader::loadCategories(const QString& file, QList<Category>& out)
{
    QJsonArray array;
    if (!readArray(file, array))
        return;
    for (int i = 0; i < array.size(); ++i) {
        const QJsonObject o = array.at(i).toObject();
        Category category{
            o.value(QLatin1String("no1")).toInt(), o.value(QLatin1String("kind1")).toString(), {}};
        for (const QJsonValue& sub : o.value(QLatin1String("subcategories")).toArray()) {
            const QJsonObject s = sub.toObject();
            category.subcategories.append({s.value(QLatin1String("no2")).toInt(),
                                           textOrNull(s.value(QLatin1String("kind2")))});
        }
        if (m_mode == Mode::Strict && (category.name.isEmpty() || category.subcategories.isEmpty()))
            error(at(file, i),
                  QStringLiteral("a category needs a name and at least one sub-category"));
        out << category;
    }
}

void ContentLoader::loadHerbs(const QString& file, QList<Herb>& out)
{
    QJsonArray array;
    if (!readArray(file, array))
        return;
    for (int i = 0; i < array.size(); ++i) {
        const QJsonObject o = array.at(i).toObject();
        const auto text = [&](const char* key) { return textOrNull(o.value(QLatin1String(key))); };
        Herb herb;
        herb.name1 = o.value(QLatin1String("name1")).toString();
        herb.name2 = text("name2");
        herb.source = text("source");
        herb.used = text("used");
        herb.taste = text("taste");
        herb.meridians = text("meridians");
        herb.functions = text("functions");
        herb.indications = text("indications");
        herb.coutions = text("coutions");
        herb.dosage = text("dosage");
        herb.kind1 = numberOrNull(o.value(QLatin1String("kind1")));
        herb.kind2 = numberOrNull(o.value(QLatin1String("kind2")));
        herb.picno = o.value(QLatin1String("picno")).toString();
        herb.part = o.value(QLatin1String("part")).toString();
        herb.colour = QColor(o.value(QLatin1String("colour")).toString());
        herb.picture = o.value(QLatin1String("picture")).toString();
        herb.origin = at(file, i) + QStringLiteral(" (%1)").arg(herb.name1);
        herb.chinese = text("chinese");
        herb.chineseTrad = text("chineseTrad");
        herb.pinyinTones = text("pinyinTones");
        herb.english = text("english");
        herb.species = text("origin");
        herb.pregnancy = text("pregnancy");
        herb.toxicity = text("toxicity");
        QString aliasError;
        herb.aliases = joinedNames(o.value(QLatin1String("aliases")), &aliasError);
        if (!aliasError.isEmpty() && m_mode == Mode::Strict)
            error(herb.origin, aliasError);
        out << herb;
    }
}

void ContentLoader::loadFormulas(const QString& file, const QList<Herb>& herbs, QList<Formula>& out)
{
    QHash<QString, QString> picnoByName;
    for (const Herb& herb : herbs)
        picnoByName.insert(herb.name1.toLower(), herb.picno);

    QJsonArray array;
    if (!readArray(file, array))
        return;
    for (int i = 0; i < array.size(); ++i) {
        const QJsonObject o = array.at(i).toObject();
        Formula formula;
        formula.prename = o.value(QLatin1String("prename")).toString();
        formula.origin = at(file, i) + QStringLiteral(" (%1)").arg(formula.prename);
        formula.prekind1 = numberOrNull(o.value(QLatin1String("prekind1")));
        formula.prekind2 = numberOrNull(o.value(QLatin1String("prekind2")));
        formula.premethod = o.value(QLatin1String("premethod")).toString();
        formula.prefunction = o.value(QLatin1String("prefunction")).toString();
        formula.preindication = o.value(QLatin1String("preindication")).toString();
        const auto text = [&](const char* key) { return textOrNull(o.value(QLatin1String(key))); };
        formula.chinese = text("chinese");
        formula.chineseTrad = text("chineseTrad");
        formula.pinyinTones = text("pinyinTones");
        formula.english = text("english");
        formula.sourceText = text("sourceText");
        formula.cautions = text("cautions");
        QString aliasError;
        formula.aliases = joinedNames(o.value(QLatin1String("aliases")), &aliasError);
        if (!aliasError.isEmpty() && m_mode == Mode::Strict)
            error(formula.origin, aliasError);
        if (o.contains(QLatin1String("herbs"))) {
            QStringList picnos, grams, roles;
            for (const QJsonValue& entry : o.value(QLatin1String("herbs")).toArray()) {
                const QJsonObject e = entry.toObject();
                QString picno = e.value(QLatin1String("picno")).toString();
                if (picno.isEmpty()) {
                    const QString name = e.value(QLatin1String("herb")).toString();
                    picno = picnoByName.value(name.toLower());
                    if (picno.isEmpty())
                        error(formula.origin,
                              QStringLiteral("names the unknown herb \"%1\"").arg(name));
                }
                picnos << picno;
                grams << textOrNull(e.value(QLatin1String("grams"))).toString();
                roles << e.value(QLatin1String("role")).toString();
                if (roles.last().contains(QLatin1Char(',')) && m_mode == Mode::Strict)
                    error(formula.origin, QStringLiteral("a role contains a comma"));
            }
            formula.precons = picnos.join(QLatin1Char(','));
            formula.predosage = grams.join(QLatin1Char(','));
            formula.roles = roles.join(QLatin1Char(','));
        } else if (m_mode == Mode::Lenient) {
            formula.precons = o.value(QLatin1String("precons")).toString();
            formula.predosage = o.value(QLatin1String("predosage")).toString();
        } else {
            error(formula.origin, QStringLiteral("has no herbs"));
        }
        out << formula;
    }
}

void ContentLoader::loadIncompatibilities(const QString& file, QList<Incompatibility>& out)
{
    if (!QFileInfo::exists(file))
        return; // fixtures need not have one
    QJsonArray array;
    if (!readArray(file, array))
        return;
    for (int i = 0; i < array.size(); ++i) {
        const QJsonObject o = array.at(i).toObject();
        Incompatibility pair{o.value(QLatin1String("herb")).toString(),
                             o.value(QLatin1String("with")).toString(),
                             o.value(QLatin1String("group")).toString(), at(file, i)};
        if (pair.herb1.isEmpty() || pair.herb2.isEmpty() || pair.kind.isEmpty())
            error(pair.origin, QStringLiteral("a pair needs group, herb and with"));
        out << pair;
    }
}

void ContentLoader::loadOwn(const QString& folder, Content& content)
{
    const QDir dir(folder);
    const auto rows = [&](const QString& name, const QStringList& keys, auto& out) {
        if (!dir.exists(name))
            return;
        QJsonArray array;
        if (!readArray(dir.filePath(name), array))
            return;
        for (const QJsonValue& value : array) {
            QStringList values;
            for (const QString& key : keys)
                values << value.toObject().value(key).toString();
            out.append({values});
        }
    };
    rows(QStringLiteral("herbs.json"),
         {QStringLiteral("name1"), QStringLiteral("name2"), QStringLiteral("source"),
          QStringLiteral("used"), QStringLiteral("taste"), QStringLiteral("meridians"),
          QStringLiteral("functions"), QStringLiteral("indications"), QStringLiteral("dosage"),
          QStringLiteral("coutions")},
         content.ownHerbs);
    rows(QStringLiteral("formulas.json"),
         {QStringLiteral("name"), QStringLiteral("construction"), QStringLiteral("dosage"),
          QStringLiteral("method"), QStringLiteral("function"), QStringLiteral("indication")},
         content.ownFormulas);
}

void ContentLoader::checkHerbs(const Content& content)
{
    QSet<QString> names, picnos;
    for (const Herb& herb : content.herbs) {
        if (herb.name1.isEmpty())
            error(herb.origin, QStringLiteral("has no name1"));
        if (names.contains(herb.name1.toLower()))
            error(herb.origin, QStringLiteral("name1 is used twice"));
        names.insert(herb.name1.toLower());
        if (m_mode == Mode::Lenient)
            continue;
        // Own formulas store herb names joined by commas: a comma would break them apart.
        if (herb.name1.contains(QLatin1Char(',')))
            error(herb.origin, QStringLiteral("name1 contains a comma"));
        if (herb.picno.isEmpty() || picnos.contains(herb.picno))
            error(herb.origin, QStringLiteral("picno is empty or used twice"));
        picnos.insert(herb.picno);
        for (const QVariant* field : {&herb.name2, &herb.used, &herb.taste, &herb.meridians,
                                      &herb.functions, &herb.indications, &herb.dosage}) {
            if (field->toString().trimmed().isEmpty())
                error(herb.origin, QStringLiteral("a required field is empty"));
        }
        if (herb.functions.toString().size() > 255)
            error(herb.origin, QStringLiteral("functions is longer than 255 characters"));
    }
}

void ContentLoader::checkFormulas(const Content& content)
{
    QSet<QString> picnos;
    for (const Herb& herb : content.herbs)
        picnos.insert(herb.picno);
    QSet<QString> names;
    for (const Formula& formula : content.formulas) {
        if (formula.prename.isEmpty() || names.contains(formula.prename.toLower()))
            error(formula.origin, QStringLiteral("prename is empty or used twice"));
        names.insert(formula.prename.toLower());
        if (m_mode == Mode::Lenient)
            continue;
        if (formula.prename.contains(QLatin1Char(',')))
            error(formula.origin, QStringLiteral("prename contains a comma"));
        const QStringList herbs = formula.precons.split(QLatin1Char(','));
        const QStringList grams = formula.predosage.split(QLatin1Char(','));
        if (herbs.size() != grams.size())
            error(
                formula.origin,
                QStringLiteral("has %1 herbs but %2 dosages").arg(herbs.size()).arg(grams.size()));
        if (herbs.size() > 40)
            error(formula.origin, QStringLiteral("has more than 40 herbs"));
        for (const QString& picno : herbs) {
            if (!picnos.contains(picno))
                error(formula.origin, QStringLiteral("names no herb with picno \"%1\"").arg(picno));
        }
        for (const QString& g : grams) {
            if (g.trimmed().isEmpty())
                error(formula.origin, QStringLiteral("has an empty dosage"));
        }
    }
}

bool ContentLoader::load(const QString& folder, Content& content)
{
    m_errors.clear();
    const QDir dir(folder);
    loadCategories(dir.filePath(QStringLiteral("herbs/categories.json")), content.herbCategories);
    loadCategories(dir.filePath(QStringLiteral("formulas/categories.json")),
                   content.formulaCategories);
    for (const QString& file : chapterFiles(dir.filePath(QStringLiteral("herbs"))))
        loadHerbs(file, content.herbs);
    for (const QString& file : chapterFiles(dir.filePath(QStringLiteral("formulas"))))
        loadFormulas(file, content.herbs, content.formulas);
    loadIncompatibilities(dir.filePath(QStringLiteral("antagonisms.json")),
                          content.incompatibilities);
    loadOwn(dir.filePath(QStringLiteral("own")), content);
    checkHerbs(content);
    checkFormulas(content);
    return m_errors.isEmpty();
}

} // namespace tavirel::databuild
