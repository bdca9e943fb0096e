// The content loader on damaged JSON: the input is one herbs file and one formulas file of a
// content folder, split at the first NUL byte; both ways of loading read it.
#include "ContentLoader.h"
#include "FuzzSupport.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    const QByteArray herbs = split < 0 ? input : input.first(split);
    const QByteArray formulas = split < 0 ? QByteArray("[]") : input.mid(split + 1);
    const QDir folder(tavirel::fuzz::scratch().path());
    for (const QString& sub :
         {QStringLiteral("herbs"), QStringLiteral("formulas"), QStringLiteral("own")})
        folder.mkpath(sub);
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        tavirel::fuzz::asFile(name, reinterpret_cast<const uint8_t*>(bytes.constData()),
                              size_t(bytes.size()));
    };
    write(QStringLiteral("herbs/01.json"), herbs);
    write(QStringLiteral("herbs/categories.json"), formulas);
    write(QStringLiteral("formulas/01.json"), formulas);
    write(QStringLiteral("formulas/categories.json"), herbs);
    write(QStringLiteral("own/herbs.json"), herbs);
    write(QStringLiteral("own/formulas.json"), formulas);
    for (const auto mode : {tavirel::databuild::ContentLoader::Mode::Strict,
                            tavirel::databuild::ContentLoader::Mode::Lenient}) {
        tavirel::databuild::Content content;
        tavirel::databuild::ContentLoader loader(mode);
        (void)loader.load(folder.path(), content);
    }
    return 0;
}
