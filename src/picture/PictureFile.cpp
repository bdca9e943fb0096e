#include "PictureFile.h"

#include "data/RecordSet.h"

#include <QDir>
#include <QFile>
#include <QImageReader>

namespace tavirel::picture {

namespace {

// Deletes the temporary file on every way out once this load has created it.
class RemoveOnExit
{
public:
    explicit RemoveOnExit(QString path) : m_path(std::move(path)) {}
    ~RemoveOnExit() { QFile::remove(m_path); }
    RemoveOnExit(const RemoveOnExit&) = delete;
    RemoveOnExit& operator=(const RemoveOnExit&) = delete;

private:
    QString m_path;
};

std::optional<QByteArray> storedBytes(data::Database& pictures, const QString& key)
{
    // Two blanks between "from" and "images" as the program has always asked; the key is bound.
    data::RecordSet result(pictures, QStringLiteral("select * from  images where [Name] = ?"),
                           data::RecordSet::Kind::Snapshot, {key});
    if (!result.isValid() || result.recordCount() == 0)
        return std::nullopt;
    result.moveFirst();
    const QVariant image = result.value(QStringLiteral("Image"));
    if (image.isNull())
        return std::nullopt;
    return image.toByteArray();
}

bool writeNew(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    // The save creates the file and fails if one is there already.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

} // namespace

QImage decodePicture(const QString& path)
{
    QImageReader reader(path);
    // The name says ".bmp" whatever the bytes are: only the content decides.
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

std::optional<QImage> readHerbPicture(data::Database& pictures, const QString& programFolder,
                                      const QString& key)
{
    const QString path = QDir(programFolder).filePath(temporaryFileName);
    if (QFile::exists(path) && !QFile::remove(path))
        return std::nullopt;

    const std::optional<QByteArray> bytes = storedBytes(pictures, key);
    if (!bytes)
        return std::nullopt;

    const RemoveOnExit cleanup(path);
    if (!writeNew(path, *bytes))
        return std::nullopt;
    QImage image = decodePicture(path);
    if (image.isNull())
        return std::nullopt;
    return image;
}

} // namespace tavirel::picture
