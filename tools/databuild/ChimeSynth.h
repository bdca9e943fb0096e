#pragma once

#include <QByteArray>

namespace tavirel::databuild {

// The start-up chime: a rising arpeggio of bell-like tones, about 1.2 s, as a complete RIFF/WAVE
// file (16-bit PCM, mono, 44100 Hz).
QByteArray synthesiseChime();

} // namespace tavirel::databuild
