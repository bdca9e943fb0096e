#include "Builder.h"
#include "ContentScaler.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

// Builds the program folder's databases from the JSON content:
//   tavirel-databuild --data data --out build/program [--photos DIR]
//   tavirel-databuild --data tests/fixtures/basic --out DIR --fixture
//   tavirel-databuild --out DIR --own-only
//   tavirel-databuild --data data --out DIR --scale N [--scaled-data DIR]
int main(int argc, char* argv[])
{
    // Plates are painted off screen; no display is needed to build.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Builds the Tavirel database files."));
    parser.addHelpOption();
    const QCommandLineOption dataOption(QStringLiteral("data"), QStringLiteral("Content folder."),
                                        QStringLiteral("folder"));
    const QCommandLineOption outOption(QStringLiteral("out"),
                                       QStringLiteral("Program folder to write."),
                                       QStringLiteral("folder"));
    const QCommandLineOption photosOption(QStringLiteral("photos"),
                                          QStringLiteral("Folder of <picno>.jpg photographs."),
                                          QStringLiteral("folder"));
    const QCommandLineOption widthOption(QStringLiteral("plate-width"),
                                         QStringLiteral("Width of drawn plates."),
                                         QStringLiteral("pixels"), QStringLiteral("420"));
    const QCommandLineOption fixtureOption(
        QStringLiteral("fixture"), QStringLiteral("Build a test fixture (lenient checks)."));
    const QCommandLineOption ownOnlyOption(
        QStringLiteral("own-only"), QStringLiteral("Only create yourown.MDB where it is missing."));
    const QCommandLineOption scaleOption(
        QStringLiteral("scale"),
        QStringLiteral("Build N times the content: copies with new names and picture numbers, "
                       "small plates unless --plate-width is given."),
        QStringLiteral("N"));
    const QCommandLineOption scaledDataOption(
        QStringLiteral("scaled-data"),
        QStringLiteral("Keep the N-times content folder here (an empty or new folder)."),
        QStringLiteral("folder"));
    parser.addOptions({dataOption, outOption, photosOption, widthOption, fixtureOption,
                       ownOnlyOption, scaleOption, scaledDataOption});
    parser.process(application);

    QTextStream err(stderr);
    if (!parser.isSet(outOption) || (!parser.isSet(dataOption) && !parser.isSet(ownOnlyOption))) {
        err << "tavirel-databuild: --out and --data (or --own-only) are required\n";
        return 2;
    }

    tavirel::databuild::BuildRequest request;
    request.dataFolder = parser.value(dataOption);
    request.outFolder = parser.value(outOption);
    request.pictures.photosFolder = parser.value(photosOption);
    request.pictures.plateWidth = parser.value(widthOption).toInt();
    if (parser.isSet(fixtureOption))
        request.mode = tavirel::databuild::ContentLoader::Mode::Lenient;
    if (parser.isSet(ownOnlyOption)) {
        request.reference = false;
        request.sound = false;
    }

    QTemporaryDir scratch;
    if (parser.isSet(scaleOption)) {
        bool number = false;
        const int copies = parser.value(scaleOption).toInt(&number);
        QString folder = parser.value(scaledDataOption);
        if (folder.isEmpty()) {
            if (!scratch.isValid()) {
                err << "tavirel-databuild: no temporary folder: " << scratch.errorString() << '\n';
                return 1;
            }
            folder = scratch.path();
        } else if (!QDir(folder).isEmpty()) {
            err << "tavirel-databuild: --scaled-data must name an empty or new folder\n";
            return 2;
        }
        tavirel::databuild::ContentScaler scaler;
        if (!number || !scaler.scale(request.dataFolder, folder, copies)) {
            err << "tavirel-databuild: --scale: "
                << (number ? scaler.errors().join(QLatin1Char('\n'))
                           : QStringLiteral("not a number"))
                << '\n';
            return 1;
        }
        request.dataFolder = folder;
        // Tens of thousands of plates: small ones, each copy sharing its original's, keep the
        // build to minutes.
        if (!parser.isSet(widthOption))
            request.pictures.plateWidth = 48;
        request.pictures.plateKey = [originals = scaler.originalPicnos()](const auto& herb) {
            return originals.value(herb.picno, herb.picno);
        };
    }

    QStringList errors;
    if (!tavirel::databuild::build(request, &errors)) {
        for (const QString& e : errors)
            err << "tavirel-databuild: " << e << '\n';
        return 1;
    }
    return 0;
}
