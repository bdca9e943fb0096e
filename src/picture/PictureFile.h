#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace tavirel::data {
class Database;
}

namespace tavirel::picture {

// The file name the picture passes through on its way from the picture database to the
// picture loader; it lives in the program folder only while one picture is being read.
inline const QString temporaryFileName = QStringLiteral("Image2.bmp");

// Reads the picture stored under key in the picture database: its bytes go to the temporary
// file in the program folder, the loader decodes that file by its content (whatever its name
// says), and the file is deleted again. A stale temporary file is removed first, and none is
// left behind, whether the picture loads or not. Empty when there is no such picture or it
// can not be written, read or decoded.
// Decodes a picture file by its content, whatever its name says; a null image when it can not.
QImage decodePicture(const QString& path);

std::optional<QImage> readHerbPicture(data::Database& pictures, const QString& programFolder,
                                      const QString& key);

} // namespace tavirel::picture
