#pragma once

#include <QString>

#include <memory>

class QSoundEffect;

namespace tavirel::app {

// The start-up chime. Playing never waits and never fails loudly: without the file or an
// audio device the program simply starts in silence.
class StartupSound
{
public:
    StartupSound();
    ~StartupSound();

    // Looks for "Tada.wav" in the working folder, then in the program folder; empty if absent.
    static QString locate(const QString& programFolder);
    void play(const QString& programFolder);

private:
    std::unique_ptr<QSoundEffect> m_effect;
};

} // namespace tavirel::app
