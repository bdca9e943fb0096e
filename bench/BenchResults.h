#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace tavirel::bench {

// One row of the table: a benchmark of bench_windows and the goal its 100x/1x ratio has.
struct Measurement
{
    QString key;     // the benchmark's name
    QString caption; // what the row is called
    double goal = 0; // the highest 100x/1x ratio allowed; 0: none set
};

const QList<Measurement>& measurements();

// One content size: the medians of its run, read from the files bench_windows wrote.
struct SizeResult
{
    int copies = 0;
    int herbs = 0;
    int formulas = 0;
    int repetitions = 0;
    QMap<QString, double> medianMs;    // wall clock, by benchmark name
    QMap<QString, double> medianCpuMs; // CPU time of the thread that runs the windows
    double memoryMb = -1;              // peak resident set at the herb window (median of processes)
};

// Reads results-x<N>.json and memory-x<N>-*.json of one size from `folder`.
bool readSize(const QString& folder, int copies, SizeResult& result, QString* error);

enum class Clock { Wall, Cpu };

// The table of all sizes with the ratios and goals, as Markdown.
QString markdownTable(const QList<SizeResult>& sizes, Clock clock = Clock::Wall);

} // namespace tavirel::bench
