#include "Windows.h"
#include "app/Startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavirel"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    // Ties the windows to the installed desktop entry (its icon and name in task bars).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tavirel.tavirel"));

    // Every file the program uses sits beside the executable.
    tavirel::app::Startup startup(QApplication::applicationDirPath(), tavirel::programWindows);
    if (const auto status = startup.load())
        return *status;
    return startup.run();
}
