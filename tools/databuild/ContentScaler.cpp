#include "ContentScaler.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace tavirel::databuild {

namespace {

const QString herbsFolder = QStringLiteral("herbs");
const QString formulasFolder = QStringLiteral("formulas");
const QString categoriesFile = QStringLiteral("categories.json");

bool isChapter(const QString& relativePath)
{
    const QFileInfo info(relativePath);
    const QString folder = info.path();
    return (folder == herbsFolder || folder == formulasFolder) &&
           info.suffix() == QLatin1String("json") && info.fileName() != categoriesFile;
}

QJsonObject copyHerb(QJsonObject herb, int copy)
{
    herb.insert(QLatin1String("name1"),
                ContentScaler::copyName(herb.value(QLatin1String("name1")).toString(), copy));
    herb.insert(QLatin1String("picno"),
                ContentScaler::copyPicno(herb.value(QLatin1String("picno")).toString(), copy));
    return herb;
}

QJsonObject copyFormula(QJsonObject formula, int copy)
{
    formula.insert(
        QLatin1String("prename"),
        ContentScaler::copyName(formula.value(QLatin1String("prename")).toString(), copy));
    if (formula.contains(QLatin1String("herbs"))) {
        QJsonArray herbs = formula.value(QLatin1String("herbs")).toArray();
        for (qsizetype i = 0; i < herbs.size(); ++i) {
            QJsonObject entry = herbs.at(i).toObject();
            // A composition names its herbs by name or by picture number: either way, the copy.
            if (entry.contains(QLatin1String("herb")))
                entry.insert(
                    QLatin1String("herb"),
                    ContentScaler::copyName(entry.value(QLatin1String("herb")).toString(), copy));
            if (entry.contains(QLatin1String("picno")))
                entry.insert(
                    QLatin1String("picno"),
                    ContentScaler::copyPicno(entry.value(QLatin1String("picno")).toString(), copy));
            herbs.replace(i, entry);
        }
        formula.insert(QLatin1String("herbs"), herbs);
    }
    return formula;
}

} // namespace

QString ContentScaler::copyPicno(const QString& picno, int copy)
{
    if (copy <= 1)
        return picno;
    return QStringLiteral("%1%2").arg(copy, 3, 10, QLatin1Char('0')).arg(picno);
}

QString ContentScaler::copyName(const QString& name, int copy)
{
    return copy <= 1 ? name : QStringLiteral("%1 %2").arg(name).arg(copy);
}

bool ContentScaler::scaleChapter(const QString& from, const QString& to, int copies, bool formulas)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) {
        m_errors << QStringLiteral("%1: %2").arg(from, in.errorString());
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(in.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isArray()) {
        m_errors << QStringLiteral("%1: not an array of entries (%2)")
                        .arg(from, parseError.errorString());
        return false;
    }
    const QJsonArray entries = document.array();
    QJsonArray scaled;
    // Copy after copy, so the stored order within a chapter is the original's, repeated.
    for (int copy = 1; copy <= copies; ++copy) {
        for (const QJsonValue& entry : entries) {
            const QJsonObject o = entry.toObject();
            if (formulas) {
                scaled.append(copyFormula(o, copy));
                continue;
            }
            const QString picno = o.value(QLatin1String("picno")).toString();
            if (copy > 1)
                m_originalPicnos.insert(copyPicno(picno, copy), picno);
            scaled.append(copyHerb(o, copy));
        }
    }
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(QJsonDocument(scaled).toJson(QJsonDocument::Indented)) < 0 || !out.commit()) {
        m_errors << QStringLiteral("%1: %2").arg(to, out.errorString());
        return false;
    }
    return true;
}

bool ContentScaler::copyTree(const QString& from, const QString& to)
{
    const QDir source(from);
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = source.relativeFilePath(path);
        const QString target = QDir(to).filePath(relative);
        if (!QDir().mkpath(QFileInfo(target).path())) {
            m_errors << QStringLiteral("%1: can not create the folder").arg(target);
            return false;
        }
        if (isChapter(relative))
            continue; // written by scaleChapter
        QFile::remove(target);
        if (!QFile::copy(path, target)) {
            m_errors << QStringLiteral("%1: can not copy to %2").arg(path, target);
            return false;
        }
    }
    return true;
}

bool ContentScaler::scale(const QString& folder, const QString& to, int copies)
{
    m_errors.clear();
    m_originalPicnos.clear();
    // Absolute, so every file's path inside the folder can be told from the folder's own.
    const QString from = QFileInfo(folder).absoluteFilePath();
    if (copies < 1 || copies > maxCopies) {
        m_errors << QStringLiteral("the number of copies must be 1 to %1").arg(maxCopies);
        return false;
    }
    if (!QFileInfo(QDir(from).filePath(herbsFolder)).isDir()) {
        m_errors << QStringLiteral("%1: no herbs folder").arg(from);
        return false;
    }
    if (!copyTree(from, to))
        return false;
    const QDir source(from);
    QDirIterator it(from, {QStringLiteral("*.json")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = source.relativeFilePath(path);
        if (isChapter(relative) && !scaleChapter(path, QDir(to).filePath(relative), copies,
                                                 QFileInfo(relative).path() == formulasFolder))
            return false;
    }
    return true;
}

} // namespace tavirel::databuild
