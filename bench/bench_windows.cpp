// The windows on content of any size, driven in-process as a user drives them. One content size
// per process, so memory figures and caches never mix:
//   bench_windows --folder build/bench/x100 [benchmark flags]
//   bench_windows --folder build/bench/x100 --memory-out FILE
// `make bench` runs it on 1x, 10x and 100x content and reports the three side by side.
#include "WindowDriver.h"
#include "Windows.h"
#include "app/MessageBox.h"
#include "app/Startup.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

using namespace tavirel;
using namespace tavirel::bench;

namespace {

QString g_folder;

// The entries stored last: walking a table from the first record finds them last, so they show
// the worst a lookup costs at each size.
struct Targets
{
    QString lastHerb;
    QString lastFormula;
    int herbs = 0;
    int formulas = 0;
};

const Targets& targets()
{
    static const Targets t = [] {
        data::Database db;
        if (!db.open(QDir(g_folder).filePath(data::schema::refFileName),
                     data::Database::Mode::ReadOnly, data::schema::refPassword))
            qFatal("%s", qPrintable(db.errorString()));
        return Targets{
            db.scalar(QStringLiteral("SELECT name1 FROM tavirel ORDER BY rowid DESC LIMIT 1"))
                .toString(),
            db.scalar(QStringLiteral("SELECT prename FROM pres ORDER BY rowid DESC LIMIT 1"))
                .toString(),
            db.scalar(QStringLiteral("SELECT count(*) FROM tavirel")).toInt(),
            db.scalar(QStringLiteral("SELECT count(*) FROM pres")).toInt()};
    }();
    return t;
}

// No benchmark may wait on a message box: any box shown is taken as a failed measurement.
bool noMessageShown(benchmark::State& state)
{
    const auto shown = app::MessageBox::takeShown();
    if (shown.isEmpty())
        return true;
    state.SkipWithError(qPrintable(QStringLiteral("message shown: ") + shown.first().text));
    return false;
}

std::unique_ptr<app::Startup>& sharedStartup()
{
    static std::unique_ptr<app::Startup> s;
    return s;
}

// The menu after start-up, shared by the window benchmarks.
app::Startup& menuShown()
{
    auto& s = sharedStartup();
    if (!s) {
        s = std::make_unique<app::Startup>(g_folder, programWindows);
        if (s->load())
            qFatal("start-up failed on %s", qPrintable(g_folder));
        showAndPaint(s->menu());
    }
    return *s;
}

// Times one part of an iteration: wall clock for the table, the thread's CPU time beside it as
// a check on how busy the shared machine was.
class Lap
{
public:
    void start()
    {
        m_cpu = threadCpuNs();
        m_wall.start();
    }
    void stop(benchmark::State& state)
    {
        state.SetIterationTime(double(m_wall.nsecsElapsed()) / 1e9);
        m_cpuTotal += threadCpuNs() - m_cpu;
    }
    void add(benchmark::State& state, const Opening& opening)
    {
        state.SetIterationTime(double(opening.wallNs) / 1e9);
        m_cpuTotal += opening.cpuNs;
    }
    void report(benchmark::State& state) const
    {
        state.counters["cpu_ms"] =
            benchmark::Counter(double(m_cpuTotal) / 1e6, benchmark::Counter::kAvgIterations);
    }

private:
    QElapsedTimer m_wall;
    qint64 m_cpu = 0;
    qint64 m_cpuTotal = 0;
};

// ---- start-up and its floor ---------------------------------------------------------------------

void startup(benchmark::State& state)
{
    sharedStartup().reset(); // one running copy per folder: the shared menu must be gone
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Lap lap;
    for (auto _ : state) {
        lap.start();
        auto s = std::make_unique<app::Startup>(g_folder, programWindows);
        if (s->load()) {
            state.SkipWithError("start-up failed");
            break;
        }
        showAndPaint(s->menu());
        lap.stop(state);
        s.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!noMessageShown(state))
            break;
    }
    lap.report(state);
}

// What no start-up can beat: the two keyed opens and an empty window of the menu's size.
void floorWindow(benchmark::State& state)
{
    const QDir folder(g_folder);
    Lap lap;
    for (auto _ : state) {
        lap.start();
        data::Database ref, pictures;
        if (!ref.open(folder.filePath(data::schema::refFileName), data::Database::Mode::ReadOnly,
                      data::schema::refPassword) ||
            !pictures.open(folder.filePath(data::schema::picFileName),
                           data::Database::Mode::ReadOnly, data::schema::picPassword)) {
            state.SkipWithError("a database did not open");
            break;
        }
        QDialog window;
        window.resize(600, 400);
        showAndPaint(window);
        lap.stop(state);
    }
    lap.report(state);
}

// ---- each window from its menu button
// ------------------------------------------------------------

void openWindow(benchmark::State& state, const QString& button)
{
    app::Startup& s = menuShown();
    Lap lap;
    for (auto _ : state) {
        const Opening shown = openFromMenu(s.menu(), button);
        if (shown.wallNs < 0) {
            state.SkipWithError("no window opened");
            break;
        }
        lap.add(state, shown);
        if (!noMessageShown(state))
            break;
    }
    lap.report(state);
}

void herbWindow(benchmark::State& state)
{
    openWindow(state, QStringLiteral("Command1"));
}
void formulaWindow(benchmark::State& state)
{
    openWindow(state, QStringLiteral("Command2"));
}
void addFormulaWindow(benchmark::State& state)
{
    openWindow(state, QStringLiteral("Command3"));
}
void addHerbWindow(benchmark::State& state)
{
    openWindow(state, QStringLiteral("Command4"));
}

// ---- what the user does in a window
// ----------------------------------------------------------------

QTabWidget* tabsOf(QDialog& window, const QString& name)
{
    auto* tabs = qobject_cast<QTabWidget*>(controlNamed(&window, name));
    if (!tabs)
        qFatal("%s is not a tab control", qPrintable(name));
    return tabs;
}

QAbstractItemView* viewOf(QWidget* window, const QString& name)
{
    auto* view = qobject_cast<QAbstractItemView*>(controlNamed(window, name));
    if (!view)
        qFatal("%s is not a list", qPrintable(name));
    return view;
}

// A herb's details: the last-stored herb picked in the name list with Enter.
void herbDetails(benchmark::State& state)
{
    Lap lap;
    openFromMenu(menuShown().menu(), QStringLiteral("Command1"), [&](QDialog& window) {
        QTabWidget* tabs = tabsOf(window, QStringLiteral("SSTab1"));
        QAbstractItemView* names = viewOf(&window, QStringLiteral("List1"));
        const QModelIndex herb = findEntry(names, targets().lastHerb);
        if (!herb.isValid()) {
            state.SkipWithError("the herb is not in the name list");
            return;
        }
        QWidget* shownName = controlNamed(tabs->widget(1), QStringLiteral("Label14"));
        for (auto _ : state) {
            tabs->setCurrentIndex(0);
            pick(names, herb);
            lap.start();
            QTest::keyClick(names, Qt::Key_Return);
            QCoreApplication::processEvents();
            lap.stop(state);
            if (tabs->currentIndex() != 1 || shownText(shownName) != targets().lastHerb) {
                state.SkipWithError("the herb's details were not shown");
                break;
            }
            if (!noMessageShown(state))
                break;
        }
    });
    lap.report(state);
}

// A formula display: the last-stored formula picked in the category tree with Enter.
void formulaDisplay(benchmark::State& state)
{
    Lap lap;
    openFromMenu(menuShown().menu(), QStringLiteral("Command2"), [&](QDialog& window) {
        QAbstractItemView* tree = viewOf(&window, QStringLiteral("TreeView1"));
        const QModelIndex formula = findEntry(tree, targets().lastFormula);
        if (!formula.isValid()) {
            state.SkipWithError("the formula is not in the tree");
            return;
        }
        QWidget* shownName = controlNamed(&window, QStringLiteral("Label2"));
        pick(tree, formula);
        for (auto _ : state) {
            lap.start();
            QTest::keyClick(tree, Qt::Key_Return);
            QCoreApplication::processEvents();
            lap.stop(state);
            if (shownText(shownName) != targets().lastFormula) {
                state.SkipWithError("the formula was not shown");
                break;
            }
            if (!noMessageShown(state))
                break;
        }
    });
    lap.report(state);
}

// A key-word search in every field for a word most entries hold, from "Go" to the list filled.
void search(benchmark::State& state, const QString& windowButton, const QString& tabsName, int tab,
            const QString& box, const QString& go, const QString& found)
{
    Lap lap;
    openFromMenu(menuShown().menu(), windowButton, [&](QDialog& window) {
        QTabWidget* tabs = tabsOf(window, tabsName);
        tabs->setCurrentIndex(tab);
        QWidget* page = tabs->widget(tab);
        auto* keyWord = qobject_cast<QLineEdit*>(controlNamed(page, box));
        auto* field = controlNamed(page, QStringLiteral("Combo1"));
        field->setProperty("currentIndex", 0); // "All Category"
        keyWord->setText(QStringLiteral("heat"));
        QWidget* goButton = controlNamed(page, go);
        QAbstractItemView* list = viewOf(page, found);
        for (auto _ : state) {
            lap.start();
            QTest::mouseClick(goButton, Qt::LeftButton);
            QCoreApplication::processEvents();
            lap.stop(state);
            if (list->model()->rowCount() == 0) {
                state.SkipWithError("the search found nothing");
                break;
            }
            if (!noMessageShown(state))
                break;
        }
        state.counters["found"] = list->model()->rowCount();
    });
    lap.report(state);
}

void herbSearch(benchmark::State& state)
{
    search(state, QStringLiteral("Command1"), QStringLiteral("SSTab1"), 2, QStringLiteral("Text1"),
           QStringLiteral("Command2"), QStringLiteral("List2"));
}

void formulaSearch(benchmark::State& state)
{
    search(state, QStringLiteral("Command2"), QStringLiteral("SSTab1"), 2, QStringLiteral("Text12"),
           QStringLiteral("Command3"), QStringLiteral("List3"));
}

// The add-formula herb list: the last herb of the list picked and added to the composition.
void addFormulaHerbList(benchmark::State& state)
{
    Lap lap;
    openFromMenu(menuShown().menu(), QStringLiteral("Command3"), [&](QDialog& window) {
        QAbstractItemView* herbs = viewOf(&window, QStringLiteral("List1"));
        QAbstractItemView* grid = viewOf(&window, QStringLiteral("Grid1"));
        QWidget* add = controlNamed(&window, QStringLiteral("Command3"));
        const QModelIndex herb = findEntry(herbs, targets().lastHerb);
        if (!herb.isValid()) {
            state.SkipWithError("the herb is not in the list");
            return;
        }
        for (auto _ : state) {
            herbs->clearSelection();
            QCoreApplication::processEvents();
            lap.start();
            pick(herbs, herb);
            QTest::mouseClick(add, Qt::LeftButton);
            QCoreApplication::processEvents();
            lap.stop(state);
            if (grid->model()
                    ->match(grid->model()->index(0, 0), Qt::DisplayRole, targets().lastHerb, 1,
                            Qt::MatchExactly)
                    .isEmpty()) {
                state.SkipWithError("the herb was not added");
                break;
            }
            if (!noMessageShown(state))
                break;
        }
    });
    lap.report(state);
}

void registerAll()
{
    const auto add = [](const char* name, void (*fn)(benchmark::State&)) {
        benchmark::RegisterBenchmark(name, fn)->UseManualTime()->Unit(benchmark::kMillisecond);
    };
    add("startup", startup);
    add("floor", floorWindow);
    add("herbWindow", herbWindow);
    add("formulaWindow", formulaWindow);
    add("addFormulaWindow", addFormulaWindow);
    add("addHerbWindow", addHerbWindow);
    add("herbDetails", herbDetails);
    add("formulaDisplay", formulaDisplay);
    add("herbSearch", herbSearch);
    add("formulaSearch", formulaSearch);
    add("addFormulaHerbList", addFormulaHerbList);
}

qlonglong statusKb(const QByteArray& status, const QByteArray& key)
{
    for (const QByteArray& line : status.split('\n')) {
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// A fresh process: start-up, then the herb window; what the process holds while it is open.
int measureMemory(const QString& outFile)
{
    QJsonObject figures;
    const auto done = qScopeGuard([] { sharedStartup().reset(); });
    // The quick-find index is read in the background after start-up; a first search waits for
    // it, so the figure is what the process holds with everything the menu keeps loaded.
    if (auto* find = menuShown().menu().findChild<QLineEdit*>(QStringLiteral("QuickFind"))) {
        QTest::keyClicks(find, QStringLiteral("ma"));
        find->clear();
    }
    openFromMenu(menuShown().menu(), QStringLiteral("Command1"), [&](QDialog&) {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            qFatal("can not read /proc/self/status");
        const QByteArray text = status.readAll();
        figures.insert(QStringLiteral("vmrss_kb"), statusKb(text, "VmRSS"));
        figures.insert(QStringLiteral("vmhwm_kb"), statusKb(text, "VmHWM"));
    });
    QFile out(outFile);
    if (figures.isEmpty() || !out.open(QIODevice::WriteOnly))
        return 1;
    out.write(QJsonDocument(figures).toJson(QJsonDocument::Compact));
    return 0;
}

QString takeOption(int& argc, char** argv, const char* name)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (qstrcmp(argv[i], name) == 0) {
            const QString value = QString::fromLocal8Bit(argv[i + 1]);
            for (int j = i; j + 2 <= argc; ++j)
                argv[j] = argv[j + 2];
            argc -= 2;
            return value;
        }
    }
    return {};
}

QtMessageHandler g_standardHandler = nullptr;

// The off-screen platform says so for every window shown; it says nothing about the program.
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    g_standardHandler(type, context, message);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_standardHandler = qInstallMessageHandler(quietOffscreen);
    QApplication application(argc, argv);
    g_folder = takeOption(argc, argv, "--folder");
    const QString memoryOut = takeOption(argc, argv, "--memory-out");
    if (g_folder.isEmpty() ||
        !QFileInfo::exists(QDir(g_folder).filePath(data::schema::refFileName))) {
        qCritical("bench_windows: --folder must name a program folder with its databases");
        return 2;
    }
    app::MessageBox::setTestMode(true);
    if (!memoryOut.isEmpty())
        return measureMemory(memoryOut);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    benchmark::AddCustomContext("folder", g_folder.toStdString());
    benchmark::AddCustomContext("herbs", std::to_string(targets().herbs));
    benchmark::AddCustomContext("formulas", std::to_string(targets().formulas));
    registerAll();
    benchmark::RunSpecifiedBenchmarks();
    sharedStartup().reset();
    benchmark::Shutdown();
    return 0;
}
