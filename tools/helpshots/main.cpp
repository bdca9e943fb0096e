// Takes the help's pictures of the windows from the real program, off screen, on the built
// reference content and a throw-away own database holding one own herb and one own formula.
// Usage: tavirel-helpshots --program <folder with tavirel.MDB and Hdat.mdb> --out <folder>
#include "Builder.h"
#include "Windows.h"
#include "app/AppContext.h"
#include "app/Menu.h"
#include "app/MessageBox.h"
#include "button/SkinButton.h"
#include "data/DataStore.h"
#include "data/RecordSet.h"
#include "editors/AddFormulaWindow.h"
#include "editors/AddHerbWindow.h"
#include "formulas/FormulaWindow.h"
#include "formulas/Grid.h"
#include "herbs/HerbWindow.h"
#include "picture/PictureWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdio>

using namespace tavirel;

namespace {

QStringList failures;

void fail(const QString& what)
{
    failures << what;
}

template <typename T> T* child(QWidget* window, const char* name)
{
    T* found = window->findChild<T*>(QLatin1String(name));
    if (!found)
        fail(QStringLiteral("%1 has no %2").arg(window->objectName(), QLatin1String(name)));
    return found;
}

void press(QWidget* window, const char* button)
{
    if (auto* b = child<button::SkinButton>(window, button))
        b->click();
}

// Shows the window at its own size, lets it settle and writes it as a picture.
void shoot(QWidget* window, const QDir& out, const QString& name)
{
    window->show();
    QApplication::processEvents();
    if (!window->grab().save(out.filePath(name + QStringLiteral(".png"))))
        fail(QStringLiteral("could not write %1.png").arg(name));
}

void pickListEntry(QListWidget* list, const QString& text)
{
    if (!list)
        return;
    const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
    if (items.isEmpty()) {
        fail(QStringLiteral("%1 has no entry %2").arg(list->objectName(), text));
        return;
    }
    list->setCurrentItem(items.first());
    list->scrollToItem(items.first());
    emit list->itemDoubleClicked(items.first());
}

QTreeWidgetItem* treeNode(QTreeWidget* tree, const QString& text)
{
    if (!tree)
        return nullptr;
    const QList<QTreeWidgetItem*> found =
        tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty()) {
        fail(QStringLiteral("%1 has no node %2").arg(tree->objectName(), text));
        return nullptr;
    }
    for (QTreeWidgetItem* up = found.first()->parent(); up; up = up->parent())
        up->setExpanded(true);
    tree->setCurrentItem(found.first());
    tree->scrollToItem(found.first());
    return found.first();
}

void search(QWidget* window, const char* box, int field, const QString& word)
{
    auto* keyWord = child<QLineEdit>(window, box);
    auto* combo = child<QComboBox>(window, "Combo1");
    if (!keyWord || !combo)
        return;
    keyWord->setText(word);
    combo->setCurrentIndex(field);
    emit combo->activated(field);
}

bool addOwnData(data::DataStore& store)
{
    data::RecordSet herbs(store.ownDb(), QStringLiteral("ownherb"), data::RecordSet::Kind::Dynaset);
    data::RecordSet formulas(store.ownDb(), QStringLiteral("ownpres"),
                             data::RecordSet::Kind::Dynaset);
    return herbs.addNew({{"name1", "Li Pi"},
                         {"name2", "Pericarpium Pyri"},
                         {"source", "Tang Ben Cao"},
                         {"used", "Peel of the ripe pear, dried"},
                         {"taste", "Sweet, slightly sour, cool"},
                         {"meridians", "Lung, Stomach"},
                         {"functions", "Moistens the Lung and stops cough"},
                         {"indications", "Dry cough with little phlegm (my own notes)"},
                         {"dosage", "15-30 g"},
                         {"coutions", "Cough from cold"}}) &&
           formulas.addNew({{"name", "Li Pi Cough Tea"},
                            {"construction", "Li Pi,Xing Ren,Jie Geng,Gan Cao"},
                            {"dosage", "15,9,6,3"},
                            {"method", "Decoct in water; drink warm through the day"},
                            {"function", "Moistens the Lung and stops cough"},
                            {"indication", "Dry cough after a cold (my own formula)"}});
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QCommandLineParser options;
    options.addOption({"program", "folder holding tavirel.MDB and Hdat.mdb", "folder"});
    options.addOption({"out", "folder the pictures are written to", "folder"});
    options.process(application);
    const QDir program(options.value("program"));
    const QDir out(options.value("out"));
    QDir().mkpath(out.path());

    // A folder of its own: the user's own database is never touched.
    QTemporaryDir folder;
    for (const QString name : {"tavirel.MDB", "Hdat.mdb"}) {
        if (!QFile::copy(program.filePath(name), QDir(folder.path()).filePath(name))) {
            std::fprintf(stderr, "cannot copy %s\n", qPrintable(program.filePath(name)));
            return 1;
        }
    }
    QStringList errors;
    databuild::BuildRequest own;
    own.outFolder = folder.path();
    own.reference = false;
    own.sound = false;
    data::DataStore store;
    if (!databuild::build(own, &errors) || !store.open(folder.path()) || !addOwnData(store)) {
        std::fprintf(stderr, "cannot prepare the databases: %s %s\n", qPrintable(errors.join(u' ')),
                     qPrintable(store.errorString()));
        return 1;
    }
    app::MessageBox::setTestMode(true); // a message would otherwise wait for a click
    app::AppContext context{folder.path(), store, {}, {}};

    {
        // The menu as the program shows it: with quick find and the own entries' button.
        app::Menu menu(context, programWindows(context));
        menu.loadExtras();
        shoot(&menu, out, QStringLiteral("menu"));
        if (auto* find = child<QLineEdit>(&menu, "QuickFind")) {
            find->setText(QStringLiteral("ma h"));
            shoot(&menu, out, QStringLiteral("quickfind"));
        }
    }
    {
        herbs::HerbWindow window(context);
        auto* tabs = child<QTabWidget>(&window, "SSTab1");
        treeNode(child<QTreeWidget>(&window, "TreeView1"), QStringLiteral("Ma Huang"));
        child<QLineEdit>(&window, "Text10")->setText(QStringLiteral("ma h"));
        shoot(&window, out, QStringLiteral("herbs-select"));
        pickListEntry(child<QListWidget>(&window, "List1"), QStringLiteral("Ma Huang"));
        shoot(&window, out, QStringLiteral("herbs-details"));
        tabs->setCurrentIndex(2);
        search(&window, "Text1", 6, QStringLiteral("cough"));
        shoot(&window, out, QStringLiteral("herbs-search"));
        tabs->setCurrentIndex(3);
        child<QListWidget>(&window, "List3")->setCurrentRow(0);
        shoot(&window, out, QStringLiteral("herbs-own"));
    }
    {
        context.values.currentHerbName = QStringLiteral("Ma Huang");
        context.values.pictureNumber = QStringLiteral("0101");
        context.values.pictureSource = 0;
        picture::PictureWindow window(context);
        shoot(&window, out, QStringLiteral("picture"));
    }
    {
        formulas::FormulaWindow window(context);
        auto* tabs = child<QTabWidget>(&window, "SSTab1");
        auto* tree = child<QTreeWidget>(&window, "TreeView1");
        if (QTreeWidgetItem* node = treeNode(tree, QStringLiteral("Ma Huang Tang")))
            emit tree->itemClicked(node, 0);
        shoot(&window, out, QStringLiteral("formulas-select"));
        auto* grid = child<formulas::Grid>(&window, "Grid1");
        grid->setCurrent(1, 0);
        shoot(&window, out, QStringLiteral("formulas-display"));
        emit grid->doubleClicked(grid->currentIndex());
        shoot(&window, out, QStringLiteral("formulas-herb"));
        tabs->setCurrentIndex(2);
        search(&window, "Text12", 1, QStringLiteral("gui"));
        pickListEntry(child<QListWidget>(&window, "List3"), QStringLiteral("Gui Zhi Tang"));
        shoot(&window, out, QStringLiteral("formulas-search"));
        tabs->setCurrentIndex(1);
        pickListEntry(child<QListWidget>(&window, "List1"), QStringLiteral("Li Pi Cough Tea"));
        shoot(&window, out, QStringLiteral("formulas-own"));
    }
    {
        editors::AddHerbWindow window(context);
        const QList<std::pair<const char*, const char*>> typed = {
            {"Text1", "Sang Shen Zi"}, {"Text2", "Fructus Mori"}, {"Text3", "Tang Ben Cao"}};
        for (const auto& [box, text] : typed)
            child<QLineEdit>(&window, box)->setText(QLatin1String(text));
        shoot(&window, out, QStringLiteral("addherbs"));
    }
    {
        editors::AddFormulaWindow window(context);
        child<QLineEdit>(&window, "Text1")->setText(QStringLiteral("Li Pi Cough Tea Two"));
        auto* herbs = child<QListWidget>(&window, "List1");
        for (const QString name : {"Xing Ren", "Gan Cao"}) {
            const QList<QListWidgetItem*> items = herbs->findItems(name, Qt::MatchExactly);
            if (!items.isEmpty())
                items.first()->setSelected(true);
        }
        press(&window, "Command3");
        auto* grid = child<formulas::Grid>(&window, "Grid1");
        grid->setText(1, 1, QStringLiteral("9"));
        shoot(&window, out, QStringLiteral("addformulas"));
    }

    const auto shown = app::MessageBox::takeShown();
    for (const auto& message : shown)
        fail(QStringLiteral("message shown: %1").arg(message.text));
    for (const QString& failure : std::as_const(failures))
        std::fprintf(stderr, "helpshots: %s\n", qPrintable(failure));
    return failures.isEmpty() ? 0 : 1;
}
