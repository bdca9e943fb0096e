#pragma once

#include "Content.h"

#include <QString>

#include <functional>

namespace tavirel::databuild {

struct PictureOptions
{
    QString photosFolder; // <picno>.jpg files here replace the drawn plates
    int plateWidth = 420;
    // Herbs with the same key share one drawn plate, painted once (empty key: a plate of its
    // own). Generated content uses it so tens of thousands of copies build in minutes.
    std::function<QString(const Herb&)> plateKey = {};
};

// Writes the program's database files. The reference and picture files are written to a new
// file first and moved into place only when complete, so a failed build never leaves half a
// database behind. The own database is created only where none exists: it is the user's data.
namespace writer {

bool writeReference(const Content& content, const QString& path, QString* error);
bool writePictures(const Content& content, const QString& path, const PictureOptions& options,
                   QString* error);
// Creates an empty own database at path unless a file is already there; fixture rows (if any)
// go into the new file only. Returns true when the file exists afterwards.
bool ensureOwn(const QString& path, const Content& content, QString* error);

} // namespace writer
} // namespace tavirel::databuild
