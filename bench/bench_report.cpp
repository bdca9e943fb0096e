// Reads what bench_windows wrote for each content size and prints one table of times and
// ratios; writes it as Markdown, with a plot of time against content size, beside the results:
//   bench_report build/bench 1 10 100
#include "BenchPlot.h"
#include "BenchResults.h"

#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextStream>

int main(int argc, char* argv[])
{
    // The plot is painted off screen; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = application.arguments().mid(1);
    if (args.size() < 3) {
        err << "usage: bench_report FOLDER SIZE SIZE...  (for example: build/bench 1 10 100)\n";
        return 2;
    }
    const QDir folder(args.first());
    QList<tavirel::bench::SizeResult> sizes;
    for (const QString& arg : args.mid(1)) {
        tavirel::bench::SizeResult size;
        QString error;
        if (!tavirel::bench::readSize(folder.path(), arg.toInt(), size, &error)) {
            err << "bench_report: " << error << '\n';
            return 1;
        }
        sizes << size;
    }

    // Wall clock is what the user waits; the CPU time beside it shows how much of that the
    // program itself spent, which a busy shared machine does not inflate.
    const QString table = tavirel::bench::markdownTable(sizes, tavirel::bench::Clock::Wall) +
                          QLatin1Char('\n') +
                          tavirel::bench::markdownTable(sizes, tavirel::bench::Clock::Cpu);
    out << table;
    out.flush();
    QSaveFile markdown(folder.filePath(QStringLiteral("bench.md")));
    if (!markdown.open(QIODevice::WriteOnly) || markdown.write(table.toUtf8()) < 0 ||
        !markdown.commit()) {
        err << "bench_report: " << markdown.fileName() << ": " << markdown.errorString() << '\n';
        return 1;
    }
    const QString plot = folder.filePath(QStringLiteral("bench.png"));
    const QString cpuPlot = folder.filePath(QStringLiteral("bench-cpu.png"));
    if (!tavirel::bench::plotTimes(sizes, tavirel::bench::Clock::Wall).save(plot) ||
        !tavirel::bench::plotTimes(sizes, tavirel::bench::Clock::Cpu).save(cpuPlot)) {
        err << "bench_report: can not write the plots to " << folder.path() << '\n';
        return 1;
    }
    out << "\nWritten: " << markdown.fileName() << ", " << plot << ", " << cpuPlot << '\n';
    return 0;
}
