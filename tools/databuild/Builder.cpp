#include "Builder.h"

#include "ChimeSynth.h"
#include "data/Schema.h"

#include <QDir>
#include <QSaveFile>

namespace tavirel::databuild {

bool build(const BuildRequest& request, QStringList* errors)
{
    const auto fail = [&](const QStringList& what) {
        if (errors)
            *errors << what;
        return false;
    };
    ContentLoader loader(request.mode);
    Content content;
    if (request.reference && !loader.load(request.dataFolder, content))
        return fail(loader.errors());

    const QDir out(request.outFolder);
    if (!QDir().mkpath(request.outFolder))
        return fail({QStringLiteral("%1: can not create the folder").arg(request.outFolder)});

    QString error;
    if (request.reference &&
        (!writer::writeReference(content, out.filePath(data::schema::refFileName), &error) ||
         !writer::writePictures(content, out.filePath(data::schema::picFileName), request.pictures,
                                &error)))
        return fail({error});
    if (!writer::ensureOwn(out.filePath(data::schema::ownFileName), content, &error))
        return fail({error});

    if (request.sound) {
        QSaveFile wav(out.filePath(QStringLiteral("Tada.wav")));
        if (!wav.open(QIODevice::WriteOnly) || wav.write(synthesiseChime()) < 0 || !wav.commit())
            return fail({QStringLiteral("Tada.wav: %1").arg(wav.errorString())});
    }
    return true;
}

} // namespace tavirel::databuild
