#include "BenchResults.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace tavirel::bench {

namespace {

double median(QList<double> values)
{
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    const qsizetype mid = values.size() / 2;
    return values.size() % 2 ? values.at(mid) : (values.at(mid - 1) + values.at(mid)) / 2;
}

double toMs(double value, const QString& unit)
{
    if (unit == QLatin1String("ns"))
        return value / 1e6;
    if (unit == QLatin1String("us"))
        return value / 1e3;
    if (unit == QLatin1String("s"))
        return value * 1e3;
    return value;
}

bool readJson(const QString& path, QJsonObject& object, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    QJsonParseError parseError;
    object = QJsonDocument::fromJson(file.readAll(), &parseError).object();
    if (parseError.error != QJsonParseError::NoError) {
        *error = QStringLiteral("%1: %2").arg(path, parseError.errorString());
        return false;
    }
    return true;
}

QString ms(double value)
{
    if (value < 0)
        return QStringLiteral("–");
    return QString::number(value, 'f', value < 10 ? 2 : 1);
}

QString ratioCell(double ratio)
{
    return ratio < 0 ? QStringLiteral("–") : QString::number(ratio, 'f', 2);
}

QString goalCell(double ratio, double goal)
{
    if (goal <= 0)
        return QStringLiteral("–");
    const QString limit = QStringLiteral("≤ %1").arg(goal);
    if (ratio < 0)
        return limit;
    return limit + (ratio <= goal ? QStringLiteral(": met") : QStringLiteral(": **not met**"));
}

double ratio(double numerator, double denominator)
{
    return numerator < 0 || denominator <= 0 ? -1 : numerator / denominator;
}

} // namespace

const QList<Measurement>& measurements()
{
    static const QList<Measurement> rows = {
        {QStringLiteral("startup"), QStringLiteral("Start-up to the menu shown"), 1.3},
        {QStringLiteral("herbWindow"), QStringLiteral("Herb window (start), click to shown"), 2},
        {QStringLiteral("formulaWindow"), QStringLiteral("Formula window (Pres), click to shown"),
         2},
        {QStringLiteral("addFormulaWindow"),
         QStringLiteral("Add-formula window (addPres), click to shown"), 2},
        {QStringLiteral("addHerbWindow"),
         QStringLiteral("Add-herb window (addHerb), click to shown"), 0},
        {QStringLiteral("herbDetails"), QStringLiteral("A herb's details (last herb, Enter)"), 2},
        {QStringLiteral("formulaDisplay"),
         QStringLiteral("A formula display (last formula, Enter)"), 2},
        {QStringLiteral("herbSearch"), QStringLiteral("Herb search \"heat\", all fields"), 2},
        {QStringLiteral("formulaSearch"), QStringLiteral("Formula search \"heat\", all fields"), 2},
        {QStringLiteral("addFormulaHerbList"),
         QStringLiteral("Add-formula herb list: last herb picked and added"), 0},
        {QStringLiteral("floor"), QStringLiteral("Floor: empty window after the two keyed opens"),
         0},
    };
    return rows;
}

bool readSize(const QString& folder, int copies, SizeResult& result, QString* error)
{
    const QDir dir(folder);
    QJsonObject run;
    if (!readJson(dir.filePath(QStringLiteral("results-x%1.json").arg(copies)), run, error))
        return false;
    result.copies = copies;
    const QJsonObject context = run.value(QLatin1String("context")).toObject();
    result.herbs = context.value(QLatin1String("herbs")).toString().toInt();
    result.formulas = context.value(QLatin1String("formulas")).toString().toInt();

    QMap<QString, QList<double>> iterations, cpuIterations;
    QMap<QString, double> medians, cpuMedians;
    for (const QJsonValue& value : run.value(QLatin1String("benchmarks")).toArray()) {
        const QJsonObject entry = value.toObject();
        if (entry.value(QLatin1String("error_occurred")).toBool()) {
            *error = QStringLiteral("%1 failed at %2x: %3")
                         .arg(entry.value(QLatin1String("run_name")).toString())
                         .arg(copies)
                         .arg(entry.value(QLatin1String("error_message")).toString());
            return false;
        }
        const QString name =
            entry.value(QLatin1String("run_name")).toString().section(QLatin1Char('/'), 0, 0);
        const double time = toMs(entry.value(QLatin1String("real_time")).toDouble(),
                                 entry.value(QLatin1String("time_unit")).toString());
        const double cpu = entry.value(QLatin1String("cpu_ms")).toDouble(-1);
        if (entry.value(QLatin1String("run_type")).toString() == QLatin1String("aggregate")) {
            if (entry.value(QLatin1String("aggregate_name")).toString() ==
                QLatin1String("median")) {
                medians.insert(name, time);
                cpuMedians.insert(name, cpu);
            }
            result.repetitions =
                std::max(result.repetitions, entry.value(QLatin1String("repetitions")).toInt());
        } else {
            iterations[name].append(time);
            cpuIterations[name].append(cpu);
        }
    }
    for (auto it = iterations.cbegin(); it != iterations.cend(); ++it) {
        if (!medians.contains(it.key())) {
            medians.insert(it.key(), median(it.value()));
            cpuMedians.insert(it.key(), median(cpuIterations.value(it.key())));
        }
        result.repetitions = std::max(result.repetitions, int(it.value().size()));
    }
    result.medianMs = medians;
    result.medianCpuMs = cpuMedians;

    QList<double> peaks;
    for (const QString& name :
         dir.entryList({QStringLiteral("memory-x%1-*.json").arg(copies)}, QDir::Files)) {
        QJsonObject figures;
        if (readJson(dir.filePath(name), figures, error))
            peaks << figures.value(QLatin1String("vmhwm_kb")).toDouble() / 1024.0;
    }
    result.memoryMb = median(peaks);
    return true;
}

QString markdownTable(const QList<SizeResult>& sizes, Clock clock)
{
    const auto times = [clock](const SizeResult& size) {
        return clock == Clock::Wall ? size.medianMs : size.medianCpuMs;
    };
    QStringList lines;
    QString header = clock == Clock::Wall
                         ? QStringLiteral("| measurement (median wall-clock ms) |")
                         : QStringLiteral("| measurement (median CPU ms of the windows' thread) |");
    QString rule = QStringLiteral("|---|");
    for (const SizeResult& size : sizes) {
        header += QStringLiteral(" %1x |").arg(size.copies);
        rule += QStringLiteral("---:|");
    }
    const SizeResult& first = sizes.first();
    const SizeResult& last = sizes.last();
    const QString ratioTitle = QStringLiteral("%1x/%2x").arg(last.copies).arg(first.copies);
    lines << header + QStringLiteral(" %1 | goal |").arg(ratioTitle)
          << rule + QStringLiteral("---:|---|");

    QString content = QStringLiteral("| content (herbs / formulas) |");
    for (const SizeResult& size : sizes)
        content += QStringLiteral(" %1 / %2 |").arg(size.herbs).arg(size.formulas);
    lines << content + QStringLiteral(" | |");

    for (const Measurement& m : measurements()) {
        QString line = QStringLiteral("| %1 |").arg(m.caption);
        for (const SizeResult& size : sizes)
            line += QStringLiteral(" %1 |").arg(ms(times(size).value(m.key, -1)));
        const double r = ratio(times(last).value(m.key, -1), times(first).value(m.key, -1));
        lines << line + QStringLiteral(" %1 | %2 |").arg(ratioCell(r), goalCell(r, m.goal));
    }

    QString memory = QStringLiteral("| Memory at the herb window (peak resident set, MB) |");
    for (const SizeResult& size : sizes)
        memory += QStringLiteral(" %1 |").arg(ms(size.memoryMb));
    const double memoryRatio = ratio(last.memoryMb, first.memoryMb);
    lines << memory + QStringLiteral(" %1 | %2 |")
                          .arg(ratioCell(memoryRatio), goalCell(memoryRatio, 1.5));

    // The floor is measured in every run; the goal holds at the smallest content.
    QString startup = QStringLiteral("| Start-up / floor (ratio, same run) |");
    for (const SizeResult& size : sizes)
        startup += QStringLiteral(" %1 |").arg(
            ratioCell(ratio(times(size).value(QStringLiteral("startup"), -1),
                            times(size).value(QStringLiteral("floor"), -1))));
    const double floorRatio = ratio(times(first).value(QStringLiteral("startup"), -1),
                                    times(first).value(QStringLiteral("floor"), -1));
    lines
        << startup +
               QStringLiteral(" – | %1 at %2x |").arg(goalCell(floorRatio, 1.1)).arg(first.copies);
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace tavirel::bench
