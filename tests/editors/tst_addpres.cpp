#include "app/MessageBox.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "editors/AddFormulaWindow.h"
#include "editors/InputLimit.h"
#include "formulas/Grid.h"
#include "support/TestSupport.h"
#include "support/WidgetHelpers.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QScopeGuard>
#include <QScrollBar>

using tavirel::app::MessageBox;
using tavirel::editors::AddFormulaWindow;
using tavirel::editors::InputLimit;
using tavirel::formulas::Grid;
using namespace tavirel::test;

namespace {

const QString nameInUse = "This prescription name is alreadly in datebase! Please change.";
const QString selectHerb = "Please select herb.";
const QString selectToDelete = "Please select a herb which you want to delete.";

// The fixture's numbered herbs, "Herb 01" on.
QStringList numbered(int from, int to)
{
    QStringList names;
    for (int i = from; i <= to; ++i)
        names << QStringLiteral("Herb %1").arg(i, 2, 10, QLatin1Char('0'));
    return names;
}

// The list: built-in herbs in stored order, then own ones in stored order, a name of both twice.
const QStringList fixtureHerbs = QStringList{"Ma Huang", "Gui Zhi", "O'Brien Root", "Xing Ren"} +
                                 numbered(1, 40) +
                                 QStringList{"Li's Herb", "Bai_Zhu%", "Gui Zhi", "Old, Herb"};
// The fixture's own formula as ownFormulas() lists it.
const QString fixtureFormula =
    "Li's Formula|Li's Herb,Ma Huang|6,3|Decoction|Own function|Own indication";

using Composition = QList<std::pair<QString, QString>>; // herb, dosage typed
using Cell = std::pair<int, int>;

} // namespace

class TestAddPres : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_program = std::make_unique<OpenProgram>("addpres-herbs");
        QVERIFY2(m_program->isValid(), qPrintable(m_program->errors()));
    }

    void init()
    {
        MessageBox::setTestMode(true);
        // Every case starts from the fixture's own formula: what an earlier case saved goes.
        tavirel::data::Database own;
        QVERIFY(own.open(m_program->folder().file(tavirel::data::schema::ownFileName),
                         tavirel::data::Database::Mode::ReadWrite));
        QVERIFY(own.exec(QStringLiteral("DELETE FROM ownpres WHERE name <> 'Li''s Formula'")));
        // The database itself refuses one name, as a full disk would refuse any.
        QVERIFY(
            own.exec(QStringLiteral("CREATE TRIGGER IF NOT EXISTS refuse BEFORE INSERT ON ownpres "
                                    "WHEN new.name = 'Lost Tang' BEGIN SELECT RAISE(ABORT, "
                                    "'disk is full'); END")));
        QCOMPARE(ownFormulas(), QStringList{fixtureFormula});
        m_window = std::make_unique<AddFormulaWindow>(m_program->context());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup() { m_window.reset(); }

    // The form as it opens, its boxes, and Exit writing nothing.
    void formAndExit()
    {
        QCOMPARE(entries(list()), fixtureHerbs);
        QVERIFY(list()->selectedItems().isEmpty());
        QCOMPARE(gridColumn(0) + gridColumn(1), QStringList({"Herb", "", "Dosage (g)", ""}));
        // Both titles readable: the dosage column is wider than its title.
        QVERIFY(grid()->columnWidth(1) >
                grid()->horizontalHeader()->fontMetrics().horizontalAdvance("Dosage (g)"));
        QVERIFY(grid()->columnWidth(0) + grid()->columnWidth(1) <= grid()->viewport()->width());

        // Enter in the name moves on as Tab does; Escape keeps the window.
        QCOMPARE(QApplication::focusWidget(), widget("Text1"));
        QTest::keyClicks(widget("Text1"), "Half typed");
        QTest::keyClick(widget("Text1"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), list());
        QTest::keyClick(list(), Qt::Key_Escape);
        QVERIFY(m_window->isVisible());

        // The limits of the four boxes (the add-herb suite types and pastes at a limit).
        QList<int> limits;
        for (const char* box : {"Text1", "Text2", "Text3", "Text4"})
            limits << (InputLimit::of(widget(box)) ? InputLimit::of(widget(box))->limit() : 0);
        QCOMPARE(limits, QList<int>({100, 255, 255, 65535}));

        click("Command2");
        QVERIFY(!m_window->isVisible());
        QCOMPARE(ownFormulas(), QStringList{fixtureFormula});
        QCOMPARE(shownTexts(), QStringList());
    }

    void addAndDelete()
    {
        QWidget* deleteButton = widget("Command4");
        QVERIFY(deleteButton->isEnabled());
        click("Command3");
        selectHerbs({"Xing Ren"});
        click("Command3");
        // The selection stays: three selected now, one of them in the grid already.
        selectHerbs({"Herb 01", "Ma Huang"});
        click("Command3");
        QCOMPARE(gridColumn(0), QStringList({"Herb", "Xing Ren", "Ma Huang", "Herb 01", ""}));
        QCOMPARE(list()->selectedItems().size(), 3);
        QCOMPARE(current(), Cell(3, 0));
        // The last selected entry already in the grid leaves the current cell on the empty row.
        click("Command3");
        QCOMPARE(grid()->rows(), 5);
        QCOMPARE(current(), Cell(4, 0));
        // A name listed twice goes into the grid once.
        list()->clearSelection();
        clickEntry(1);
        clickEntry(fixtureHerbs.lastIndexOf("Gui Zhi"));
        click("Command3");
        QCOMPARE(gridColumn(0).mid(4), QStringList({"Gui Zhi", ""}));

        // "Delete" with the dosage editor open puts the dosage back and keeps the row; the empty
        // last row holds no herb to delete either.
        clickCell(1, 1);
        QTest::keyClicks(editor(), "9");
        click("Command4");
        QVERIFY(!editor()->isVisible());
        clickCell(5, 0);
        click("Command4");
        QCOMPARE(shownTexts(), QStringList({selectHerb, selectToDelete, selectToDelete}));
        clickCell(2, 0);
        click("Command4");
        QCOMPARE(gridColumn(0) + gridColumn(1),
                 QStringList({"Herb", "Xing Ren", "Herb 01", "Gui Zhi", "", "Dosage (g)", "9", "",
                              "", ""}));
        for (int left = 3; left > 0; --left) {
            QVERIFY(deleteButton->isEnabled());
            clickCell(1, 0);
            click("Command4");
        }
        QCOMPARE(grid()->rows(), 2);
        QVERIFY(!deleteButton->isEnabled());
        // Only an "Add -->" that gets past its checks enables it again.
        list()->clearSelection();
        click("Command3");
        QVERIFY(!deleteButton->isEnabled());
        selectHerbs({"Xing Ren"});
        click("Command3");
        QVERIFY(deleteButton->isEnabled());
        QCOMPARE(shownTexts(), QStringList{selectHerb});
    }

    // With 38 herbs in the grid, 3 more are refused, also when one of them is there already, and
    // 2 more fill it to 40 (42 rows with the title and the empty row). Then the dosage editor.
    void fortyHerbsAndTheDosageEditor()
    {
        selectHerbs(numbered(1, 38));
        click("Command3");
        for (const QStringList& more :
             {QStringList{"Herb 39", "Herb 40", "Xing Ren"},
              QStringList{"Herb 01", "Herb 39", "Herb 40"}, QStringList{"Herb 39", "Herb 40"}}) {
            list()->clearSelection();
            selectHerbs(more);
            click("Command3");
        }
        const QString tooMany =
            "Selcect herbs too more. The maximum numbers of herbs is 40! Please re-select.";
        QCOMPARE(shownTexts(), QStringList({tooMany, tooMany}));
        QCOMPARE(gridColumn(0), QStringList("Herb") + numbered(1, 40) + QStringList(""));

        const auto onCell = [this](int row) {
            return QRect(editor()->mapTo(grid(), QPoint(0, 0)), editor()->size()) ==
                   grid()->cellRect(row, 1);
        };

        // Opens over the cell with the focus, the cell empty while it is open; keys stay in it.
        clickCell(2, 1);
        QCOMPARE(QApplication::focusWidget(), editor());
        QVERIFY(editor()->isVisible() && onCell(2));
        QTest::keyClicks(editor(), "6");
        QTest::keyClick(editor(), Qt::Key_Down);
        QCOMPARE(current(), Cell(2, 1));
        QCOMPARE(grid()->text(2, 1), QString());
        // Moves, the typed dosage landing in its cell; reopened on a dosage, it holds that dosage.
        clickCell(1, 1);
        QVERIFY(onCell(1));
        QTest::keyClicks(editor(), "9");
        clickCell(2, 1);
        QCOMPARE(editor()->text(), QStringLiteral("6"));
        QCOMPARE(gridColumn(1).mid(1, 2), QStringList({"9", ""}));
        QTest::keyClick(editor(), Qt::Key_Backspace);
        QTest::keyClicks(editor(), "12");
        // Commits when the focus goes elsewhere, also when it has been emptied.
        widget("Text2")->setFocus();
        QVERIFY(!editor()->isVisible());
        clickCell(1, 1);
        QTest::keyClick(editor(), Qt::Key_Backspace);
        widget("Text3")->setFocus();
        QCOMPARE(gridColumn(1).mid(1, 2), QStringList({"", "12"}));

        // A herb cell opens nothing; the dosage of the empty row moves to that row's herb cell.
        clickCell(3, 0);
        QVERIFY(!editor()->isVisible());
        clickCell(41, 1);
        QVERIFY(!editor()->isVisible());
        QCOMPARE(current(), Cell(41, 0));

        // From the keyboard: Enter on a dosage cell opens the editor, Enter in it commits.
        grid()->setCurrent(3, 1);
        grid()->setFocus();
        QTest::keyClick(grid(), Qt::Key_Return);
        QVERIFY(editor()->isVisible());
        QTest::keyClicks(editor(), "4.5");
        QTest::keyClick(editor(), Qt::Key_Return);
        QVERIFY(!editor()->isVisible());
        QCOMPARE(QApplication::focusWidget(), grid());
        QCOMPARE(gridColumn(1).mid(0, 4), QStringList({"Dosage (g)", "", "12", "4.5"}));

        // On a row far down it stays on its cell as the grid scrolls, and out of sight with it.
        clickCell(40, 1);
        QTest::keyClicks(editor(), "7");
        QVERIFY(onCell(40));
        QVERIFY(grid()->verticalScrollBar()->value() > 0);
        grid()->verticalScrollBar()->setValue(0);
        QVERIFY(onCell(40));
        QVERIFY(!grid()->viewport()->rect().intersects(editor()->geometry()));
        widget("Text2")->setFocus();
        QCOMPARE(gridColumn(1).mid(39), QStringList({"", "7", ""}));
        QCOMPARE(shownTexts(), QStringList());
    }

    void savesTheComposition_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Composition>("herbs");
        QTest::addColumn<QString>("stored"); // construction|dosage
        QTest::addColumn<bool>("another");
        const auto row = [](const char* what, const char* name, const Composition& herbs,
                            const char* stored, bool another) {
            QTest::newRow(what) << QString(name) << herbs << QString(stored) << another;
        };
        row("two herbs, Yes", "Two Herb Tang", {{"Ma Huang", "9"}, {"Gui Zhi", "12"}},
            "Ma Huang,Gui Zhi|9,12", true);
        row("one herb alone, Yes", "One Herb Tang", {{"Ma Huang", "9"}}, "Ma Huang|9", true);
        row("apostrophes and wildcard characters, No", "Chen's 100% Tang",
            {{"O'Brien Root", "4.5"}, {"Li's Herb", "3"}, {"Bai_Zhu%", " 1 g"}},
            "O'Brien Root,Li's Herb,Bai_Zhu%|4.5,3,1 g", false); // dosages without blanks around
        row("a name of pattern characters, Yes", "Ma_Huang T*ng", {{"Xing Ren", "6"}}, "Xing Ren|6",
            true);
    }
    void savesTheComposition()
    {
        QFETCH(QString, name);
        QFETCH(Composition, herbs);
        QFETCH(QString, stored);
        QFETCH(bool, another);
        compose(name, herbs);
        MessageBox::setNextAnswer(another ? MessageBox::Answer::Yes : MessageBox::Answer::No);
        click("Command1");
        QCOMPARE(shownTexts(), QStringList{"Added completely! Add another?"});
        QCOMPARE(ownFormulas(),
                 QStringList({fixtureFormula,
                              QStringList{name, stored, name + " method",
                                          name + " functions\nsecond line", name + " indications"}
                                  .join('|')}));
        QCOMPARE(m_window->isVisible(), another);
        if (!another) {
            QCOMPARE(m_window->result(), int(QDialog::Accepted));
            return;
        }

        // Yes: an empty form for the next formula, the list filled anew with nothing selected.
        for (const char* box : {"Text1", "Text2", "Text3", "Text4"})
            QCOMPARE(textOf(m_window.get(), box), QString());
        QCOMPARE(gridColumn(0) + gridColumn(1), QStringList({"Herb", "", "Dosage (g)", ""}));
        QCOMPARE(entries(list()), fixtureHerbs);
        QVERIFY(list()->selectedItems().isEmpty());
        QVERIFY(widget(QStringLiteral("Command4"))->isEnabled());

        // The saved name is in use now, whatever the letter case.
        compose(name.toUpper(), {{"Gui Zhi", "3"}});
        click("Command1");
        QCOMPARE(shownTexts(), QStringList{nameInUse});
        QCOMPARE(ownFormulas().size(), 2);
    }

    // Save asks before it stores a composition the safety check has findings for; No keeps
    // everything composed.
    void safetyFindingsAreAskedAbout_data()
    {
        QTest::addColumn<Composition>("herbs");
        QTest::addColumn<QStringList>("question"); // the findings listed; none: nothing asked
        QTest::addColumn<bool>("yes");
        const QStringList pair{"Fu Zi and Ban Xia are one of the eighteen antagonisms: they are "
                               "not to be used together.",
                               "Fu Zi is contraindicated in pregnancy.",
                               "Fu Zi is toxic: keep to its dose and preparation."};
        const Composition both{{"Fu Zi", "6"}, {"Ban Xia", "9"}};
        QTest::newRow("antagonism, No keeps it all") << both << pair << false;
        QTest::newRow("antagonism, Yes saves") << both << pair << true;
        QTest::newRow("dose above the range")
            << Composition{{"Ban Xia", "12"}}
            << QStringList{"Ban Xia at 12 g is above its usual dose (3-9 g)."} << true;
        QTest::newRow("safe: nothing asked")
            << Composition{{"Ban Xia", "6"}} << QStringList{} << true;
    }
    void safetyFindingsAreAskedAbout()
    {
        QFETCH(Composition, herbs);
        QFETCH(QStringList, question);
        QFETCH(bool, yes);
        OpenProgram facts(QStringLiteral("facts")); // herbs with safety facts
        QVERIFY2(facts.isValid(), qPrintable(facts.errors()));
        m_window = std::make_unique<AddFormulaWindow>(facts.context());
        const auto release = qScopeGuard([this] { m_window.reset(); }); // before its program
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        compose("Checked Tang", herbs);
        const QStringList before = ownFormulas(facts);
        if (!question.isEmpty())
            MessageBox::setNextAnswer(yes ? MessageBox::Answer::Yes : MessageBox::Answer::No);
        MessageBox::setNextAnswer(MessageBox::Answer::No); // "Add another?"
        click("Command1");

        QStringList expected;
        if (!question.isEmpty())
            expected << QStringLiteral("This composition needs care:\n\n%1\n\nSave it anyway?")
                            .arg(question.join('\n'));
        if (yes)
            expected << "Added completely! Add another?";
        QCOMPARE(shownTexts(), expected);
        QStringList names, doses;
        for (const auto& [herb, dose] : herbs) {
            names << herb;
            doses << dose;
        }
        const QStringList after = ownFormulas(facts);
        if (yes) {
            QCOMPARE(after.size(), before.size() + 1);
            QVERIFY(after.last().startsWith("Checked Tang|" + names.join(',') + '|' +
                                            doses.join(',') + '|'));
            return;
        }
        // Everything typed is still there, to change.
        QCOMPARE(after, before);
        QCOMPARE(textOf(m_window.get(), "Text1"), QStringLiteral("Checked Tang"));
        QCOMPARE(gridColumn(0), QStringList{"Herb"} + names + QStringList{""});
        QVERIFY(m_window->isVisible());
    }

    void refusedSaves_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("emptyBox");
        QTest::addColumn<Composition>("herbs");
        QTest::addColumn<QString>("message");
        QTest::addColumn<Cell>("cell"); // the current cell afterwards, when it matters
        const auto row = [](const QString& what, const QString& name, const Composition& herbs,
                            const QString& message, Cell cell = {-1, -1}, const char* empty = "") {
            QTest::newRow(qPrintable(what)) << name << QString(empty) << herbs << message << cell;
        };
        // The boxes come before the composition, which comes before the name's use: every case
        // up to the name rows also names a built-in formula.
        const QString used = "Ma Huang Tang";
        for (const char* box : {"Text1", "Text2", "Text3", "Text4"})
            row(box + QString(" empty, no herb"), used, {}, "Should Input All Informations!",
                {-1, -1}, box);
        row("no herb", used, {}, "Should Add Herb!");
        row("an empty dosage", used, {{"Ma Huang", "9"}, {"Gui Zhi", ""}, {"Xing Ren", "3"}},
            "Should Input Dosage!", {2, 1});
        row("a dosage with a comma", used,
            {{"Ma Huang", "9"}, {"Gui Zhi", "1,5"}, {"Xing Ren", ""}},
            "A dosage can not contain a comma (\",\"): your own formulas list their dosages "
            "separated by commas. Please change.",
            {2, 1});
        row("a herb with a comma", used, {{"Ma Huang", "9"}, {"Old, Herb", "1"}},
            "The herb \"Old, Herb\" can not be put into a formula: its name contains a comma "
            "(\",\"), and your own formulas list their herbs separated by commas. Please delete "
            "it.",
            {2, 0});
        for (const char* name : {"Ma Huang Tang", "ma huang TANG", "Li's Formula", "LI'S FORMULA"})
            row(QString("name in use: ") + name, name, {{"Xing Ren", "6"}}, nameInUse);
        // Nothing is lost when the database refuses the row: the form keeps it all, to try again.
        row("the database refuses the row", "Lost Tang", {{"Ma Huang", "9"}},
            "The formula \"Lost Tang\" could not be saved.\nFile: <own>\nReason: disk is full");
    }
    void refusedSaves()
    {
        QFETCH(QString, name);
        QFETCH(QString, emptyBox);
        QFETCH(Composition, herbs);
        QFETCH(QString, message);
        compose(name, herbs);
        if (!emptyBox.isEmpty())
            setBox(m_window.get(), emptyBox, {});
        const QStringList gridShown = gridColumn(0) + gridColumn(1);

        widget("Command1")->setFocus();
        click("Command1");
        message.replace("<own>", m_program->folder().file(tavirel::data::schema::ownFileName));
        QCOMPARE(shownTexts(), QStringList{message});
        QCOMPARE(ownFormulas(), QStringList{fixtureFormula});
        QCOMPARE(gridColumn(0) + gridColumn(1), gridShown);
        QCOMPARE(textOf(m_window.get(), "Text1"), emptyBox == "Text1" ? QString() : name);
        QVERIFY(m_window->isVisible());
        QFETCH(Cell, cell);
        if (cell.first > 0)
            QCOMPARE(current(), cell);
        if (message == nameInUse) // back in the name, to change it
            QCOMPARE(QApplication::focusWidget(), widget("Text1"));
    }

private:
    QListWidget* list() { return control<QListWidget>(m_window.get(), "List1"); }
    Grid* grid() { return control<Grid>(m_window.get(), "Grid1"); }
    QLineEdit* editor() { return control<QLineEdit>(m_window.get(), "Text5"); }
    QWidget* widget(const QString& name) { return control<QWidget>(m_window.get(), name); }
    void click(const QString& button) { QTest::mouseClick(widget(button), Qt::LeftButton); }

    void clickEntry(int row)
    {
        list()->scrollToItem(list()->item(row));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualItemRect(list()->item(row)).center());
    }

    // Clicks each name's first entry that is not selected yet.
    void selectHerbs(const QStringList& names)
    {
        for (const QString& name : names) {
            const auto found = list()->findItems(name, Qt::MatchExactly);
            QVERIFY2(!found.isEmpty(), qPrintable(name));
            if (!found.first()->isSelected())
                clickEntry(list()->row(found.first()));
        }
    }

    void clickCell(int row, int col)
    {
        const QModelIndex index = grid()->model()->index(row - 1, col);
        grid()->scrollTo(index);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                          grid()->visualRect(index).center());
    }

    QStringList gridColumn(int col)
    {
        QStringList texts;
        for (int r = 0; r < grid()->rows(); ++r)
            texts << grid()->text(r, col);
        return texts;
    }

    Cell current() { return {grid()->row(), grid()->col()}; }
    // Adds the herbs, types each dosage into its cell, and fills the four boxes.
    void compose(const QString& name, const Composition& herbs)
    {
        QStringList names;
        for (const auto& herb : herbs)
            names << herb.first;
        if (!names.isEmpty()) {
            selectHerbs(names);
            click("Command3");
            QCOMPARE(gridColumn(0), QStringList{"Herb"} + names + QStringList{""});
        }
        for (int r = 1; r <= herbs.size(); ++r) {
            clickCell(r, 1);
            QTest::keyClicks(editor(), herbs.at(r - 1).second);
        }
        setBox(m_window.get(), "Text1", name);
        setBox(m_window.get(), "Text2", name + " method");
        setBox(m_window.get(), "Text3", name + " functions\nsecond line");
        setBox(m_window.get(), "Text4", name + " indications");
        widget("Text1")->setFocus(); // the editor commits as the focus leaves it
        QVERIFY(!editor()->isVisible());
    }

    // name|construction|dosage|method|function|indication
    QStringList ownFormulas() const { return ownFormulas(*m_program); }
    static QStringList ownFormulas(OpenProgram& program)
    {
        return columnValues(program.folder().file(tavirel::data::schema::ownFileName), {},
                            QStringLiteral("SELECT name || '|' || construction || '|' || dosage || "
                                           "'|' || method || '|' || function || '|' || indication "
                                           "FROM ownpres ORDER BY rowid"));
    }

    std::unique_ptr<OpenProgram> m_program;
    std::unique_ptr<AddFormulaWindow> m_window;
};

QTEST_MAIN(TestAddPres)
#include "tst_addpres.moc"
