#include "app/MessageBox.h"
#include "data/DataStore.h"
#include "data/Database.h"
#include "data/RecordSet.h"
#include "data/Statement.h"
#include "formulas/FormulaSearch.h"
#include "formulas/FormulaWindow.h"
#include "formulas/Grid.h"
#include "support/TestSupport.h"
#include "support/WidgetHelpers.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTreeWidget>

using tavirel::app::MessageBox;
using tavirel::formulas::FormulaWindow;
using tavirel::formulas::Grid;
using namespace tavirel::test;

namespace {

const QString placeholder = QStringLiteral("No yourown record!");
const QString selectToDelete = QStringLiteral("Please select a formula which you want to delete.");

// The three ways of picking a formula, numbered as the tabs of SSTab1.
enum Entry { Tree, Own, Search };

// The message boxes shown since the last call, each as its icon ("!" exclamation, "?" question)
// and its text.
QStringList boxes()
{
    QStringList shown;
    for (const auto& box : MessageBox::takeShown())
        shown << QStringLiteral(" i!?x").mid(int(box.icon), 1) + ' ' + box.text;
    return shown;
}

// The data rows of the grid, each as "herb|dosage|meridians".
QStringList gridRows(const Grid* grid)
{
    QStringList rows;
    for (int row = 1; row < grid->rows(); ++row)
        rows << QStringList{grid->text(row, 0), grid->text(row, 1), grid->text(row, 2)}.join('|');
    return rows;
}

void doubleClickCell(Grid* grid, int row, int col)
{
    const QModelIndex index = grid->model()->index(row - 1, col);
    grid->scrollTo(index);
    const QPoint at = grid->visualRect(index).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
}

QTreeWidgetItem* node(QTreeWidget* view, const QString& text)
{
    const auto found = view->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

} // namespace

class TestFormulaWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        MessageBox::setTestMode(true);
        m_program = std::make_unique<OpenProgram>(QStringLiteral("formulas-window"));
        QVERIFY2(m_program->isValid(), qPrintable(m_program->errors()));
        m_program->context().values = {};
        openWindow();
    }

    void cleanup()
    {
        m_window.reset();
        m_program.reset();
    }

    void treeAndCategoryClicks()
    {
        auto* view = get<QTreeWidget>("TreeView1");
        QStringList kinds{"Exterior", "Heat", "Empty Kind"};
        for (int n = 4; n <= 20; ++n)
            kinds << QStringLiteral("Kind %1").arg(n);
        QCOMPARE(childTexts(view->invisibleRootItem()), kinds); // 25 rows in preskind1, 20 shown

        // Two level-2 kinds, each with only its own formulas; one whose number matches no level-2
        // kind (Stray Tang) and one whose level-1 number differs (Wrong Parent Tang) stay out.
        QTreeWidgetItem* exterior = view->topLevelItem(0);
        QCOMPARE(childTexts(exterior), QStringList({"Warm Exterior", "Cool Exterior"}));
        QCOMPARE(childTexts(exterior->child(0)), QStringList({"Ma Huang Tang", "Gui Zhi Tang"}));
        QCOMPARE(childTexts(exterior->child(1)), QStringList({"Yin Qiao San"}));
        // A kind whose level 2 has no name holds its formulas itself, in stored order.
        QCOMPARE(
            childTexts(view->topLevelItem(1)),
            QStringList({"Lost Herb Tang", "Short Dose Tang", "Gui's Tang", "Wrong Parent Tang"}));
        QCOMPARE(childTexts(view->topLevelItem(2)), QStringList());
        QVERIFY(!node(view, QStringLiteral("Stray Tang")));
        QVERIFY(!node(view, QStringLiteral("Far Kind Tang"))); // under kind 21
        for (QTreeWidgetItemIterator it(view); *it; ++it)
            QVERIFY(!(*it)->isExpanded());

        // Clicks on a kind or a sub-kind leave the formula shown.
        auto* grid = get<Grid>("Grid1");
        showFormula(Tree, QStringLiteral("Ma Huang Tang"));
        const QStringList rows = gridRows(grid);
        clickNode(view, exterior);
        clickNode(view, exterior->child(0));
        QCOMPARE(text("Label2"), QStringLiteral("Ma Huang Tang"));
        QCOMPARE(gridRows(grid), rows);
        QCOMPARE(text("Text2"), QStringLiteral("Releases the exterior"));

        // Changing the way of picking clears what was shown; the caption keeps the name. Entering
        // "Searching" picks "All Category" without searching (which would complain of no key word).
        QCOMPARE(get<QComboBox>("Combo1")->currentIndex(), -1);
        get<QTabWidget>("SSTab1")->setCurrentIndex(Search);
        QCOMPARE(get<QComboBox>("Combo1")->currentText(), QStringLiteral("All Category"));
        QCOMPARE(text("Label2") + text("Text1") + text("Text2") + text("Text3"), QString());
        QCOMPARE(gridRows(grid).join(QString()).remove('|'), QString());
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Formulas: Ma Huang Tang"));
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void display_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("method");
        QTest::addColumn<QStringList>("messages");
        const auto row = [](const char* what, Entry entry, const char* formula,
                            const QStringList& rows, const char* method,
                            const QStringList& messages = {}) {
            QTest::newRow(what) << int(entry) << QString(formula) << rows << QString(method)
                                << messages;
        };
        const QString maHuang = QStringLiteral("Ma Huang|9|Lung, Bladder");
        const QString guiZhi = QStringLiteral("Gui Zhi|%1|Heart, Lung, Bladder");
        const QString ganCao = QStringLiteral("Gan Cao|5|Heart, Lung, Spleen, Stomach");
        const QString xingRen = QStringLiteral("Xing Ren|3|Lung, Large Intestine");
        const QString none = QStringLiteral("||");
        row("tree: picture numbers 12,40,7 with 9,6,3", Tree, "Ma Huang Tang",
            {maHuang, guiZhi.arg(6), xingRen, none}, "Decoct, drink warm");
        row("tree: a herb missing keeps its row", Tree, "Lost Herb Tang",
            {maHuang, none, guiZhi.arg(3), none}, "Decoction", {"! Can not find the herb (0999)"});
        row("tree: fewer dosages than herbs", Tree, "Short Dose Tang",
            {maHuang, guiZhi.arg(6), none}, "Decoction");
        row("tree: name with an apostrophe", Tree, "Gui's Tang", {ganCao, none}, "Decoction");
        row("search: built-in, a missing herb drops a row", Search, "Lost Herb Tang",
            {maHuang, none, guiZhi.arg(3)}, "Decoction");
        row("search: more dosages than herbs", Search, "Extra Dose Tang", {ganCao, none},
            "Decoction");
        row("search: own formula after pres finds nothing", Search, "Half Found",
            {guiZhi.arg(6), none}, "Own simmer");
        row("own: one herb found nowhere", Own, "Half Found", {guiZhi.arg(6), none}, "Own simmer");
        row("own: built-in and own herbs", Own, "My Formula",
            {"Ma Huang|6|Lung, Bladder", "My Herb|3|Liver", "Jing Jie|2|Lung, Liver",
             "No Latin|1|Lung", "Own Blank|1|Spleen", none},
            "Boil");
        // Two herbs missing before a found one: the found herb keeps its row.
        row("own: found herb after two missing", Own, "Two Ghosts", {none, none, xingRen}, "Boil");
    }
    void display()
    {
        QFETCH(int, entry);
        QFETCH(QString, formula);

        // Nothing of the formula shown before may linger in the composition, and the composition
        // comes back into view; no herb has been picked, so the herb tab stays empty.
        showFormula(Tree, QStringLiteral("Ma Huang Tang"));
        MessageBox::takeShown();
        auto* detailTabs = get<QTabWidget>("SSTab2");
        detailTabs->setCurrentIndex(1);
        QCOMPARE(text("Label14"), QString());
        showFormula(Entry(entry), formula);

        QTEST(boxes(), "messages");
        QCOMPARE(text("Label2"), formula);
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Formulas: ") + formula);
        QCOMPARE(detailTabs->currentIndex(), 0);
        auto* grid = get<Grid>("Grid1");
        QTEST(gridRows(grid), "rows");
        QCOMPARE(grid->columnWidth(0), qRound((entry == Tree ? 2200 : 2500) / 15.0));
        // Every title is readable, and the meridians column is never narrower than asked for.
        for (int col = 0; col < 3; ++col)
            QVERIFY(grid->columnWidth(col) >= grid->horizontalHeader()->sectionSizeHint(col));
        QVERIFY(grid->columnWidth(2) >= (entry == Tree ? 5200 : 3800) / 15);
        QTEST(text("Text1"), "method");
        QVERIFY(!text("Text2").isEmpty() && !text("Text3").isEmpty());
    }

    void search_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("found");
        const auto row = [](const char* field, const char* word, const QStringList& found) {
            QTest::addRow("%s: %s", field, word) << QString(field) << QString(word) << found;
        };
        // Built-in formulas before own ones; case ignored; an apostrophe is a plain character.
        row("All Category", "wind",
            {"Gui Zhi Tang", "Ma Huang Tang", "Yin Qiao San", "My Formula"});
        row("Name", "GUI", {"Gui Zhi Tang", "Gui's Tang"});
        row("Name", "'s", {"Gui's Tang"});
        // Built-in compositions hold picture numbers, own ones herb names.
        row("Construction", "0040",
            {"Gui Zhi Tang", "Lost Herb Tang", "Ma Huang Tang", "Short Dose Tang"});
        // ... and built-in ones are found by their herbs' names too.
        row("Construction", "ma huang",
            {"Lost Herb Tang", "Ma Huang Tang", "Short Dose Tang", "My Formula"});
        row("Construction", "GUI ZHI",
            {"Gui Zhi Tang", "Lost Herb Tang", "Ma Huang Tang", "Short Dose Tang", "Half Found"});
        row("Construction", "jin yin", {"Yin Qiao San"});
        row("Method", "simmer", {"Gui Zhi Tang", "Half Found"});
        row("Function", "harmon", {"Gui Zhi Tang", "Half Found"});
        row("Indication", "COUGH", {"Half Found"});
    }
    void search()
    {
        QFETCH(QString, field);
        QFETCH(QString, word);
        get<QTabWidget>("SSTab1")->setCurrentIndex(Search);
        search(field, word);
        QTEST(entries(get<QListWidget>("List3")), "found");
        QVERIFY(MessageBox::takeShown().isEmpty());

        // A reference file without the index of the compositions' herbs finds the same.
        const auto builtIn = [&](bool withHerbIndex) {
            tavirel::data::RecordSet rows(
                m_program->context().refDb(),
                tavirel::formulas::formulaSearchQueries(field, withHerbIndex)->builtIn,
                tavirel::data::RecordSet::Kind::Snapshot, {tavirel::data::containsPattern(word)});
            QStringList names;
            for (rows.moveFirst(); !rows.eof(); rows.moveNext())
                names << rows.text(QStringLiteral("prename"));
            return names;
        };
        QCOMPARE(builtIn(false), builtIn(true));
    }

    void searchMessagesAndKeyFilter()
    {
        get<QTabWidget>("SSTab1")->setCurrentIndex(Search);
        auto* combo = get<QComboBox>("Combo1");
        auto* key = get<QLineEdit>("Text12");
        auto* list = get<QListWidget>("List3");
        list->addItem(QStringLiteral("Gone Tang"));

        // Picking a field searches at once; without a key word it says so and keeps the list.
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentText(), QStringLiteral("Name"));
        QCOMPARE(shownTexts(), QStringList({"Please input key word for searching!"}));
        QCOMPARE(entries(list), QStringList({"Gone Tang"}));

        // Only letters and blanks are typed; Enter searches, then moves the focus on.
        key->setFocus();
        QTest::keyClicks(key, QStringLiteral("Gu1'i"));
        QCOMPARE(key->text(), QStringLiteral("Gui"));
        QCOMPARE(shownTexts(),
                 QStringList({"Should press the letter!", "Should press the letter!"}));
        QTest::keyClick(key, Qt::Key_Backspace);
        QTest::keyClicks(key, QStringLiteral("i "));
        QTest::keyClick(key, Qt::Key_Return);
        QCOMPARE(key->text(), QStringLiteral("Gui "));
        QCOMPARE(entries(list), QStringList({"Gui Zhi Tang"}));
        QVERIFY(!key->hasFocus());
        QVERIFY(MessageBox::takeShown().isEmpty());

        // A stale name (a formula deleted since the search) is found in neither table.
        list->addItem(QStringLiteral("Gone Tang"));
        doubleClick(list, QStringLiteral("Gone Tang"));
        QCOMPARE(shownTexts(),
                 QStringList(
                     {"Sorry! Tavirel 1.0 do not include the informations of the prescription."}));
        QCOMPARE(text("Label2"), QStringLiteral("Gone Tang"));
        QCOMPARE(gridRows(get<Grid>("Grid1")).join(QString()).remove('|'), QString());

        // Wildcards are plain characters: nothing matches, the list is emptied.
        search(QStringLiteral("All Category"), QStringLiteral("%_"));
        QCOMPARE(list->count(), 0);
        QCOMPARE(shownTexts(),
                 QStringList({"Sorry! No key word were found. Please change key word or "
                              "the category. Try again."}));

        search(QStringLiteral("Name"), QStringLiteral("tang"));
        combo->setCurrentIndex(-1);
        QTest::mouseClick(get<QWidget>("Command3"), Qt::LeftButton);
        QCOMPARE(shownTexts(), QStringList({"Should select category of the prescription!"}));
        QCOMPARE(list->count(), 9);
    }

    void herbDetailsFromTheGrid()
    {
        ModalRecorder recorder;
        const auto& values = m_program->context().values;
        auto* tabs = get<QTabWidget>("SSTab2");
        auto* grid = get<Grid>("Grid1");
        QWidget* graphic = get<QWidget>("Command2");
        const auto herbTab = [this] {
            QStringList texts;
            for (const char* name : {"Label14", "Label4", "Text5", "Text6", "Text7", "Text8",
                                     "Text4", "Text9", "Text10", "Text11"})
                texts << text(QLatin1String(name));
            return texts;
        };
        // The detail tab up, whether "Graphic" is there, and the herb on the herb tab.
        const auto state = [&] {
            return QStringLiteral("tab %1, %2, %3")
                .arg(tabs->currentIndex())
                .arg(graphic->isHidden() ? "no Graphic" : "Graphic", text("Label14"));
        };
        const auto pick = [&](int row) {
            tabs->setCurrentIndex(0);
            doubleClickCell(grid, row, 0);
        };
        showFormula(Own, QStringLiteral("My Formula"));

        // Dosage, meridians and an empty herb cell do nothing.
        for (const auto& [row, col] : QList<std::pair<int, int>>{{1, 1}, {1, 2}, {6, 0}})
            doubleClickCell(grid, row, col);
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(values.formulaHerbName, QString());
        QVERIFY(MessageBox::takeShown().isEmpty());

        pick(1); // Ma Huang, of the herb table
        QCOMPARE(herbTab(), QStringList({"Ma Huang", "Herba Ephedrae", "Shen Nong Ben Cao Jing",
                                         "Root of Ma Huang", "Sweet, warm", "Lung, Bladder",
                                         "3-9 g", "Functions of Ma Huang",
                                         "Indications of Ma Huang", "Sweating from deficiency"}));
        QCOMPARE(state(), "tab 1, Graphic, Ma Huang");
        QTest::mouseClick(graphic, Qt::LeftButton);
        QCOMPARE(recorder.opened.size(), 1);
        QCOMPARE(recorder.opened.first().name + ' ' + recorder.opened.first().caption + ' ' +
                     values.pictureNumber + ' ' + QString::number(values.pictureSource),
                 QStringLiteral("grph Ma Huang 0012 1"));

        pick(2); // an own herb: no picture
        QCOMPARE(state(), "tab 1, no Graphic, My Herb");
        QCOMPARE(herbTab().last(), QStringLiteral("Own cautions"));

        // Herbs without a Latin name have no details, built-in or own; tab and button stay.
        pick(4);
        pick(5);
        const QString noDetails =
            QStringLiteral("Sorry! Tavirel 1.0 do not include the informations of the herb.");
        QCOMPARE(shownTexts(), QStringList({noDetails, noDetails}));
        QCOMPARE(state(), "tab 0, no Graphic, My Herb");

        pick(3); // Jing Jie: empty picture number
        QCOMPARE(state(), "tab 1, Graphic, Jing Jie");
        QTest::mouseClick(graphic, Qt::LeftButton);
        QCOMPARE(boxes(), QStringList({"! This herb had no picture!"}));
        QCOMPARE(recorder.opened.size(), 1);

        // Gui Zhi has no earliest record and no cautions: nothing of Jing Jie's stays.
        showFormula(Tree, QStringLiteral("Ma Huang Tang"));
        pick(2);
        QCOMPARE(herbTab().mid(0, 3), QStringList({"Gui Zhi", "Ramulus Cinnamomi", ""}));
        QCOMPARE(herbTab().last(), QString());

        // The pick outlives the formula and the window: the herb tab is refilled from it by hand.
        showFormula(Tree, QStringLiteral("Yin Qiao San"));
        QCOMPARE(tabs->currentIndex(), 0);
        tabs->setCurrentIndex(1);
        QCOMPARE(herbTab().first(), QStringLiteral("Gui Zhi"));
        openWindow();
        QCOMPARE(text("Label14"), QString());
        get<QTabWidget>("SSTab2")->setCurrentIndex(1);
        QCOMPARE(herbTab().first() + '|' + herbTab().at(5),
                 QStringLiteral("Gui Zhi|Heart, Lung, Bladder"));
    }

    void ownFormulas()
    {
        get<QTabWidget>("SSTab1")->setCurrentIndex(Own);
        auto* list = get<QListWidget>("List1");
        QWidget* remove = get<QWidget>("Command7");
        const QStringList all{"Half Found", "My Formula", "Two Ghosts"};
        QCOMPARE(entries(list), all);
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(shownTexts(), QStringList({selectToDelete}));

        // No keeps everything, the formula shown included.
        showFormula(Own, QStringLiteral("Half Found"));
        list->setCurrentRow(1);
        MessageBox::setNextAnswer(MessageBox::Answer::No);
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(boxes(),
                 QStringList({"? Are you sure to delete this formula from yourown database?"}));
        QCOMPARE(entries(list) + ownNames(), all + all);
        QCOMPARE(text("Label2") + '|' + get<Grid>("Grid1")->text(1, 0),
                 QStringLiteral("Half Found|Gui Zhi"));

        // Yes deletes the second of three and clears the display; the caption keeps the name.
        list->setCurrentRow(1);
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(entries(list) + ownNames(),
                 QStringList({"Half Found", "Two Ghosts", "Half Found", "Two Ghosts"}));
        QVERIFY(remove->isVisible());
        QCOMPARE(text("Label2") + text("Text1") + get<Grid>("Grid1")->text(1, 0), QString());
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Formulas: Half Found"));
        MessageBox::takeShown();
        QTest::mouseClick(remove, Qt::LeftButton); // nothing is selected after a deletion
        QCOMPARE(shownTexts(), QStringList({selectToDelete}));

        // Deleting the last one leaves the placeholder and no "Delete", as a window opened without
        // own formulas shows them; the placeholder shows nothing, and "Exit" closes the window.
        for (int n = 0; n < 2; ++n) {
            list->setCurrentRow(0);
            QTest::mouseClick(remove, Qt::LeftButton);
        }
        QCOMPARE(ownNames(), QStringList());
        for (int opening = 0; opening < 2; ++opening) {
            if (opening == 1)
                openWindow(Own);
            QCOMPARE(entries(get<QListWidget>("List1")), QStringList({placeholder}));
            QVERIFY(!get<QWidget>("Command7")->isVisible());
        }
        MessageBox::takeShown();
        doubleClick(get<QListWidget>("List1"), placeholder);
        QCOMPARE(text("Label2"), QString());
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Formulas"));
        QVERIFY(MessageBox::takeShown().isEmpty());
        QTest::mouseClick(get<QWidget>("Command1"), Qt::LeftButton);
        QVERIFY(!m_window->isVisible());
    }

    // Pictures of each tab on the built reference content (copied, with one own formula), for a
    // person to look at; only when TAVIREL_SHOTS names a folder.
    void screenshots()
    {
        const QString out = qEnvironmentVariable("TAVIREL_SHOTS");
        if (out.isEmpty())
            QSKIP("set TAVIREL_SHOTS to a folder to save screenshots");
        QTemporaryDir folder;
        for (const QString name : {"tavirel.MDB", "Hdat.mdb", "yourown.MDB"})
            QVERIFY(
                QFile::copy(TAVIREL_PROGRAM_DIR "/" + name, folder.filePath(name)) &&
                QFile::setPermissions(folder.filePath(name), QFile::ReadOwner | QFile::WriteOwner));
        tavirel::data::DataStore store;
        QVERIFY(store.open(folder.path()) &&
                store.ownDb().exec("INSERT INTO ownpres VALUES (?, ?, ?, ?, ?, ?)",
                                   {"My Cough Tea", "Ma Huang,Xing Ren,Gan Cao", "6,9,3",
                                    "Steep in hot water for ten minutes.", "Stops cough",
                                    "Cough after a cold"}));
        tavirel::app::AppContext context{folder.path(), store, {}, {}};
        const auto closeFirst = qScopeGuard([this] { m_window.reset(); }); // before the databases
        m_window = std::make_unique<FormulaWindow>(context);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()) && QDir().mkpath(out));
        const auto save = [&](const char* name) {
            QCoreApplication::processEvents(); // let the views lay out their scroll bars
            QVERIFY(m_window->grab().save(QDir(out).filePath(QLatin1String(name) + ".png")));
        };
        showFormula(Tree, QStringLiteral("Ma Huang Tang"));
        save("Pres-0-database");
        doubleClickCell(get<Grid>("Grid1"), 1, 0);
        save("Pres-herb-information");
        showFormula(Own, QStringLiteral("My Cough Tea"));
        save("Pres-1-your-own");
        showFormula(Search, QStringLiteral("Gui Zhi Tang"));
        save("Pres-2-searching");
        MessageBox::takeShown();
    }

private:
    void openWindow(int tab = 0)
    {
        m_window.reset();
        m_window = std::make_unique<FormulaWindow>(m_program->context());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        get<QTabWidget>("SSTab1")->setCurrentIndex(tab);
    }

    void showFormula(Entry entry, const QString& name)
    {
        get<QTabWidget>("SSTab1")->setCurrentIndex(entry);
        if (entry == Tree) {
            QTreeWidgetItem* formula = node(get<QTreeWidget>("TreeView1"), name);
            QVERIFY2(formula, qPrintable(name));
            clickNode(get<QTreeWidget>("TreeView1"), formula);
            return;
        }
        if (entry == Search)
            search(QStringLiteral("Name"), name);
        doubleClick(get<QListWidget>(entry == Own ? "List1" : "List3"), name);
    }

    void search(const QString& field, const QString& word)
    {
        auto* combo = get<QComboBox>("Combo1");
        get<QLineEdit>("Text12")->setText(word); // as pasted: the key filter sees no keys
        combo->setCurrentIndex(combo->findText(field));
        QTest::mouseClick(get<QWidget>("Command3"), Qt::LeftButton);
    }

    QString text(const QString& name) const { return textOf(m_window.get(), name); }
    QStringList ownNames() const
    {
        return columnValues(m_program->folder().file(QStringLiteral("yourown.MDB")), {},
                            QStringLiteral("SELECT name FROM ownpres ORDER BY name"));
    }
    template <typename T> T* get(const char* name) const
    {
        return control<T>(m_window.get(), name);
    }

    std::unique_ptr<OpenProgram> m_program;
    std::unique_ptr<FormulaWindow> m_window;
};

QTEST_MAIN(TestFormulaWindow)
#include "tst_formulawindow.moc"
