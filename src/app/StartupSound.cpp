#include "StartupSound.h"

#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace tavirel::app {

StartupSound::StartupSound() = default;
StartupSound::~StartupSound() = default;

QString StartupSound::locate(const QString& programFolder)
{
    const QString name = QStringLiteral("Tada.wav");
    for (const QString& candidate :
         {QDir::current().filePath(name), QDir(programFolder).filePath(name)}) {
        if (QFileInfo(candidate).isFile())
            return QFileInfo(candidate).absoluteFilePath();
    }
    return {};
}

void StartupSound::play(const QString& programFolder)
{
    const QString file = locate(programFolder);
    if (file.isEmpty())
        return;
    m_effect = std::make_unique<QSoundEffect>();
    m_effect->setSource(QUrl::fromLocalFile(file));
    m_effect->play(); // plays once the file is loaded; start-up goes on at once
}

} // namespace tavirel::app
