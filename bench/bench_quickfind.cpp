// How long quick find takes for one keystroke, on the built reference content and on 10 and
// 100 times as many entries:
//   cmake -B build -DTAVIREL_BENCH=ON && cmake --build build --target bench_quickfind
//   build/bench/bench_quickfind
#include "data/Database.h"
#include "data/Schema.h"
#include "quickfind/IndexReader.h"
#include "quickfind/QuickFindIndex.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

using tavirel::quickfind::Entry;
using tavirel::quickfind::QuickFindIndex;

namespace {

const QList<Entry>& referenceEntries()
{
    static const QList<Entry> entries = [] {
        tavirel::data::Database reference;
        const QString path =
            QStringLiteral(TAVIREL_PROGRAM_DIR "/") + tavirel::data::schema::refFileName;
        if (!reference.open(path, tavirel::data::Database::Mode::ReadOnly,
                            tavirel::data::schema::refPassword))
            qFatal("can not open %s: %s", qPrintable(path), qPrintable(reference.errorString()));
        return tavirel::quickfind::readReferenceEntries(reference);
    }();
    return entries;
}

// The content times scale: copies get a number after each name, as distinct entries would.
QList<Entry> scaled(int scale)
{
    QList<Entry> entries;
    entries.reserve(referenceEntries().size() * scale);
    for (int copy = 0; copy < scale; ++copy) {
        for (Entry entry : referenceEntries()) {
            if (copy > 0) {
                const QString suffix = QStringLiteral(" %1").arg(copy);
                entry.name += suffix;
                for (auto& field : entry.fields)
                    field.text += suffix;
            }
            entries << entry;
        }
    }
    return entries;
}

const QuickFindIndex& index(int scale)
{
    static std::map<int, QuickFindIndex> indexes;
    auto found = indexes.find(scale);
    if (found == indexes.end()) {
        found = indexes.emplace(scale, QuickFindIndex{}).first;
        found->second.setReference(scaled(scale));
    }
    return found->second;
}

// Every prefix of each query, as typed one key after another; the time is per keystroke.
void typeQueries(benchmark::State& state, const QStringList& queries)
{
    const QuickFindIndex& idx = index(int(state.range(0)));
    QStringList keystrokes;
    for (const QString& query : queries) {
        for (qsizetype n = 1; n <= query.size(); ++n)
            keystrokes << query.left(n);
    }
    for (auto _ : state) {
        for (const QString& typed : keystrokes)
            benchmark::DoNotOptimize(idx.find(typed));
    }
    state.SetItemsProcessed(state.iterations() * keystrokes.size());
    state.counters["entries"] = idx.size();
    // Seconds per keystroke (shown with its unit, as "70us").
    state.counters["per_keystroke"] = benchmark::Counter(
        double(keystrokes.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void pinyin(benchmark::State& state)
{
    typeQueries(state, {QStringLiteral("ma huang tang"), QStringLiteral("baizhu")});
}
BENCHMARK(pinyin)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

void initialsAndOtherNames(benchmark::State& state)
{
    typeQueries(state, {QStringLiteral("mht"), QStringLiteral("ephedra"),
                        QStringLiteral("radix astragali"), QStringLiteral("麻黄")});
}
BENCHMARK(initialsAndOtherNames)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// One letter matches the most entries: the worst single keystroke.
void oneLetter(benchmark::State& state)
{
    typeQueries(state, {QStringLiteral("s")});
}
BENCHMARK(oneLetter)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// Start-up's share: reading and folding every reference entry.
void buildIndex(benchmark::State& state)
{
    const QList<Entry> entries = scaled(int(state.range(0)));
    for (auto _ : state) {
        QuickFindIndex idx;
        idx.setReference(entries);
        benchmark::DoNotOptimize(idx.size());
    }
}
BENCHMARK(buildIndex)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
