#include "app/Buttons.h"
#include "app/MessageBox.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "data/Statement.h"
#include "editors/AddFormulaWindow.h"
#include "formulas/Grid.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>

using tavirel::app::MessageBox;
using tavirel::editors::AddFormulaWindow;
using tavirel::formulas::Grid;
using tavirel::test::control;

namespace {

const QString allInformations = QStringLiteral("Should Input All Informations!");
const QString addHerbFirst = QStringLiteral("Should Add Herb!");
const QString inputDosage = QStringLiteral("Should Input Dosage!");
const QString nameInUse =
    QStringLiteral("This prescription name is alreadly in datebase! Please change.");
const QString addAnother = QStringLiteral("Added completely! Add another?");
const QString selectHerb = QStringLiteral("Please select herb.");
const QString tooMany =
    QStringLiteral("Selcect herbs too more. The maximum numbers of herbs is 40! Please re-select.");
const QString selectToDelete = QStringLiteral("Please select a herb which you want to delete.");

// The fixture's herbs as the list shows them: built-in in stored order, then own in stored
// order, a name of both kinds twice.
QStringList fixtureHerbs()
{
    QStringList names = {"Ma Huang", "Gui Zhi", "O'Brien Root", "Xing Ren"};
    for (int i = 1; i <= 40; ++i)
        names << QStringLiteral("Herb %1").arg(i, 2, 10, QLatin1Char('0'));
    return names + QStringList({"Li's Herb", "Bai_Zhu%", "Gui Zhi", "Old, Herb"});
}

const QStringList fixtureFormula = {"Li's Formula", "Li's Herb,Ma Huang", "6,3",
                                    "Decoction",    "Own function",       "Own indication"};

using Composition = QList<std::pair<QString, QString>>; // herb, dosage typed

void compare(const QList<MessageBox::Shown>& shown, const QString& text,
             MessageBox::Icon icon = MessageBox::Icon::Information)
{
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().text, text);
    QCOMPARE(shown.first().icon, icon);
}

} // namespace

class TestAddPres : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void loadsAnEmptyForm();
    void addAppendsOnlyHerbsNotInTheGrid();
    void fortyHerbsAtMost_data();
    void fortyHerbsAtMost();
    void deleteAndItsEnabledState();
    void dosageEditorOpensMovesAndCommits();
    void dosageEditorScrollsWithItsCell();
    void savesTheComposition_data();
    void savesTheComposition();
    void checksInTheirOrder_data();
    void checksInTheirOrder();
    void usedNamesAreRefused_data();
    void usedNamesAreRefused();
    void noClosesAfterSaving();
    void typingStopsAtTheLimit_data();
    void typingStopsAtTheLimit();
    void rowTheDatabaseRefusesLosesNothing();
    void screenshot();

private:
    QListWidget* list() { return control<QListWidget>(m_window.get(), QStringLiteral("List1")); }
    Grid* grid() { return control<Grid>(m_window.get(), QStringLiteral("Grid1")); }
    QLineEdit* editor() { return control<QLineEdit>(m_window.get(), QStringLiteral("Text5")); }
    QWidget* widget(const QString& name) { return control<QWidget>(m_window.get(), name); }
    void click(const QString& button);
    void clickHerb(int index);
    // Selects the first list entry of each name, adding to what is selected already.
    void selectHerbs(const QStringList& names);
    void clickCell(int row, int col);
    QStringList gridColumn(int col);
    // Adds the herbs, types each dosage into its cell, and fills the four boxes.
    void compose(const QString& name, const Composition& herbs);
    void fillBoxes(const QString& name);
    QList<QStringList> ownFormulas() const;

    std::unique_ptr<tavirel::test::OpenProgram> m_program;
    std::unique_ptr<AddFormulaWindow> m_window;
};

void TestAddPres::initTestCase()
{
    m_program = std::make_unique<tavirel::test::OpenProgram>(QStringLiteral("addpres-herbs"));
    QVERIFY2(m_program->isValid(), qPrintable(m_program->errors()));
}

void TestAddPres::init()
{
    MessageBox::setTestMode(true);
    // Every case starts from the fixture's own formula: what an earlier case saved goes.
    tavirel::data::Database own;
    QVERIFY(own.open(m_program->folder().file(tavirel::data::schema::ownFileName),
                     tavirel::data::Database::Mode::ReadWrite));
    QVERIFY(own.exec(QStringLiteral("DELETE FROM ownpres WHERE name <> ?"), {fixtureFormula[0]}));
    QVERIFY(own.exec(QStringLiteral("DROP TRIGGER IF EXISTS refuse_ownpres")));
    QCOMPARE(ownFormulas(), QList<QStringList>({fixtureFormula}));
    m_window = std::make_unique<AddFormulaWindow>(m_program->context());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestAddPres::cleanup()
{
    m_window.reset();
}

void TestAddPres::click(const QString& button)
{
    QTest::mouseClick(widget(button), Qt::LeftButton);
}

void TestAddPres::clickHerb(int index)
{
    QListWidgetItem* item = list()->item(index);
    list()->scrollToItem(item);
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                      list()->visualItemRect(item).center());
}

void TestAddPres::selectHerbs(const QStringList& names)
{
    for (const QString& name : names) {
        const auto found = list()->findItems(name, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(name));
        if (!found.first()->isSelected())
            clickHerb(list()->row(found.first()));
    }
}

void TestAddPres::clickCell(int row, int col)
{
    const QModelIndex index = grid()->model()->index(row - 1, col);
    grid()->scrollTo(index);
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(index).center());
}

QStringList TestAddPres::gridColumn(int col)
{
    QStringList texts;
    for (int r = 0; r < grid()->rows(); ++r)
        texts << grid()->text(r, col);
    return texts;
}

void TestAddPres::fillBoxes(const QString& name)
{
    control<QLineEdit>(m_window.get(), QStringLiteral("Text1"))->setText(name);
    control<QLineEdit>(m_window.get(), QStringLiteral("Text2"))->setText(name + " method");
    control<QPlainTextEdit>(m_window.get(), QStringLiteral("Text3"))
        ->setPlainText(name + " functions\nsecond line");
    control<QPlainTextEdit>(m_window.get(), QStringLiteral("Text4"))
        ->setPlainText(name + " indications");
}

void TestAddPres::compose(const QString& name, const Composition& herbs)
{
    QStringList names;
    for (const auto& herb : herbs)
        names << herb.first;
    selectHerbs(names);
    click(QStringLiteral("Command3"));
    QCOMPARE(grid()->rows(), herbs.size() + 2);
    for (int r = 1; r <= herbs.size(); ++r) {
        QCOMPARE(grid()->text(r, 0), herbs.at(r - 1).first);
        clickCell(r, 1);
        QVERIFY(editor()->isVisible());
        QTest::keyClicks(editor(), herbs.at(r - 1).second);
    }
    fillBoxes(name); // the editor closes as the focus leaves it for Text1
    widget(QStringLiteral("Text1"))->setFocus();
    QVERIFY(!editor()->isVisible());
}

QList<QStringList> TestAddPres::ownFormulas() const
{
    tavirel::data::Database db;
    if (!db.open(m_program->folder().file(tavirel::data::schema::ownFileName),
                 tavirel::data::Database::Mode::ReadOnly))
        return {{db.errorString()}};
    tavirel::data::Statement rows(db, QStringLiteral("SELECT name, construction, dosage, method, "
                                                     "function, indication FROM ownpres "
                                                     "ORDER BY rowid"));
    QList<QStringList> all;
    while (rows.next()) {
        QStringList values;
        for (int i = 0; i < rows.columnCount(); ++i)
            values << rows.value(i).toString();
        all << values;
    }
    return all;
}

void TestAddPres::loadsAnEmptyForm()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("addPres"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Add Your Own Formulas"));
    QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(m_window->width() >= 616 && m_window->height() >= 567);
    const QList<std::pair<QString, QString>> captions = {{"Command1", "Save"},
                                                         {"Command2", "Exit"},
                                                         {"Command3", "Add -->"},
                                                         {"Command4", "Delete"}};
    for (const auto& [name, caption] : captions)
        QCOMPARE(tavirel::app::buttonCaption(widget(name)), caption);

    QStringList listed;
    for (int i = 0; i < list()->count(); ++i)
        listed << list()->item(i)->text();
    QCOMPARE(listed, fixtureHerbs());
    QVERIFY(list()->selectedItems().isEmpty());

    // The titles, one empty row, both titles readable.
    QCOMPARE(grid()->rows(), 2);
    QCOMPARE(gridColumn(0), QStringList({"Herb", ""}));
    QCOMPARE(gridColumn(1), QStringList({"Dosage (g)", ""}));
    QCOMPARE(grid()->columnWidth(0), 200);
    QHeaderView* header = grid()->horizontalHeader();
    QVERIFY(grid()->columnWidth(1) >
            header->fontMetrics().horizontalAdvance(QStringLiteral("Dosage (g)")));
    QVERIFY(grid()->columnWidth(0) + grid()->columnWidth(1) <= grid()->viewport()->width());
    QVERIFY(widget(QStringLiteral("Command4"))->isEnabled());
    QVERIFY(!editor()->isVisible());

    // Tab order, from the name on; Enter in the name moves on as Tab does.
    QCOMPARE(QApplication::focusWidget(), widget(QStringLiteral("Text1")));
    QStringList walked;
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, QStringList({"List1", "Grid1", "Text2", "Text3", "Text4", "Command1",
                                  "Command2", "Command3", "Command4"}));
    widget(QStringLiteral("Text1"))->setFocus();
    QTest::keyClicks(widget(QStringLiteral("Text1")), QStringLiteral("Half typed"));
    QTest::keyClick(widget(QStringLiteral("Text1")), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), list());

    // Escape keeps the window; Exit closes it without writing.
    QTest::keyClick(list(), Qt::Key_Escape);
    QVERIFY(m_window->isVisible());
    click(QStringLiteral("Command2"));
    QVERIFY(!m_window->isVisible());
    QCOMPARE(ownFormulas().size(), 1);
    QCOMPARE(MessageBox::takeShown().size(), 0);
}

void TestAddPres::addAppendsOnlyHerbsNotInTheGrid()
{
    click(QStringLiteral("Command3"));
    compare(MessageBox::takeShown(), selectHerb);
    QCOMPARE(grid()->rows(), 2);

    selectHerbs({"Xing Ren"});
    click(QStringLiteral("Command3"));
    // The selection stays: three selected now, one of them already in the grid.
    selectHerbs({"Herb 01", "Ma Huang"});
    QCOMPARE(list()->selectedItems().size(), 3);
    click(QStringLiteral("Command3"));
    QCOMPARE(gridColumn(0), QStringList({"Herb", "Xing Ren", "Ma Huang", "Herb 01", ""}));
    QCOMPARE(list()->selectedItems().size(), 3);
    QCOMPARE(std::make_pair(grid()->row(), grid()->col()), std::make_pair(3, 0));

    // The last selected entry already in the grid leaves the current cell on the empty row.
    click(QStringLiteral("Command3"));
    QCOMPARE(grid()->rows(), 5);
    QCOMPARE(std::make_pair(grid()->row(), grid()->col()), std::make_pair(4, 0));

    // A click toggles an entry; a name listed twice goes into the grid once.
    clickHerb(0);
    QVERIFY(!list()->item(0)->isSelected());
    list()->clearSelection();
    clickHerb(1);
    clickHerb(fixtureHerbs().lastIndexOf(QStringLiteral("Gui Zhi")));
    click(QStringLiteral("Command3"));
    QCOMPARE(gridColumn(0),
             QStringList({"Herb", "Xing Ren", "Ma Huang", "Herb 01", "Gui Zhi", ""}));
    QCOMPARE(MessageBox::takeShown().size(), 0);
}

void TestAddPres::fortyHerbsAtMost_data()
{
    QTest::addColumn<QStringList>("more");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("38 + 3 refused") << QStringList({"Herb 39", "Herb 40", "Xing Ren"}) << false;
    QTest::newRow("38 + 2 accepted") << QStringList({"Herb 39", "Herb 40"}) << true;
    QTest::newRow("38 + 2, one of them in the grid already, + 1 refused")
        << QStringList({"Herb 01", "Herb 39", "Herb 40"}) << false;
}

void TestAddPres::fortyHerbsAtMost()
{
    QFETCH(QStringList, more);
    QFETCH(bool, accepted);
    QStringList first;
    for (int i = 1; i <= 38; ++i)
        first << QStringLiteral("Herb %1").arg(i, 2, 10, QLatin1Char('0'));
    selectHerbs(first);
    click(QStringLiteral("Command3"));
    QCOMPARE(grid()->rows(), 40);

    list()->clearSelection();
    selectHerbs(more);
    click(QStringLiteral("Command3"));
    if (!accepted) {
        compare(MessageBox::takeShown(), tooMany);
        QCOMPARE(grid()->rows(), 40);
        QCOMPARE(grid()->text(39, 0), QString());
        return;
    }
    QCOMPARE(MessageBox::takeShown().size(), 0);
    QCOMPARE(grid()->rows(), 42);
    QCOMPARE(grid()->text(39, 0), QStringLiteral("Herb 39"));
    QCOMPARE(grid()->text(40, 0), QStringLiteral("Herb 40"));
    QCOMPARE(grid()->text(41, 0), QString());
}

void TestAddPres::deleteAndItsEnabledState()
{
    QWidget* deleteButton = widget(QStringLiteral("Command4"));
    selectHerbs({"Ma Huang", "Gui Zhi"});
    click(QStringLiteral("Command3"));

    // With the dosage editor open: the dosage goes back into its cell, the row stays.
    clickCell(1, 1);
    QTest::keyClicks(editor(), QStringLiteral("9"));
    click(QStringLiteral("Command4"));
    compare(MessageBox::takeShown(), selectToDelete);
    QCOMPARE(gridColumn(0), QStringList({"Herb", "Ma Huang", "Gui Zhi", ""}));
    QCOMPARE(grid()->text(1, 1), QStringLiteral("9"));
    QVERIFY(!editor()->isVisible());

    // The empty last row holds no herb to delete.
    clickCell(3, 0);
    click(QStringLiteral("Command4"));
    compare(MessageBox::takeShown(), selectToDelete);

    clickCell(1, 0);
    click(QStringLiteral("Command4"));
    QCOMPARE(gridColumn(0), QStringList({"Herb", "Gui Zhi", ""}));
    QVERIFY(deleteButton->isEnabled());
    clickCell(1, 0);
    click(QStringLiteral("Command4"));
    QCOMPARE(grid()->rows(), 2);
    QVERIFY(!deleteButton->isEnabled());
    QCOMPARE(MessageBox::takeShown().size(), 0);

    // Only an "Add -->" that gets past its checks enables it again.
    list()->clearSelection();
    click(QStringLiteral("Command3"));
    compare(MessageBox::takeShown(), selectHerb);
    QVERIFY(!deleteButton->isEnabled());
    selectHerbs({"Xing Ren"});
    click(QStringLiteral("Command3"));
    QVERIFY(deleteButton->isEnabled());
    QCOMPARE(gridColumn(0), QStringList({"Herb", "Xing Ren", ""}));
}

void TestAddPres::dosageEditorOpensMovesAndCommits()
{
    selectHerbs({"Ma Huang", "Gui Zhi", "Xing Ren"});
    click(QStringLiteral("Command3"));

    // Opens over the cell, green, with the focus; the cell is empty while it is open.
    clickCell(2, 1);
    QVERIFY(editor()->isVisible());
    QCOMPARE(QApplication::focusWidget(), editor());
    QCOMPARE(QRect(editor()->mapTo(grid(), QPoint(0, 0)), editor()->size()),
             grid()->cellRect(2, 1));
    QCOMPARE(editor()->palette().color(QPalette::Base), QColor(0x80, 0xFF, 0x80));
    QTest::keyClicks(editor(), QStringLiteral("6"));
    // Keys stay in the editor: the grid's current cell does not move under it.
    QTest::keyClick(editor(), Qt::Key_Down);
    QTest::keyClick(editor(), Qt::Key_Escape);
    QCOMPARE(grid()->row(), 2);
    QVERIFY(m_window->isVisible());
    QCOMPARE(grid()->text(2, 1), QString());

    // Moves: the typed dosage lands in its cell, the editor goes to the next one.
    clickCell(1, 1);
    QCOMPARE(grid()->text(2, 1), QStringLiteral("6"));
    QCOMPARE(QRect(editor()->mapTo(grid(), QPoint(0, 0)), editor()->size()),
             grid()->cellRect(1, 1));
    QTest::keyClicks(editor(), QStringLiteral("9"));

    // Reopened on a dosage, it holds that dosage and the cell shows nothing.
    clickCell(2, 1);
    QCOMPARE(grid()->text(1, 1), QStringLiteral("9"));
    QCOMPARE(editor()->text(), QStringLiteral("6"));
    QCOMPARE(grid()->text(2, 1), QString());
    QTest::keyClick(editor(), Qt::Key_Backspace);
    QTest::keyClicks(editor(), QStringLiteral("12"));

    // Commits when the focus goes elsewhere, also when it has been emptied.
    widget(QStringLiteral("Text2"))->setFocus();
    QVERIFY(!editor()->isVisible());
    QVERIFY(editor()->text().isEmpty());
    QCOMPARE(gridColumn(1), QStringList({"Dosage (g)", "9", "12", "", ""}));
    clickCell(1, 1);
    QTest::keyClick(editor(), Qt::Key_Backspace);
    widget(QStringLiteral("Text3"))->setFocus();
    QCOMPARE(grid()->text(1, 1), QString());

    // A herb cell opens nothing; the dosage of the empty row moves to that row's herb cell.
    clickCell(3, 0);
    QVERIFY(!editor()->isVisible());
    clickCell(4, 1);
    QVERIFY(!editor()->isVisible());
    QCOMPARE(std::make_pair(grid()->row(), grid()->col()), std::make_pair(4, 0));

    // From the keyboard: Enter on a dosage cell opens the editor, Enter in it commits.
    grid()->setCurrent(3, 1);
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_Return);
    QVERIFY(editor()->isVisible());
    QTest::keyClicks(editor(), QStringLiteral("4.5"));
    QTest::keyClick(editor(), Qt::Key_Return);
    QVERIFY(!editor()->isVisible());
    QCOMPARE(QApplication::focusWidget(), grid());
    QCOMPARE(gridColumn(1), QStringList({"Dosage (g)", "", "12", "4.5", ""}));
    QCOMPARE(MessageBox::takeShown().size(), 0);
}

void TestAddPres::dosageEditorScrollsWithItsCell()
{
    QStringList many;
    for (int i = 1; i <= 38; ++i)
        many << QStringLiteral("Herb %1").arg(i, 2, 10, QLatin1Char('0'));
    selectHerbs(many);
    click(QStringLiteral("Command3"));
    clickCell(38, 1);
    QTest::keyClicks(editor(), QStringLiteral("7"));
    const auto onCell = [this] {
        return QRect(editor()->mapTo(grid(), QPoint(0, 0)), editor()->size()) ==
               grid()->cellRect(38, 1);
    };
    QVERIFY(onCell());
    QVERIFY(grid()->verticalScrollBar()->value() > 0);
    grid()->verticalScrollBar()->setValue(0);
    QVERIFY(onCell());
    QVERIFY(!grid()->viewport()->rect().intersects(editor()->geometry()));
    grid()->verticalScrollBar()->setValue(grid()->verticalScrollBar()->maximum());
    QVERIFY(onCell());
    widget(QStringLiteral("Text2"))->setFocus();
    QCOMPARE(grid()->text(38, 1), QStringLiteral("7"));
    QCOMPARE(grid()->text(37, 1), QString());
}

void TestAddPres::savesTheComposition_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Composition>("herbs");
    QTest::addColumn<QString>("construction");
    QTest::addColumn<QString>("dosage");
    QTest::newRow("two herbs") << QStringLiteral("Two Herb Tang")
                               << Composition{{"Ma Huang", "9"}, {"Gui Zhi", "12"}}
                               << QStringLiteral("Ma Huang,Gui Zhi") << QStringLiteral("9,12");
    QTest::newRow("one herb alone")
        << QStringLiteral("One Herb Tang") << Composition{{"Ma Huang", "9"}}
        << QStringLiteral("Ma Huang") << QStringLiteral("9");
    QTest::newRow("apostrophes and wildcard characters")
        << QStringLiteral("Chen's 100% Tang")
        << Composition{{"O'Brien Root", "4.5"}, {"Li's Herb", "3"}, {"Bai_Zhu%", " 1 g"}}
        << QStringLiteral("O'Brien Root,Li's Herb,Bai_Zhu%") << QStringLiteral("4.5,3, 1 g");
    QTest::newRow("a name of pattern characters")
        << QStringLiteral("Ma_Huang T*ng") << Composition{{"Xing Ren", "6"}}
        << QStringLiteral("Xing Ren") << QStringLiteral("6");
}

void TestAddPres::savesTheComposition()
{
    QFETCH(QString, name);
    QFETCH(Composition, herbs);
    QFETCH(QString, construction);
    QFETCH(QString, dosage);
    compose(name, herbs);

    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    click(QStringLiteral("Command1"));
    compare(MessageBox::takeShown(), addAnother, MessageBox::Icon::Question);
    QCOMPARE(ownFormulas(),
             QList<QStringList>({fixtureFormula,
                                 {name, construction, dosage, name + " method",
                                  name + " functions\nsecond line", name + " indications"}}));

    // Yes: an empty form for the next formula, the list filled anew with nothing selected.
    QVERIFY(m_window->isVisible());
    for (const char* box : {"Text1", "Text2"})
        QVERIFY(control<QLineEdit>(m_window.get(), QLatin1String(box))->text().isEmpty());
    for (const char* box : {"Text3", "Text4"})
        QVERIFY(
            control<QPlainTextEdit>(m_window.get(), QLatin1String(box))->toPlainText().isEmpty());
    QCOMPARE(gridColumn(0), QStringList({"Herb", ""}));
    QCOMPARE(gridColumn(1), QStringList({"Dosage (g)", ""}));
    QCOMPARE(list()->count(), fixtureHerbs().size());
    QVERIFY(list()->selectedItems().isEmpty());
    QVERIFY(widget(QStringLiteral("Command4"))->isEnabled());

    // The saved name is in use now, whatever the letter case.
    compose(name.toUpper(), {{"Gui Zhi", "3"}});
    click(QStringLiteral("Command1"));
    compare(MessageBox::takeShown(), nameInUse);
    QCOMPARE(ownFormulas().size(), 2);
}

void TestAddPres::checksInTheirOrder_data()
{
    QTest::addColumn<QString>("emptyBox"); // none when empty
    QTest::addColumn<Composition>("herbs");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("row"); // the current cell afterwards, when it matters
    QTest::addColumn<int>("col");

    const Composition none;
    // The boxes come before the composition, which comes before the name's use.
    for (const char* box : {"Text1", "Text2", "Text3", "Text4"})
        QTest::addRow("%s empty, no herb", box)
            << QString::fromLatin1(box) << none << allInformations << -1 << -1;
    QTest::newRow("no herb") << QString() << none << addHerbFirst << -1 << -1;
    QTest::newRow("an empty dosage, name in use")
        << QString() << Composition{{"Ma Huang", "9"}, {"Gui Zhi", ""}, {"Xing Ren", "3"}}
        << inputDosage << 2 << 1;
    QTest::newRow("a dosage with a comma")
        << QString() << Composition{{"Ma Huang", "9"}, {"Gui Zhi", "1,5"}, {"Xing Ren", ""}}
        << QStringLiteral("A dosage can not contain a comma (\",\"): your own formulas list "
                          "their dosages separated by commas. Please change.")
        << 2 << 1;
    QTest::newRow("a herb with a comma")
        << QString() << Composition{{"Ma Huang", "9"}, {"Old, Herb", "1"}}
        << QStringLiteral("The herb \"Old, Herb\" can not be put into a formula: its name "
                          "contains a comma (\",\"), and your own formulas list their herbs "
                          "separated by commas. Please delete it.")
        << 2 << 0;
}

void TestAddPres::checksInTheirOrder()
{
    QFETCH(QString, emptyBox);
    QFETCH(Composition, herbs);
    QFETCH(QString, message);
    QFETCH(int, row);
    QFETCH(int, col);
    // Every case also names a built-in formula: the name's use is checked last.
    if (herbs.isEmpty())
        fillBoxes(QStringLiteral("Ma Huang Tang"));
    else
        compose(QStringLiteral("Ma Huang Tang"), herbs);
    if (!emptyBox.isEmpty()) {
        QWidget* box = widget(emptyBox);
        if (auto* line = qobject_cast<QLineEdit*>(box))
            line->clear();
        else
            qobject_cast<QPlainTextEdit*>(box)->clear();
    }
    const QStringList herbsShown = gridColumn(0);
    const QStringList dosagesShown = gridColumn(1);

    click(QStringLiteral("Command1"));
    compare(MessageBox::takeShown(), message);
    QCOMPARE(ownFormulas(), QList<QStringList>({fixtureFormula}));
    QCOMPARE(gridColumn(0), herbsShown);
    QCOMPARE(gridColumn(1), dosagesShown);
    if (row > 0)
        QCOMPARE(std::make_pair(grid()->row(), grid()->col()), std::make_pair(row, col));
    QVERIFY(m_window->isVisible());
}

void TestAddPres::usedNamesAreRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("built-in formula") << QStringLiteral("Ma Huang Tang");
    QTest::newRow("built-in formula, other letter case") << QStringLiteral("ma huang TANG");
    QTest::newRow("own formula with an apostrophe") << QStringLiteral("Li's Formula");
    QTest::newRow("own formula, other letter case") << QStringLiteral("LI'S FORMULA");
}

void TestAddPres::usedNamesAreRefused()
{
    QFETCH(QString, name);
    compose(name, {{"Xing Ren", "6"}});
    widget(QStringLiteral("Command1"))->setFocus();
    click(QStringLiteral("Command1"));
    compare(MessageBox::takeShown(), nameInUse);
    QCOMPARE(QApplication::focusWidget(), widget(QStringLiteral("Text1")));
    QCOMPARE(control<QLineEdit>(m_window.get(), QStringLiteral("Text1"))->text(), name);
    QCOMPARE(gridColumn(1), QStringList({"Dosage (g)", "6", ""}));
    QCOMPARE(ownFormulas(), QList<QStringList>({fixtureFormula}));
}

void TestAddPres::noClosesAfterSaving()
{
    compose(QStringLiteral("Last Tang"), {{"Herb 07", "10"}, {"Li's Herb", "2"}});
    MessageBox::setNextAnswer(MessageBox::Answer::No);
    click(QStringLiteral("Command1"));
    compare(MessageBox::takeShown(), addAnother, MessageBox::Icon::Question);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_window->result(), int(QDialog::Accepted));
    const QList<QStringList> rows = ownFormulas();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.last().mid(0, 3), QStringList({"Last Tang", "Herb 07,Li's Herb", "10,2"}));
}

void TestAddPres::typingStopsAtTheLimit_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("limit");
    QTest::newRow("Name") << QStringLiteral("Text1") << 100;
    QTest::newRow("Methods") << QStringLiteral("Text2") << 255;
    QTest::newRow("Functions") << QStringLiteral("Text3") << 255;
    QTest::newRow("Indications") << QStringLiteral("Text4") << 65535;
}

void TestAddPres::typingStopsAtTheLimit()
{
    QFETCH(QString, name);
    QFETCH(int, limit);
    QWidget* box = widget(name);
    const auto text = [box] {
        if (auto* line = qobject_cast<QLineEdit*>(box))
            return line->text();
        return qobject_cast<QPlainTextEdit*>(box)->toPlainText();
    };
    const QString full(limit - 1, QLatin1Char('x'));
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->setText(full);
    else
        qobject_cast<QPlainTextEdit*>(box)->setPlainText(full);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_A);
    QCOMPARE(MessageBox::takeShown().size(), 0);
    QTest::keyClick(box, Qt::Key_B);
    compare(MessageBox::takeShown(),
            QStringLiteral("Input text too long. The maximum bytes is %1.").arg(limit));
    QCOMPARE(text().size(), limit);
    QVERIFY(text().endsWith(QLatin1Char('a')));
}

void TestAddPres::rowTheDatabaseRefusesLosesNothing()
{
    {
        tavirel::data::Database other;
        QVERIFY(other.open(m_program->folder().file(tavirel::data::schema::ownFileName),
                           tavirel::data::Database::Mode::ReadWrite));
        QVERIFY(other.exec(QStringLiteral("CREATE TRIGGER refuse_ownpres BEFORE INSERT ON ownpres "
                                          "BEGIN SELECT RAISE(ABORT, 'disk is full'); END")));
    }
    compose(QStringLiteral("Lost Tang"), {{"Ma Huang", "9"}});
    click(QStringLiteral("Command1"));
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().text.startsWith(QLatin1String("The formula could not be saved")),
             qPrintable(shown.first().text));
    QCOMPARE(shown.first().icon, MessageBox::Icon::Exclamation);
    QVERIFY(m_window->isVisible());
    QCOMPARE(control<QLineEdit>(m_window.get(), QStringLiteral("Text1"))->text(),
             QStringLiteral("Lost Tang"));
    QCOMPARE(gridColumn(0), QStringList({"Herb", "Ma Huang", ""}));
    QCOMPARE(gridColumn(1), QStringList({"Dosage (g)", "9", ""}));
    QCOMPARE(ownFormulas(), QList<QStringList>({fixtureFormula}));
}

void TestAddPres::screenshot()
{
    const QString folder = qEnvironmentVariable("TAVIREL_SHOTS");
    if (folder.isEmpty())
        QSKIP("set TAVIREL_SHOTS to a folder to save screenshots");
    QDir().mkpath(folder);
    // In list order, as "Add -->" puts them.
    compose(QStringLiteral("Gui Zhi Tang"), {{"Ma Huang", "6"},
                                             {"Gui Zhi", "9"},
                                             {"O'Brien Root", "9"},
                                             {"Xing Ren", "3"},
                                             {"Li's Herb", "4"}});
    control<QLineEdit>(m_window.get(), QStringLiteral("Text2"))
        ->setText(QStringLiteral("Decoction; take warm, then sip hot rice porridge"));
    control<QPlainTextEdit>(m_window.get(), QStringLiteral("Text3"))
        ->setPlainText(QStringLiteral("Releases the muscle layer and harmonises the nutritive "
                                      "and protective levels"));
    control<QPlainTextEdit>(m_window.get(), QStringLiteral("Text4"))
        ->setPlainText(QStringLiteral("Wind-cold with sweating, fever and aversion to wind."));
    selectHerbs({"Herb 02"});
    clickCell(3, 1);
    QTest::keyClick(editor(), Qt::Key_Backspace);
    QTest::keyClicks(editor(), QStringLiteral("4.5"));
    QVERIFY(editor()->isVisible());
    QVERIFY(m_window->grab().save(QDir(folder).filePath(QStringLiteral("addPres.png"))));
}

QTEST_MAIN(TestAddPres)
#include "tst_addpres.moc"
