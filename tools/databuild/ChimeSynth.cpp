#include "ChimeSynth.h"

#include <QDataStream>
#include <QIODevice>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace tavirel::databuild {
namespace {

constexpr int kSampleRate = 44100;
constexpr double kDuration = 1.25;
constexpr double kPeak = 0.8; // headroom: never near full scale, so no clipping after rounding

struct Partial
{
    double ratio; // frequency relative to the note
    double gain;
    double decay; // per second; upper partials die away faster, as on a struck bell
};

// Slightly stretched harmonics give a glassy bell colour without sounding out of tune; the
// doubled fundamental, a few cents apart, adds a slow shimmer.
constexpr Partial kPartials[] = {
    {1.0, 1.0, 3.0},   {1.0019, 0.35, 3.4}, {2.0, 0.42, 4.6},
    {3.01, 0.18, 6.8}, {4.16, 0.09, 9.5},   {5.43, 0.05, 13.0},
};

struct Note
{
    double onset; // seconds
    double frequency;
    double gain;
};

// C major, rising: C5, E5, G5.
constexpr Note kNotes[] = {{0.0, 523.25, 0.9}, {0.13, 659.26, 0.8}, {0.26, 783.99, 0.75}};

constexpr double kAttack = 0.004; // a few milliseconds of fade in: no click at each onset
constexpr double kRelease = 0.08; // the tail is faded to exact silence at the end

} // namespace

QByteArray synthesiseChime()
{
    const int frames = int(kSampleRate * kDuration);
    std::vector<double> signal(frames, 0.0);
    const double twoPi = 2.0 * std::numbers::pi;

    for (const Note& note : kNotes) {
        const int first = int(note.onset * kSampleRate);
        for (int i = first; i < frames; ++i) {
            const double t = double(i - first) / kSampleRate;
            double value = 0.0;
            for (const Partial& partial : kPartials)
                value += partial.gain * std::exp(-partial.decay * t) *
                         std::sin(twoPi * note.frequency * partial.ratio * t);
            const double attack =
                t < kAttack ? std::pow(std::sin(0.5 * std::numbers::pi * t / kAttack), 2) : 1.0;
            signal[i] += note.gain * attack * value;
        }
    }

    const int releaseFrames = int(kRelease * kSampleRate);
    for (int i = 0; i < releaseFrames; ++i)
        signal[frames - 1 - i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * i / releaseFrames);

    double peak = 0.0;
    for (double v : signal)
        peak = std::max(peak, std::abs(v));
    const double scale = peak > 0.0 ? kPeak / peak : 0.0;

    const quint32 dataBytes = quint32(frames) * 2;
    QByteArray wav;
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVE", 4);
    out.writeRawData("fmt ", 4);
    out << quint32(16) << quint16(1) << quint16(1) // PCM, mono
        << quint32(kSampleRate) << quint32(kSampleRate * 2) << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    for (double v : signal)
        out << qint16(std::lround(std::clamp(v * scale, -1.0, 1.0) * 32767.0));
    return wav;
}

} // namespace tavirel::databuild
