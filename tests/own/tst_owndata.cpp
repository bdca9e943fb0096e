// The own database under another program's lock, a read-only file, deletes that name what they
// take, and names kept without blanks around them: driven through the real windows.
#include "OwnSupport.h"
#include "app/Startup.h"
#include "data/DataStore.h"
#include "editors/AddFormulaWindow.h"
#include "editors/AddHerbWindow.h"
#include "formulas/FormulaWindow.h"
#include "formulas/Grid.h"
#include "herbs/HerbWindow.h"
#include "support/WidgetHelpers.h"

#include <QDir>
#include <QFile>
#include <QTabWidget>

#include <unistd.h>

using tavirel::app::MessageBox;
using tavirel::data::DataStore;
using namespace tavirel::test;

namespace {

const QString addAnother = "?|Added completely! Add another?";
const QString herbDeleteQuestion =
    "Are you sure to delete this herb from yourown database? This herb may be used in your own "
    "formula. If to delete this herb, it will be removed from your own formula. Be careful!";
const QString formulaDeleteQuestion = "Are you sure to delete this formula from yourown database?";

void typeHerb(QWidget* window, const QString& name)
{
    for (const QString& box : herbBoxes)
        setBox(window, box, box == "Text1" ? name : box + " of " + name);
}

// Picks herbs in the add-formula window, adds them and gives each the dosage.
void composeFormula(QWidget* window, const QString& name, const QStringList& herbs,
                    const QString& dosage)
{
    setBox(window, "Text1", name);
    setBox(window, "Text2", "Decoction");
    setBox(window, "Text3", "Functions");
    setBox(window, "Text4", "Indications");
    auto* list = control<QListWidget>(window, "List1");
    list->clearSelection();
    for (const QString& herb : herbs)
        select(list, herb);
    click(window, "Command3");
    auto* grid = control<tavirel::formulas::Grid>(window, "Grid1");
    for (int row = 1; row <= herbs.size(); ++row)
        grid->setText(row, 1, dosage);
}

// The own herbs' or own formulas' browser, and its list of them.
std::unique_ptr<QDialog> ownBrowser(tavirel::app::AppContext& context, bool herb)
{
    if (herb)
        return std::make_unique<tavirel::herbs::HerbWindow>(context);
    return std::make_unique<tavirel::formulas::FormulaWindow>(context);
}
QListWidget* ownList(QDialog* browser, bool herb)
{
    return control<QListWidget>(browser, herb ? "List3" : "List1");
}

// Marks the file as written by a newer engine, which keeps it read-only even for the superuser.
void makeNewerHeader(const QString& file)
{
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.seek(18));
    QCOMPARE(f.write("\x03", 1), 1);
}

} // namespace

class TestOwnData : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_program.reset(); }
    void editorsSaveOnceTheLockIsGone();
    void browsersSayWhyOwnDataIsMissing();
    void deletesWaitForTheLock_data();
    void deletesWaitForTheLock();
    void deleteNamesWhatGoesAndSelectsNothing_data();
    void deleteNamesWhatGoesAndSelectsNothing();
    void namesAndDosagesWithoutBlanks();
    void everyChangeFailsAlike_data();
    void everyChangeFailsAlike();
    void readOnlyIsFound_data();
    void readOnlyIsFound();

private:
    QString own() { return ownFile(*m_program); }
    QStringList rows(const QString& sql) { return columnValues(own(), {}, sql); }
    void addOwn(const QStringList& herbs, const QStringList& formulas);
    std::unique_ptr<OpenProgram> m_program;
};

void TestOwnData::init()
{
    MessageBox::setTestMode(true);
    m_program = std::make_unique<OpenProgram>();
    QVERIFY2(m_program->isValid(), qPrintable(m_program->errors()));
    waitLittleForLocks(m_program->context());
}

void TestOwnData::addOwn(const QStringList& herbs, const QStringList& formulas)
{
    OtherProgram other(own());
    for (const QString& herb : herbs)
        QVERIFY(other.exec("INSERT INTO ownherb VALUES (?, 'L', 's', 'u', 't', 'm', 'f', 'i', "
                           "'3 g', 'c')",
                           {herb}));
    for (const QString& formula : formulas)
        QVERIFY(other.exec("INSERT INTO ownpres VALUES (?, 'Ma Huang', '9', 'm', 'f', 'i')",
                           {formula}));
}

void TestOwnData::editorsSaveOnceTheLockIsGone()
{
    auto& context = m_program->context();
    const QString locked = "database is locked";
    OtherProgram other(own());
    QVERIFY(other.lock());
    {
        tavirel::editors::AddHerbWindow window(context);
        QCOMPARE(boxesShown(),
                 QStringList{failure("Your own herbs could not be read.", own(), locked)});
        typeHerb(&window, "Locked Root");
        click(&window, "Command1");
        QCOMPARE(boxesShown(), QStringList{failure("The herb \"Locked Root\" could not be saved.",
                                                   own(), locked)});
        QCOMPARE(textOf(&window, "Text8"), QStringLiteral("Text8 of Locked Root"));
        QVERIFY(other.release());
        MessageBox::setNextAnswer(MessageBox::Answer::No);
        click(&window, "Command1");
        QCOMPARE(boxesShown(), QStringList{addAnother});
    }
    QVERIFY(other.lock());
    {
        // Opened while locked, the herb list lacks the own herbs, and says so.
        tavirel::editors::AddFormulaWindow window(context);
        QCOMPARE(boxesShown(),
                 QStringList{failure("Your own herbs could not be read.", own(), locked)});
        auto* list = control<QListWidget>(&window, "List1");
        QVERIFY(list->findItems("My Herb", Qt::MatchExactly).isEmpty());
        composeFormula(&window, "Locked Tang", {"Ma Huang"}, "9");
        click(&window, "Command1");
        QCOMPARE(
            boxesShown(),
            QStringList{failure("The formula \"Locked Tang\" could not be saved.", own(), locked)});
        QCOMPARE(textOf(&window, "Text1"), QStringLiteral("Locked Tang"));
        QVERIFY(other.release());
        // The next "Add -->" finds the own herbs, and the save goes through.
        click(&window, "Command3");
        QCOMPARE(list->findItems("Locked Root", Qt::MatchExactly).size(), 1);
        composeFormula(&window, "Locked Tang", {"Ma Huang", "Locked Root"}, "3");
        control<tavirel::formulas::Grid>(&window, "Grid1")->setText(1, 1, "9");
        MessageBox::setNextAnswer(MessageBox::Answer::No);
        click(&window, "Command1");
        QCOMPARE(boxesShown(), QStringList{addAnother});
    }
    QCOMPARE(rows("SELECT name1 FROM ownherb ORDER BY rowid"),
             QStringList({"My Herb", "Locked Root"}));
    QCOMPARE(
        rows("SELECT name || '=' || construction || '=' || dosage FROM ownpres ORDER BY rowid"),
        QStringList({"My Formula=Ma Huang,My Herb=6,3", "Locked Tang=Ma Huang,Locked Root=9,3"}));
}

void TestOwnData::browsersSayWhyOwnDataIsMissing()
{
    auto& context = m_program->context();
    OtherProgram other(own());
    QVERIFY(other.lock());
    {
        tavirel::herbs::HerbWindow window(context);
        QCOMPARE(boxesShown(), QStringList{failure("Your own herbs could not be read.", own(),
                                                   "database is locked")});
        QCOMPARE(entries(control<QListWidget>(&window, "List3")), QStringList());
        QVERIFY(control<QWidget>(&window, "Command7")->isHidden());
    }
    {
        tavirel::formulas::FormulaWindow window(context);
        QCOMPARE(boxesShown(), QStringList{failure("Your own formulas could not be read.", own(),
                                                   "database is locked")});
        QCOMPARE(entries(control<QListWidget>(&window, "List1")), QStringList());
        QVERIFY(control<QWidget>(&window, "Command7")->isHidden());
    }
    QVERIFY(other.release());
    // "No yourown record!" only when there are none.
    {
        tavirel::herbs::HerbWindow window(context);
        QCOMPARE(entries(control<QListWidget>(&window, "List3")), QStringList{"My Herb"});
    }
    OtherProgram(own()).exec("DELETE FROM ownpres");
    tavirel::formulas::FormulaWindow window(context);
    QCOMPARE(entries(control<QListWidget>(&window, "List1")), QStringList{"No yourown record!"});
    QCOMPARE(boxesShown(), QStringList());
}

void TestOwnData::deletesWaitForTheLock_data()
{
    QTest::addColumn<bool>("herb");
    QTest::newRow("own herb") << true;
    QTest::newRow("own formula") << false;
}

void TestOwnData::deletesWaitForTheLock()
{
    QFETCH(bool, herb);
    const auto window = ownBrowser(m_program->context(), herb);
    const QString name = herb ? "My Herb" : "My Formula";
    const QString table = herb ? "ownherb" : "ownpres";
    auto* list = ownList(window.get(), herb);

    OtherProgram other(own());
    QVERIFY(other.lock());
    select(list, name);
    click(window.get(), "Command7");
    const QString kind = herb ? "herb" : "formula";
    QCOMPARE(boxesShown().last(),
             failure(QString("The %1 \"%2\" could not be deleted.").arg(kind, name), own(),
                     "database is locked"));
    QCOMPARE(entries(list), QStringList{name});
    QVERIFY(other.release());
    QCOMPARE(rows("SELECT count(*) FROM " + table), QStringList{"1"});

    select(list, name);
    click(window.get(), "Command7");
    QCOMPARE(boxesShown().size(), 1); // the question only
    QCOMPARE(rows("SELECT count(*) FROM " + table), QStringList{"0"});
}

void TestOwnData::deleteNamesWhatGoesAndSelectsNothing_data()
{
    deletesWaitForTheLock_data();
}

void TestOwnData::deleteNamesWhatGoesAndSelectsNothing()
{
    QFETCH(bool, herb);
    addOwn({"Bai Zhu", "Cang Zhu"}, {"Bai Tang", "Cang Tang"});
    const auto window = ownBrowser(m_program->context(), herb);
    const QStringList names = herb ? QStringList{"Bai Zhu", "Cang Zhu", "My Herb"}
                                   : QStringList{"Bai Tang", "Cang Tang", "My Formula"};
    const QString sql = herb ? "SELECT name1 FROM ownherb ORDER BY name1"
                             : "SELECT name FROM ownpres ORDER BY name";
    auto* list = ownList(window.get(), herb);
    QCOMPARE(entries(list), names);

    select(list, names[1]);
    click(window.get(), "Command7");
    const QString kind = herb ? "herb" : "formula";
    QCOMPARE(boxesShown(), QStringList{"?|" + (herb ? herbDeleteQuestion : formulaDeleteQuestion) +
                                       "|" + QString("Delete the %1 \"%2\"?").arg(kind, names[1])});
    QCOMPARE(entries(list), QStringList({names[0], names[2]}));
    QCOMPARE(rows(sql), QStringList({names[0], names[2]}));
    // Nothing is selected now: a second "Delete" and Yes take nothing.
    QVERIFY(list->selectedItems().isEmpty());
    click(window.get(), "Command7");
    QCOMPARE(boxesShown(),
             QStringList{QString("i|Please select a %1 which you want to delete.").arg(kind)});
    QCOMPARE(rows(sql), QStringList({names[0], names[2]}));
}

void TestOwnData::namesAndDosagesWithoutBlanks()
{
    auto& context = m_program->context();
    {
        tavirel::editors::AddHerbWindow window(context);
        // A box of blanks only is empty.
        typeHerb(&window, "   ");
        click(&window, "Command1");
        typeHerb(&window, "Jin");
        setBox(&window, "Text10", " \t ");
        click(&window, "Command1");
        QCOMPARE(boxesShown(), QStringList(2, "i|Should Input All Informations!"));

        typeHerb(&window, "  Bai Zhu ");
        setBox(&window, "Text2", " Rhizoma ");
        setBox(&window, "Text10", " 9 g ");
        setBox(&window, "Text8", "  kept as typed  ");
        MessageBox::setNextAnswer(MessageBox::Answer::Yes);
        click(&window, "Command1");
        QCOMPARE(boxesShown(), QStringList{addAnother});
        // The look-alikes are the same herb.
        for (const char* name : {"Bai Zhu", " Bai Zhu", " MY HERB  ", "Ma Huang "}) {
            typeHerb(&window, name);
            click(&window, "Command1");
            QCOMPARE(boxesShown(),
                     QStringList{"i|This herb name is alreadly in datebase! Please change."});
        }
    }
    QCOMPARE(rows("SELECT name1 || '|' || name2 || '|' || dosage || '|' || indications || '|' || "
                  "source FROM ownherb WHERE rowid > 1"),
             QStringList{"Bai Zhu|Rhizoma|9 g|  kept as typed  |Text3 of   Bai Zhu "});

    tavirel::editors::AddFormulaWindow window(context);
    composeFormula(&window, " Gui Tang  ", {"Ma Huang", "Gui Zhi"}, "  ");
    click(&window, "Command1");
    QCOMPARE(boxesShown(), QStringList{"i|Should Input Dosage!"});
    auto* grid = control<tavirel::formulas::Grid>(&window, "Grid1");
    grid->setText(1, 1, " 9 ");
    grid->setText(2, 1, "6\t");
    setBox(&window, "Text2", "   ");
    click(&window, "Command1");
    QCOMPARE(boxesShown(), QStringList{"i|Should Input All Informations!"});
    setBox(&window, "Text2", " Decoction ");
    setBox(&window, "Text1", " my formula ");
    click(&window, "Command1");
    QCOMPARE(boxesShown(),
             QStringList{"i|This prescription name is alreadly in datebase! Please change."});
    setBox(&window, "Text1", " Gui Tang  ");
    MessageBox::setNextAnswer(MessageBox::Answer::No);
    click(&window, "Command1");
    QCOMPARE(boxesShown(), QStringList{addAnother});
    QCOMPARE(rows("SELECT name || '|' || construction || '|' || dosage || '|' || method FROM "
                  "ownpres WHERE rowid > 1"),
             QStringList{"Gui Tang|Ma Huang,Gui Zhi|9,6| Decoction "});
}

void TestOwnData::everyChangeFailsAlike_data()
{
    QTest::addColumn<bool>("readOnly"); // else the database refuses each change, as a full disk
    QTest::newRow("database refuses") << false;
    QTest::newRow("read-only file") << true;
}

// Saves and deletes of both kinds fail with one pattern, and the windows keep what they show.
void TestOwnData::everyChangeFailsAlike()
{
    QFETCH(bool, readOnly);
    m_program.reset();
    ProgramFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errors()));
    const QString file = folder.file(tavirel::data::schema::ownFileName);
    if (readOnly) {
        makeNewerHeader(file);
    } else {
        OtherProgram other(file);
        for (const char* table : {"ownherb", "ownpres"})
            for (const char* change : {"INSERT", "DELETE"})
                QVERIFY(other.exec(QString("CREATE TRIGGER refuse_%1_%2 BEFORE %1 ON %2 BEGIN "
                                           "SELECT RAISE(ABORT, 'disk is full'); END")
                                       .arg(QString(change), QString(table))));
    }
    DataStore store;
    QVERIFY(store.open(folder.path()));
    tavirel::app::AppContext context{folder.path(), store, {}, {}};
    const QString why = readOnly ? store.ownReadOnlyReason() : "disk is full";
    QVERIFY(!why.isEmpty());

    QStringList shown;
    {
        tavirel::editors::AddHerbWindow window(context);
        typeHerb(&window, "Kept Root");
        click(&window, "Command1");
        shown << boxesShown();
        QCOMPARE(textOf(&window, "Text9"), QStringLiteral("Text9 of Kept Root"));
    }
    {
        tavirel::editors::AddFormulaWindow window(context);
        composeFormula(&window, "Kept Tang", {"Ma Huang", "My Herb"}, "9");
        click(&window, "Command1");
        shown << boxesShown();
        QCOMPARE(textOf(&window, "Text1"), QStringLiteral("Kept Tang"));
        QCOMPARE(control<tavirel::formulas::Grid>(&window, "Grid1")->rows(), 4);
    }
    for (const bool herb : {true, false}) {
        const auto window = ownBrowser(context, herb);
        const QString name = herb ? "My Herb" : "My Formula";
        select(ownList(window.get(), herb), name);
        click(window.get(), "Command7");
        // A read-only file refuses before the question.
        const QStringList boxes = boxesShown();
        QCOMPARE(boxes.size(), readOnly ? 1 : 2);
        shown << boxes.last();
        QCOMPARE(entries(ownList(window.get(), herb)), QStringList{name});
    }
    QCOMPARE(shown, QStringList({
                        failure("The herb \"Kept Root\" could not be saved.", file, why),
                        failure("The formula \"Kept Tang\" could not be saved.", file, why),
                        failure("The herb \"My Herb\" could not be deleted.", file, why),
                        failure("The formula \"My Formula\" could not be deleted.", file, why),
                    }));
    QCOMPARE(columnValues(file, {}, "SELECT count(*) FROM ownherb"), QStringList{"1"});
    QCOMPARE(columnValues(file, {}, "SELECT count(*) FROM ownpres"), QStringList{"1"});
}

void TestOwnData::readOnlyIsFound_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("reason");
    QTest::newRow("writable") << "none" << QString();
    // Permissions do not bind the superuser: these two are only tried as an ordinary user.
    QTest::newRow("read-only file") << "file" << QString("readonly");
    QTest::newRow("folder without write permission") << "folder" << QString("unable to open");
    // The database engine keeps a file read-only whose header asks for a newer writer. That is
    // a property of the file itself, which binds the superuser as well, so the same detection
    // is proven on every machine without a switch in the program for tests.
    QTest::newRow("file the engine may only read") << "header" << QString("readonly");
}

void TestOwnData::readOnlyIsFound()
{
    QFETCH(QString, how);
    QFETCH(QString, reason);
    if ((how == "file" || how == "folder") && geteuid() == 0)
        QSKIP("file permissions do not bind the superuser");
    ProgramFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errors()));
    const QString file = folder.file(tavirel::data::schema::ownFileName);
    if (how == "file")
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup));
    if (how == "folder")
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
    if (how == "header")
        makeNewerHeader(file);
    auto restore = qScopeGuard([&] {
        QFile::setPermissions(folder.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });

    DataStore store;
    QVERIFY2(store.open(folder.path()), qPrintable(store.errorString()));
    QCOMPARE(store.ownWritable(), reason.isEmpty());
    QVERIFY2(store.ownReadOnlyReason().contains(reason), qPrintable(store.ownReadOnlyReason()));
    // Nothing was left behind by finding out.
    QCOMPARE(
        store.ownDb().scalar("SELECT count(*) FROM sqlite_master WHERE type = 'table'").toInt(), 2);
    QCOMPARE(QDir(folder.path()).entryList({"*-journal"}, QDir::Files), QStringList());
    store.close();

    // At start-up the user is told once, and the program runs on.
    tavirel::app::Startup startup(folder.path(), {});
    QVERIFY(!startup.load().has_value());
    const QStringList shown = boxesShown();
    if (reason.isEmpty()) {
        QCOMPARE(shown, QStringList());
        return;
    }
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].startsWith(
                 "i|The own database can not be written, so your own herbs and formulas can be "
                 "read but not saved.\nFile: " +
                 file + "\nReason: "),
             qPrintable(shown[0]));
    QVERIFY2(shown[0].contains(reason), qPrintable(shown[0]));
}

QTEST_MAIN(TestOwnData)
#include "tst_owndata.moc"
