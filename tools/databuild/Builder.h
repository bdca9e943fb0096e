#pragma once

#include "ContentLoader.h"
#include "DatabaseWriter.h"

#include <QString>
#include <QStringList>

namespace tavirel::databuild {

struct BuildRequest
{
    QString dataFolder;
    QString outFolder;
    ContentLoader::Mode mode = ContentLoader::Mode::Strict;
    PictureOptions pictures;
    bool reference = true; // tavirel.MDB and Hdat.mdb
    bool sound = true;     // Tada.wav
};

// Builds the database files of a program folder from a content folder: the reference and
// picture databases anew, the own database only where it is missing.
bool build(const BuildRequest& request, QStringList* errors);

} // namespace tavirel::databuild
