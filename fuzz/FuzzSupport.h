#pragma once

// What the fuzz targets share: an application object for the code that needs one, and a
// scratch folder for the code that reads files.

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace tavirel::fuzz {

inline QApplication& application()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: the fuzzer leaves through exit(), when Qt's own statics may be gone
    // already, and an application torn down then would fail in Qt, not in the code under test.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

inline const QTemporaryDir& scratch()
{
    static QTemporaryDir dir;
    return dir;
}

// Writes the input as a file of the scratch folder and returns its path.
inline QString asFile(const QString& name, const uint8_t* data, size_t size)
{
    const QString path = scratch().filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}

} // namespace tavirel::fuzz
