#include "app/MessageBox.h"
#include "data/DataStore.h"
#include "data/Database.h"
#include "formulas/FormulaWindow.h"
#include "formulas/Grid.h"
#include "herbs/CategoryTree.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTreeWidget>

using tavirel::app::MessageBox;
using tavirel::formulas::FormulaWindow;
using tavirel::formulas::Grid;
using tavirel::test::control;
namespace tree = tavirel::herbs::categoryTree;

namespace {

const QString noHerbInformation =
    QStringLiteral("Sorry! Tavirel 1.0 do not include the informations of the herb.");
const QString placeholder = QStringLiteral("No yourown record!");

enum Entry { Tree, Search, Own };

QStringList childTexts(QTreeWidgetItem* node)
{
    QStringList texts;
    for (int i = 0; node && i < node->childCount(); ++i)
        texts << node->child(i)->text(0);
    return texts;
}

QStringList entries(QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

QStringList shownTexts()
{
    QStringList texts;
    for (const auto& shown : MessageBox::takeShown())
        texts << shown.text;
    return texts;
}

// The data rows of the grid, each as "herb|dosage|meridians".
QStringList gridRows(const Grid* grid)
{
    QStringList rows;
    for (int row = 1; row < grid->rows(); ++row)
        rows << QStringList{grid->text(row, 0), grid->text(row, 1), grid->text(row, 2)}.join('|');
    return rows;
}

void doubleClick(QListWidget* list, const QString& text)
{
    const auto found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    list->scrollToItem(found.first());
    const QPoint at = list->visualItemRect(found.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

void doubleClickCell(Grid* grid, int row, int col)
{
    const QModelIndex index = grid->model()->index(row - 1, col);
    grid->scrollTo(index);
    const QPoint at = grid->visualRect(index).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
}

void clickNode(QTreeWidget* view, QTreeWidgetItem* node)
{
    for (QTreeWidgetItem* p = node->parent(); p; p = p->parent())
        p->setExpanded(true);
    view->scrollToItem(node);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(node).center());
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
    void init();
    void cleanup();
    void treeOfTheFirstTwentyKinds();
    void display_data();
    void display();
    void clicksThatChangeNothing();
    void search_data();
    void search();
    void searchMessagesAndKeyFilter();
    void herbDetailsFromTheGrid();
    void herbTabShowsTheLastPick();
    void deleteOwnFormulas();
    void deleteTheOnlyOwnFormula();
    void noOwnFormulas();
    void screenshots();

private:
    void openWindow();
    void showFormula(Entry entry, const QString& name);
    void search(const QString& field, const QString& word);
    QString text(const QString& name) const;
    QStringList ownNames() const;
    template <typename T> T* get(const char* name) const
    {
        return control<T>(m_window.get(), name);
    }

    std::unique_ptr<tavirel::test::OpenProgram> m_program;
    std::unique_ptr<FormulaWindow> m_window;
};

void TestFormulaWindow::init()
{
    MessageBox::setTestMode(true);
    m_program = std::make_unique<tavirel::test::OpenProgram>(QStringLiteral("formulas-window"));
    QVERIFY2(m_program->isValid(), qPrintable(m_program->errors()));
    m_program->context().values = {};
    openWindow();
}

void TestFormulaWindow::cleanup()
{
    m_window.reset();
    m_program.reset();
}

void TestFormulaWindow::openWindow()
{
    m_window.reset();
    m_window = std::make_unique<FormulaWindow>(m_program->context());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

QString TestFormulaWindow::text(const QString& name) const
{
    if (auto* label = m_window->findChild<QLabel*>(name))
        return label->text();
    if (auto* line = m_window->findChild<QLineEdit*>(name))
        return line->text();
    if (auto* plain = m_window->findChild<QPlainTextEdit*>(name))
        return plain->toPlainText();
    return QStringLiteral("<no %1>").arg(name);
}

QStringList TestFormulaWindow::ownNames() const
{
    return tavirel::test::columnValues(m_program->folder().file(QStringLiteral("yourown.MDB")), {},
                                       QStringLiteral("SELECT name FROM ownpres ORDER BY name"));
}

void TestFormulaWindow::search(const QString& field, const QString& word)
{
    auto* combo = get<QComboBox>("Combo1");
    get<QLineEdit>("Text12")->setText(word); // as pasted: the key filter sees no keys
    combo->setCurrentIndex(combo->findText(field));
    QTest::mouseClick(get<QWidget>("Command3"), Qt::LeftButton);
}

void TestFormulaWindow::showFormula(Entry entry, const QString& name)
{
    auto* tabs = get<QTabWidget>("SSTab1");
    switch (entry) {
    case Tree:
        tabs->setCurrentIndex(0);
        QVERIFY2(node(get<QTreeWidget>("TreeView1"), name), qPrintable(name));
        clickNode(get<QTreeWidget>("TreeView1"), node(get<QTreeWidget>("TreeView1"), name));
        break;
    case Search:
        tabs->setCurrentIndex(2);
        search(QStringLiteral("Name"), name);
        doubleClick(get<QListWidget>("List3"), name);
        break;
    case Own:
        tabs->setCurrentIndex(1);
        doubleClick(get<QListWidget>("List1"), name);
        break;
    }
}

void TestFormulaWindow::treeOfTheFirstTwentyKinds()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("Pres"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Formulas"));
    QCOMPARE(get<QTabWidget>("SSTab1")->currentIndex(), 0);
    QCOMPARE(get<QTabWidget>("SSTab2")->currentIndex(), 0);
    QCOMPARE(text("Label2"), QString());

    auto* view = get<QTreeWidget>("TreeView1");
    QStringList kinds{"Exterior", "Heat", "Empty Kind"};
    for (int n = 4; n <= 20; ++n)
        kinds << QStringLiteral("Kind %1").arg(n);
    QStringList roots;
    for (int i = 0; i < view->topLevelItemCount(); ++i) {
        roots << view->topLevelItem(i)->text(0);
        QCOMPARE(tree::key(view->topLevelItem(i)), roots.last());
        QCOMPARE(tree::tag(view->topLevelItem(i)), QStringLiteral("DSystem"));
    }
    QCOMPARE(roots, kinds); // 25 rows in preskind1, the first 20 shown

    // Two level-2 kinds, each with only its own formulas; one whose number matches no level-2
    // kind (Stray Tang) and one whose level-1 number differs (Wrong Parent Tang) stay out.
    QTreeWidgetItem* exterior = view->topLevelItem(0);
    QCOMPARE(childTexts(exterior), QStringList({"Warm Exterior", "Cool Exterior"}));
    QCOMPARE(tree::key(exterior->child(1)), QStringLiteral("Cool Exterior"));
    QCOMPARE(tree::tag(exterior->child(1)), QStringLiteral("DSystem"));
    QCOMPARE(childTexts(exterior->child(0)), QStringList({"Ma Huang Tang", "Gui Zhi Tang"}));
    QCOMPARE(childTexts(exterior->child(1)), QStringList({"Yin Qiao San"}));
    QCOMPARE(tree::key(exterior->child(1)->child(0)), QString());
    QCOMPARE(tree::tag(exterior->child(1)->child(0)), QString());
    // A kind whose level 2 has no name holds its formulas itself, in stored order.
    QCOMPARE(childTexts(view->topLevelItem(1)),
             QStringList({"Lost Herb Tang", "Short Dose Tang", "Gui's Tang", "Wrong Parent Tang"}));
    QCOMPARE(view->topLevelItem(2)->childCount(), 0);
    QVERIFY(!node(view, QStringLiteral("Stray Tang")));
    QVERIFY(!node(view, QStringLiteral("Far Kind Tang"))); // under kind 21
    for (QTreeWidgetItemIterator it(view); *it; ++it)
        QVERIFY(!(*it)->isExpanded());
}

void TestFormulaWindow::display_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("method");

    const QString maHuang = QStringLiteral("Ma Huang|9|Lung, Bladder");
    const QString guiZhi = QStringLiteral("Gui Zhi|%1|Heart, Lung, Bladder");
    QTest::newRow("tree: picture numbers 12,40,7 with 9,6,3")
        << int(Tree) << "Ma Huang Tang"
        << QStringList{maHuang, guiZhi.arg(6), "Xing Ren|3|Lung, Large Intestine", "||"}
        << QStringList() << "Decoct, drink warm";
    QTest::newRow("tree: a herb missing keeps its row")
        << int(Tree) << "Lost Herb Tang" << QStringList{maHuang, "||", guiZhi.arg(3), "||"}
        << QStringList{"Can not find the herb (0999)"} << "Decoction";
    QTest::newRow("tree: fewer dosages than herbs")
        << int(Tree) << "Short Dose Tang" << QStringList{maHuang, guiZhi.arg(6), "||"}
        << QStringList() << "Decoction";
    QTest::newRow("tree: name with an apostrophe")
        << int(Tree) << "Gui's Tang" << QStringList{"Gan Cao|5|Heart, Lung, Spleen, Stomach", "||"}
        << QStringList() << "Decoction";
    QTest::newRow("search: built-in, a missing herb drops a row")
        << int(Search) << "Lost Herb Tang" << QStringList{maHuang, "||", guiZhi.arg(3)}
        << QStringList() << "Decoction";
    QTest::newRow("search: more dosages than herbs")
        << int(Search) << "Extra Dose Tang"
        << QStringList{"Gan Cao|5|Heart, Lung, Spleen, Stomach", "||"} << QStringList()
        << "Decoction";
    QTest::newRow("search: own formula after pres finds nothing")
        << int(Search) << "Half Found" << QStringList{guiZhi.arg(6), "||"} << QStringList()
        << "Own simmer";
    QTest::newRow("own: one herb found nowhere")
        << int(Own) << "Half Found" << QStringList{guiZhi.arg(6), "||"} << QStringList()
        << "Own simmer";
    QTest::newRow("own: built-in and own herbs")
        << int(Own) << "My Formula"
        << QStringList{"Ma Huang|6|Lung, Bladder", "My Herb|3|Liver",    "Jing Jie|2|Lung, Liver",
                       "No Latin|1|Lung",          "Own Blank|1|Spleen", "||"}
        << QStringList() << "Boil";
    // Two herbs missing before a found one: the found herb keeps its row.
    QTest::newRow("own: found herb after two missing")
        << int(Own) << "Two Ghosts" << QStringList{"||", "||", "Xing Ren|3|Lung, Large Intestine"}
        << QStringList() << "Boil";
}

void TestFormulaWindow::display()
{
    QFETCH(int, entry);
    QFETCH(QString, formula);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, messages);
    QFETCH(QString, method);

    // Nothing of the formula shown before may linger in the composition.
    showFormula(Tree, QStringLiteral("Ma Huang Tang"));
    MessageBox::takeShown();
    auto* detailTabs = get<QTabWidget>("SSTab2");
    detailTabs->setCurrentIndex(1);       // the composition must come back into view
    QCOMPARE(text("Label14"), QString()); // no herb picked yet: the tab stays empty
    showFormula(Entry(entry), formula);

    const auto shown = MessageBox::takeShown();
    QStringList texts;
    for (const auto& box : shown) {
        texts << box.text;
        QCOMPARE(box.icon, MessageBox::Icon::Exclamation);
    }
    QCOMPARE(texts, messages);
    QCOMPARE(text("Label2"), formula);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Formulas: ") + formula);
    QCOMPARE(detailTabs->currentIndex(), 0);

    auto* grid = get<Grid>("Grid1");
    QCOMPARE(grid->rows(), rows.size() + 1);
    QCOMPARE(gridRows(grid), rows);
    QCOMPARE(QStringList({grid->text(0, 0), grid->text(0, 1), grid->text(0, 2)}),
             QStringList({"Herb", "Dosage (g)", "Meridians"}));
    QCOMPARE(grid->columnWidth(0), qRound((entry == Tree ? 2200 : 2500) / 15.0));
    // Every title is readable, and the meridians column is never narrower than asked for.
    for (int col = 0; col < 3; ++col)
        QVERIFY(grid->columnWidth(col) >= grid->horizontalHeader()->sectionSizeHint(col));
    QVERIFY(grid->columnWidth(2) >= (entry == Tree ? 5200 : 3800) / 15);
    QCOMPARE(text("Text1"), method);
    QVERIFY(!text("Text2").isEmpty());
    QVERIFY(!text("Text3").isEmpty());
}

void TestFormulaWindow::clicksThatChangeNothing()
{
    auto* view = get<QTreeWidget>("TreeView1");
    auto* grid = get<Grid>("Grid1");
    showFormula(Tree, QStringLiteral("Ma Huang Tang"));
    const QStringList rows = gridRows(grid);
    clickNode(view, view->topLevelItem(0));
    clickNode(view, view->topLevelItem(0)->child(0));
    QCOMPARE(text("Label2"), QStringLiteral("Ma Huang Tang"));
    QCOMPARE(gridRows(grid), rows);
    QCOMPARE(text("Text2"), QStringLiteral("Releases the exterior"));

    // Changing the way of picking clears what was shown; the caption keeps the name. Entering
    // "Searching" picks "All Category" without searching (which would complain of no key word).
    auto* combo = get<QComboBox>("Combo1");
    QCOMPARE(combo->currentIndex(), -1);
    get<QTabWidget>("SSTab1")->setCurrentIndex(2);
    QCOMPARE(combo->currentText(), QStringLiteral("All Category"));
    QCOMPARE(text("Label2"), QString());
    QCOMPARE(text("Text1") + text("Text2") + text("Text3"), QString());
    QCOMPARE(gridRows(grid).join(QString()).remove('|'), QString());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Formulas: Ma Huang Tang"));
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void TestFormulaWindow::search_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QStringList>("found");

    QTest::newRow("all fields, built-in before own")
        << "All Category"
        << "wind" << QStringList{"Gui Zhi Tang", "Ma Huang Tang", "Yin Qiao San", "My Formula"};
    QTest::newRow("name ignores case") << "Name"
                                       << "GUI" << QStringList{"Gui Zhi Tang", "Gui's Tang"};
    QTest::newRow("name, pasted apostrophe") << "Name"
                                             << "'s" << QStringList{"Gui's Tang"};
    QTest::newRow("construction, picture numbers")
        << "Construction"
        << "0040"
        << QStringList{"Gui Zhi Tang", "Lost Herb Tang", "Ma Huang Tang", "Short Dose Tang"};
    QTest::newRow("construction, herb names of own formulas")
        << "Construction"
        << "ma huang" << QStringList{"My Formula"};
    QTest::newRow("method") << "Method"
                            << "simmer" << QStringList{"Gui Zhi Tang", "Half Found"};
    QTest::newRow("function") << "Function"
                              << "harmon" << QStringList{"Gui Zhi Tang", "Half Found"};
    QTest::newRow("indication, own only") << "Indication"
                                          << "COUGH" << QStringList{"Half Found"};
}

void TestFormulaWindow::search()
{
    QFETCH(QString, field);
    QFETCH(QString, word);
    QFETCH(QStringList, found);
    get<QTabWidget>("SSTab1")->setCurrentIndex(2);
    search(field, word);
    QCOMPARE(entries(get<QListWidget>("List3")), found);
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void TestFormulaWindow::searchMessagesAndKeyFilter()
{
    get<QTabWidget>("SSTab1")->setCurrentIndex(2);
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

    key->setFocus();
    QTest::keyClicks(key, QStringLiteral("Gu1'i"));
    QCOMPARE(key->text(), QStringLiteral("Gui"));
    QCOMPARE(shownTexts(), QStringList({"Should press the letter!", "Should press the letter!"}));
    QTest::keyClick(key, Qt::Key_Backspace);
    QTest::keyClicks(key, QStringLiteral("i "));
    QCOMPARE(key->text(), QStringLiteral("Gui "));

    // Enter searches, then moves the focus on.
    QTest::keyClick(key, Qt::Key_Return);
    QCOMPARE(entries(list), QStringList({"Gui Zhi Tang"}));
    QVERIFY(!key->hasFocus());
    QVERIFY(MessageBox::takeShown().isEmpty());

    // A stale name (a formula deleted since the search) is found in neither table.
    list->addItem(QStringLiteral("Gone Tang"));
    doubleClick(list, QStringLiteral("Gone Tang"));
    QCOMPARE(
        shownTexts(),
        QStringList({"Sorry! Tavirel 1.0 do not include the informations of the prescription."}));
    QCOMPARE(text("Label2"), QStringLiteral("Gone Tang"));
    QCOMPARE(gridRows(get<Grid>("Grid1")).join(QString()).remove('|'), QString());

    // Wildcards are plain characters: nothing matches, the list is emptied.
    search(QStringLiteral("All Category"), QStringLiteral("%_"));
    QCOMPARE(list->count(), 0);
    QCOMPARE(shownTexts(), QStringList({"Sorry! No key word were found. Please change key word or "
                                        "the category. Try again."}));

    search(QStringLiteral("Name"), QStringLiteral("tang"));
    combo->setCurrentIndex(-1);
    QTest::mouseClick(get<QWidget>("Command3"), Qt::LeftButton);
    QCOMPARE(shownTexts(), QStringList({"Should select category of the prescription!"}));
    QCOMPARE(list->count(), 9);
}

void TestFormulaWindow::herbDetailsFromTheGrid()
{
    tavirel::test::ModalRecorder recorder;
    auto& values = m_program->context().values;
    auto* tabs = get<QTabWidget>("SSTab2");
    auto* grid = get<Grid>("Grid1");
    QWidget* graphic = get<QWidget>("Command2");
    showFormula(Own, QStringLiteral("My Formula"));

    // Dosage, meridians and an empty herb cell do nothing.
    for (const auto& [row, col] : QList<std::pair<int, int>>{{1, 1}, {1, 2}, {6, 0}})
        doubleClickCell(grid, row, col);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(values.formulaHerbName, QString());
    QVERIFY(MessageBox::takeShown().isEmpty());

    doubleClickCell(grid, 1, 0); // Ma Huang, of the herb table
    QCOMPARE(tabs->currentIndex(), 1);
    QCOMPARE(values.formulaHerbName, QStringLiteral("Ma Huang"));
    QCOMPARE(text("Label14"), QStringLiteral("Ma Huang"));
    QCOMPARE(text("Label4"), QStringLiteral("Herba Ephedrae"));
    QCOMPARE(text("Text5"), QStringLiteral("Shen Nong Ben Cao Jing"));
    QCOMPARE(text("Text6"), QStringLiteral("Root of Ma Huang"));
    QCOMPARE(text("Text7"), QStringLiteral("Sweet, warm"));
    QCOMPARE(text("Text8"), QStringLiteral("Lung, Bladder"));
    QCOMPARE(text("Text4"), QStringLiteral("3-9 g"));
    QCOMPARE(text("Text9"), QStringLiteral("Functions of Ma Huang"));
    QCOMPARE(text("Text10"), QStringLiteral("Indications of Ma Huang"));
    QCOMPARE(text("Text11"), QStringLiteral("Sweating from deficiency"));
    QVERIFY(graphic->isVisible());
    QTest::mouseClick(graphic, Qt::LeftButton);
    QCOMPARE(recorder.opened.size(), 1);
    QCOMPARE(recorder.opened.first().name, QStringLiteral("grph"));
    QCOMPARE(recorder.opened.first().caption, QStringLiteral("Ma Huang"));
    QCOMPARE(values.pictureNumber, QStringLiteral("0012"));
    QCOMPARE(values.pictureSource, 1);

    tabs->setCurrentIndex(0);
    doubleClickCell(grid, 2, 0); // My Herb, an own herb: no picture
    QCOMPARE(tabs->currentIndex(), 1);
    QCOMPARE(text("Label14"), QStringLiteral("My Herb"));
    QCOMPARE(text("Text11"), QStringLiteral("Own cautions"));
    QVERIFY(!graphic->isVisible());

    // Herbs without a Latin name have no details, built-in or own; tab and button stay.
    tabs->setCurrentIndex(0);
    doubleClickCell(grid, 4, 0);
    doubleClickCell(grid, 5, 0);
    QCOMPARE(shownTexts(), QStringList({noHerbInformation, noHerbInformation}));
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(!graphic->isVisible());

    doubleClickCell(grid, 3, 0); // Jing Jie: empty picture number
    QCOMPARE(tabs->currentIndex(), 1);
    QVERIFY(graphic->isVisible());
    QTest::mouseClick(graphic, Qt::LeftButton);
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().text, QStringLiteral("This herb had no picture!"));
    QCOMPARE(shown.first().icon, MessageBox::Icon::Exclamation);
    QCOMPARE(recorder.opened.size(), 1);
}

void TestFormulaWindow::herbTabShowsTheLastPick()
{
    auto* tabs = get<QTabWidget>("SSTab2");
    showFormula(Tree, QStringLiteral("Ma Huang Tang"));
    doubleClickCell(get<Grid>("Grid1"), 2, 0);
    QCOMPARE(text("Label14"), QStringLiteral("Gui Zhi"));
    QCOMPARE(text("Text5"), QString());  // no earliest record
    QCOMPARE(text("Text11"), QString()); // no cautions
    QCOMPARE(text("Text6"), QStringLiteral("Root of Gui Zhi"));

    showFormula(Tree, QStringLiteral("Yin Qiao San"));
    QCOMPARE(tabs->currentIndex(), 0);
    tabs->setCurrentIndex(1);
    QCOMPARE(text("Label14"), QStringLiteral("Gui Zhi"));

    // The pick outlives the window: a new one fills the tab by hand from it.
    openWindow();
    QCOMPARE(text("Label14"), QString());
    get<QTabWidget>("SSTab2")->setCurrentIndex(1);
    QCOMPARE(text("Label14"), QStringLiteral("Gui Zhi"));
    QCOMPARE(text("Text8"), QStringLiteral("Heart, Lung, Bladder"));
}

void TestFormulaWindow::deleteOwnFormulas()
{
    get<QTabWidget>("SSTab1")->setCurrentIndex(1);
    auto* list = get<QListWidget>("List1");
    QWidget* remove = get<QWidget>("Command7");
    QCOMPARE(entries(list), QStringList({"Half Found", "My Formula", "Two Ghosts"}));
    QVERIFY(remove->isVisible());

    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(shownTexts(), QStringList({"Please select a formula which you want to delete."}));

    doubleClick(list, QStringLiteral("Half Found"));
    list->setCurrentRow(1);
    MessageBox::setNextAnswer(MessageBox::Answer::No);
    QTest::mouseClick(remove, Qt::LeftButton);
    const auto asked = MessageBox::takeShown();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.first().text,
             QStringLiteral("Are you sure to delete this formula from yourown database?"));
    QCOMPARE(asked.first().icon, MessageBox::Icon::Question);
    QCOMPARE(entries(list), QStringList({"Half Found", "My Formula", "Two Ghosts"}));
    QCOMPARE(ownNames(), QStringList({"Half Found", "My Formula", "Two Ghosts"}));
    QCOMPARE(text("Label2"), QStringLiteral("Half Found"));
    QCOMPARE(get<Grid>("Grid1")->text(1, 0), QStringLiteral("Gui Zhi"));

    list->setCurrentRow(1);
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(entries(list), QStringList({"Half Found", "Two Ghosts"}));
    QCOMPARE(ownNames(), QStringList({"Half Found", "Two Ghosts"}));
    QVERIFY(remove->isVisible());
    QCOMPARE(text("Label2"), QString());
    QCOMPARE(get<Grid>("Grid1")->text(1, 0), QString());
    QCOMPARE(text("Text1"), QString());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Formulas: Half Found"));

    // Nothing is selected after a deletion.
    MessageBox::takeShown();
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(shownTexts(), QStringList({"Please select a formula which you want to delete."}));
}

void TestFormulaWindow::deleteTheOnlyOwnFormula()
{
    QVERIFY(m_program->context().ownDb().exec(QStringLiteral("DELETE FROM ownpres WHERE name <> ?"),
                                              {QStringLiteral("Two Ghosts")}));
    openWindow();
    get<QTabWidget>("SSTab1")->setCurrentIndex(1);
    auto* list = get<QListWidget>("List1");
    QWidget* remove = get<QWidget>("Command7");
    QCOMPARE(entries(list), QStringList({"Two Ghosts"}));
    list->setCurrentRow(0);
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(entries(list), QStringList({placeholder}));
    QVERIFY(!remove->isVisible());
    QCOMPARE(ownNames(), QStringList());
}

void TestFormulaWindow::noOwnFormulas()
{
    QVERIFY(m_program->context().ownDb().exec(QStringLiteral("DELETE FROM ownpres")));
    openWindow();
    get<QTabWidget>("SSTab1")->setCurrentIndex(1);
    auto* list = get<QListWidget>("List1");
    QCOMPARE(entries(list), QStringList({placeholder}));
    QVERIFY(!get<QWidget>("Command7")->isVisible());
    doubleClick(list, placeholder);
    QCOMPARE(text("Label2"), QString());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Formulas"));
    QVERIFY(MessageBox::takeShown().isEmpty());

    QTest::mouseClick(get<QWidget>("Command1"), Qt::LeftButton);
    QVERIFY(!m_window->isVisible());
}

// Pictures of each tab on the built reference content, for a person to look at. Runs only when
// TAVIREL_SHOTS names a folder; the databases are copied first.
void TestFormulaWindow::screenshots()
{
    const QString out = qEnvironmentVariable("TAVIREL_SHOTS");
    if (out.isEmpty())
        QSKIP("set TAVIREL_SHOTS to a folder to save screenshots");
    QDir().mkpath(out);
    cleanup();
    QTemporaryDir folder;
    for (const QString name : {"tavirel.MDB", "Hdat.mdb", "yourown.MDB"}) {
        const QString from = QDir(QStringLiteral(TAVIREL_PROGRAM_DIR)).filePath(name);
        if (!QFile::exists(from))
            QSKIP("the program folder has not been built");
        QVERIFY(QFile::copy(from, folder.filePath(name)));
        QFile(folder.filePath(name)).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
    tavirel::data::DataStore store;
    QVERIFY(store.open(folder.path()));
    QVERIFY(store.ownDb().exec(
        QStringLiteral("INSERT INTO ownpres VALUES (?, ?, ?, ?, ?, ?)"),
        {QStringLiteral("My Cough Tea"), QStringLiteral("Ma Huang,Xing Ren,Gan Cao"),
         QStringLiteral("6,9,3"), QStringLiteral("Steep in hot water for ten minutes."),
         QStringLiteral("Stops cough"), QStringLiteral("Cough after a cold")}));
    tavirel::app::AppContext context{folder.path(), store, {}, {}};
    FormulaWindow window(context);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto save = [&](const QString& name) {
        QCoreApplication::processEvents(); // let the views lay out their scroll bars
        QVERIFY(window.grab().save(QDir(out).filePath(name + QStringLiteral(".png"))));
    };
    auto* view = window.findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    QTreeWidgetItem* formula = view->topLevelItem(0);
    while (formula->childCount() > 0) {
        formula->setExpanded(true);
        formula = formula->child(0);
    }
    clickNode(view, formula);
    save(QStringLiteral("Pres-0-database"));
    auto* grid = window.findChild<Grid*>(QStringLiteral("Grid1"));
    doubleClickCell(grid, 1, 0);
    save(QStringLiteral("Pres-herb-information"));

    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    tabs->setCurrentIndex(1);
    doubleClick(window.findChild<QListWidget*>(QStringLiteral("List1")),
                QStringLiteral("My Cough Tea"));
    save(QStringLiteral("Pres-1-your-own"));
    tabs->setCurrentIndex(2);
    window.findChild<QLineEdit*>(QStringLiteral("Text12"))->setText(QStringLiteral("tang"));
    QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("Command3")), Qt::LeftButton);
    auto* found = window.findChild<QListWidget*>(QStringLiteral("List3"));
    QVERIFY(found->count() > 1);
    doubleClick(found, found->item(1)->text());
    save(QStringLiteral("Pres-2-searching"));
    MessageBox::takeShown();
}

QTEST_MAIN(TestFormulaWindow)
#include "tst_formulawindow.moc"
