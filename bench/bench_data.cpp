// How long the data work behind the windows takes on the full reference content:
//   cmake -B build -DTAVIREL_BENCH=ON && cmake --build build --target bench_data
//   build/bench/bench_data
#include "data/DataStore.h"
#include "data/RecordSet.h"
#include "data/Statement.h"
#include "herbs/FormulaUsage.h"
#include "herbs/HerbSearch.h"
#include "safety/SafetyCheck.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

using tavirel::data::DataStore;
using tavirel::data::RecordSet;

namespace {

DataStore& store()
{
    static DataStore s;
    static const bool opened = s.open(QStringLiteral(TAVIREL_PROGRAM_DIR));
    if (!opened)
        qFatal("can not open the program folder: %s", qPrintable(s.errorString()));
    return s;
}

// Start-up's share: the three files and the snapshot of every herb.
void openDataStore(benchmark::State& state)
{
    for (auto _ : state) {
        DataStore s;
        benchmark::DoNotOptimize(s.open(QStringLiteral(TAVIREL_PROGRAM_DIR)));
    }
}
BENCHMARK(openDataStore)->Unit(benchmark::kMillisecond);

// The formula display looks every herb of a composition up by name: the worst case is the last.
void findLastHerbByName(benchmark::State& state)
{
    RecordSet& herbs = store().herbRecords();
    herbs.moveFirst();
    for (int i = 1; i < herbs.recordCount(); ++i)
        herbs.moveNext();
    const QString last = herbs.text(QStringLiteral("name1"));
    for (auto _ : state) {
        herbs.moveFirst();
        benchmark::DoNotOptimize(herbs.findFirst(QStringLiteral("name1"), last));
    }
}
BENCHMARK(findLastHerbByName);

// A key-word search over every field of every built-in herb.
void searchAllFields(benchmark::State& state)
{
    const auto queries = tavirel::herbs::herbSearchQueries(QStringLiteral("All Category"));
    for (auto _ : state) {
        RecordSet found(store().refDb(), queries->builtIn, RecordSet::Kind::Snapshot,
                        {tavirel::data::containsPattern(QStringLiteral("cough"))});
        benchmark::DoNotOptimize(found.recordCount());
    }
}
BENCHMARK(searchAllFields)->Unit(benchmark::kMillisecond);

// The herb window's tree and list read whole tables.
void readHerbTable(benchmark::State& state)
{
    for (auto _ : state) {
        RecordSet herbs(store().refDb(), QStringLiteral("tavirel"), RecordSet::Kind::Snapshot);
        benchmark::DoNotOptimize(herbs.recordCount());
    }
}
BENCHMARK(readHerbTable)->Unit(benchmark::kMillisecond);

// The herb details tab's "Formulas with this herb" for a herb in many formulas (Gan Cao).
void formulasWithAHerb(benchmark::State& state)
{
    RecordSet& herbs = store().herbRecords();
    herbs.moveFirst();
    herbs.findFirst(QStringLiteral("name1"), QStringLiteral("Gan Cao"));
    const QString picno = herbs.text(QStringLiteral("picno"));
    for (auto _ : state)
        benchmark::DoNotOptimize(tavirel::herbs::formulasWithHerb(
            store().refDb(), store().ownDb(), QStringLiteral("Gan Cao"), picno));
}
BENCHMARK(formulasWithAHerb)->Unit(benchmark::kMillisecond);

// The safety check of a large composition: its facts read and every pair tried.
void safetyCheckOfAComposition(benchmark::State& state)
{
    QList<tavirel::safety::DosedHerb> herbs;
    QStringList names;
    RecordSet& all = store().herbRecords();
    all.moveFirst();
    for (int i = 0; i < 20 && !all.eof(); ++i, all.moveNext()) {
        herbs.append({all.text(QStringLiteral("name1")), QStringLiteral("9")});
        names << herbs.last().name;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(tavirel::safety::checkComposition(
            herbs, tavirel::safety::SafetyFacts::load(store().refDb(), names)));
}
BENCHMARK(safetyCheckOfAComposition)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
