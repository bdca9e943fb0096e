// Faults that pass while the program runs: a full disk, files replaced or damaged under it, own
// rows written by another program, pasted line breaks. Each ends in a message or is made
// harmless, never in a crash or a loss.
#include "OwnSupport.h"
#include "editors/AddFormulaWindow.h"
#include "editors/AddHerbWindow.h"
#include "formulas/FormulaWindow.h"
#include "formulas/Grid.h"
#include "herbs/HerbWindow.h"
#include "picture/PictureWindow.h"
#include "support/WidgetHelpers.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QTabWidget>

using tavirel::app::MessageBox;
using namespace tavirel::test;
namespace schema = tavirel::data::schema;

namespace {

bool overwrite(const QString& file)
{
    // In place, as a damaged disk or another program would: the program's open handle sees it.
    QFile out(file);
    if (!out.open(QIODevice::ReadWrite))
        return false;
    const QByteArray noise = QByteArray("no database here ").repeated(4096);
    return out.write(noise) == noise.size();
}

QStringList texts(const QStringList& boxes)
{
    QStringList shown;
    for (const QString& box : boxes)
        shown << box.section('\n', 0, 0) +
                     (box.contains("Reason: ") ? " / " + box.section("Reason: ", 1) : QString());
    return shown;
}

} // namespace

class TestOwnFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        MessageBox::setTestMode(true);
        m_program = std::make_unique<OpenProgram>();
        QVERIFY2(m_program->isValid(), qPrintable(m_program->errors()));
    }
    void cleanup() { m_program.reset(); }
    void databaseFull();
    void ownFileReplacedByGarbage();
    void referenceOrPicturesDamaged_data();
    void referenceOrPicturesDamaged();
    void rowsAnotherProgramWrote();
    void longNamesStayOnOneLine();
    void pastedLineBreaksBecomeBlanks_data();
    void pastedLineBreaksBecomeBlanks();

private:
    std::unique_ptr<OpenProgram> m_program;
};

void TestOwnFaults::databaseFull()
{
    auto& context = m_program->context();
    // The file may not grow: as a full disk, without being root.
    const int pages = context.ownDb().scalar("PRAGMA page_count").toInt();
    QVERIFY(context.ownDb().exec(QString("PRAGMA max_page_count = %1").arg(pages)));
    const QString indications = QString::fromUtf8("白术 Li's ").repeated(6000);

    tavirel::editors::AddHerbWindow window(context);
    for (const QString& box : herbBoxes)
        setBox(&window, box, box == "Text1" ? "Full Root" : box == "Text8" ? indications : box);
    click(&window, "Command1");
    QCOMPARE(boxesShown(), QStringList{failure("The herb \"Full Root\" could not be saved.",
                                               ownFile(*m_program), "database or disk is full")});
    QCOMPARE(textOf(&window, "Text8"), indications);

    // Room again: the same save goes through, whole.
    QVERIFY(context.ownDb().exec("PRAGMA max_page_count = 1000000"));
    MessageBox::setNextAnswer(MessageBox::Answer::No);
    click(&window, "Command1");
    QCOMPARE(boxesShown(), QStringList{"?|Added completely! Add another?"});
    QCOMPARE(columnValues(ownFile(*m_program), {},
                          "SELECT indications FROM ownherb WHERE name1 = 'Full Root'"),
             QStringList{indications});
    QCOMPARE(columnValues(ownFile(*m_program), {}, "PRAGMA integrity_check"), QStringList{"ok"});
}

void TestOwnFaults::ownFileReplacedByGarbage()
{
    auto& context = m_program->context();
    QVERIFY(overwrite(ownFile(*m_program)));
    const QString notADatabase = "file is encrypted or is not a database";
    QStringList shown;
    {
        tavirel::herbs::HerbWindow window(context);
        shown << texts(boxesShown());
        QCOMPARE(entries(control<QListWidget>(&window, "List3")), QStringList());
    }
    {
        tavirel::formulas::FormulaWindow window(context);
        shown << texts(boxesShown());
    }
    {
        tavirel::editors::AddHerbWindow window(context);
        for (const QString& box : herbBoxes)
            setBox(&window, box, box);
        click(&window, "Command1");
        shown << texts(boxesShown());
        QCOMPARE(textOf(&window, "Text1"), QStringLiteral("Text1"));
    }
    {
        tavirel::editors::AddFormulaWindow window(context);
        setBox(&window, "Text1", "Lost Tang");
        setBox(&window, "Text2", "m");
        setBox(&window, "Text3", "f");
        setBox(&window, "Text4", "i");
        select(control<QListWidget>(&window, "List1"), "Ma Huang");
        click(&window, "Command3");
        control<tavirel::formulas::Grid>(&window, "Grid1")->setText(1, 1, "9");
        click(&window, "Command1");
        shown << texts(boxesShown());
    }
    QCOMPARE(shown, QStringList({
                        "!|Your own herbs could not be read. / " + notADatabase,
                        "!|Your own formulas could not be read. / " + notADatabase,
                        "!|Your own herbs could not be read. / " + notADatabase,
                        "!|The herb \"Text1\" could not be saved. / " + notADatabase,
                        "!|Your own herbs could not be read. / " + notADatabase,
                        "!|The formula \"Lost Tang\" could not be saved. / " + notADatabase,
                    }));
}

void TestOwnFaults::referenceOrPicturesDamaged_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("shown");
    const QString notADatabase = " / file is encrypted or is not a database";
    QTest::newRow("reference") << schema::refFileName
                               << QStringList(
                                      {"!|The herb categories could not be read." + notADatabase,
                                       "!|The formulas could not be read." + notADatabase});
    QTest::newRow("pictures")
        << schema::picFileName
        << QStringList{"i|Sorry! Tavirel 1.0 do not include the informations of the herb."};
}

void TestOwnFaults::referenceOrPicturesDamaged()
{
    QFETCH(QString, file);
    QFETCH(QStringList, shown);
    auto& context = m_program->context();
    QVERIFY(overwrite(m_program->folder().file(file)));
    QStringList seen;
    {
        // What was read at start-up stays: the herb list of every window still shows.
        tavirel::herbs::HerbWindow window(context);
        seen << texts(boxesShown());
        QVERIFY(entries(control<QListWidget>(&window, "List1")).size() > 0 ||
                file == schema::refFileName);
    }
    {
        tavirel::formulas::FormulaWindow window(context);
        seen << texts(boxesShown());
    }
    context.values.pictureNumber = "0101";
    context.values.currentHerbName = "Ma Huang";
    context.values.pictureSource = 0;
    {
        tavirel::picture::PictureWindow window(context);
        seen << texts(boxesShown());
    }
    QCOMPARE(seen, shown);
}

void TestOwnFaults::rowsAnotherProgramWrote()
{
    OtherProgram other(ownFile(*m_program));
    const QString mega = QString(1 << 20, QLatin1Char('m'));
    QStringList many(41, "Ma Huang");
    many[40] = "Gui Zhi";
    QVERIFY(other.exec("INSERT INTO ownherb (name1) VALUES (NULL)"));
    QVERIFY(other.exec("INSERT INTO ownherb VALUES ('Comma, Herb', NULL, NULL, NULL, NULL, NULL, "
                       "NULL, ?, NULL, ?)",
                       {mega, mega}));
    QVERIFY(other.exec("INSERT INTO ownherb (name1, name2, indications) VALUES "
                       "(CAST(x'42616420fffe20c3' AS TEXT), CAST(x'c328' AS TEXT), 'i')"));
    QVERIFY(other.exec("INSERT INTO ownpres (name) VALUES (NULL)"));
    QVERIFY(other.exec("INSERT INTO ownpres VALUES ('Forty-one', ?, ?, 'm', 'f', 'i')",
                       {many.join(','), QStringList(41, "3").join(',')}));
    QVERIFY(other.exec("INSERT INTO ownpres VALUES ('More Dosages', 'Ma Huang', '1,2,3,4', ?, ?, "
                       "?)",
                       {mega, mega, mega}));
    QVERIFY(other.exec("INSERT INTO ownpres VALUES ('Commas', ',,Ma Huang,,', ',9,', NULL, NULL, "
                       "NULL)"));
    QVERIFY(other.exec("INSERT INTO ownpres VALUES (CAST(x'ff00fe' AS TEXT), CAST(x'ff' AS "
                       "TEXT), 'x', 'm', 'f', 'i')"));
    auto& context = m_program->context();

    tavirel::herbs::HerbWindow herbs(context);
    auto* ownHerbs = control<QListWidget>(&herbs, "List3");
    QCOMPARE(ownHerbs->count(), 4);
    for (int i = 0; i < ownHerbs->count(); ++i) {
        control<QTabWidget>(&herbs, "SSTab1")->setCurrentIndex(3);
        ownHerbs->setCurrentRow(i);
        emit ownHerbs->itemDoubleClicked(ownHerbs->item(i));
    }
    // What can be shown is shown: a megabyte of indications, missing columns as empty text.
    control<QTabWidget>(&herbs, "SSTab1")->setCurrentIndex(3);
    doubleClick(ownHerbs, "Comma, Herb");
    QCOMPARE(textOf(&herbs, "Label14"), QStringLiteral("Comma, Herb"));
    QCOMPARE(textOf(&herbs, "Text8").size(), mega.size());
    QCOMPARE(textOf(&herbs, "Text2"), QString());

    tavirel::formulas::FormulaWindow formulas(context);
    auto* ownFormulas = control<QListWidget>(&formulas, "List1");
    QCOMPARE(ownFormulas->count(), 6);
    auto* grid = control<tavirel::formulas::Grid>(&formulas, "Grid1");
    for (const QString name : {"Forty-one", "More Dosages", "Commas"}) {
        control<QTabWidget>(&formulas, "SSTab1")->setCurrentIndex(1);
        doubleClick(ownFormulas, name);
        if (name == "Forty-one") // every herb of it shows
            QCOMPARE(grid->rows(), 43);
    }
    for (int i = 0; i < ownFormulas->count(); ++i) {
        ownFormulas->setCurrentRow(i);
        emit ownFormulas->itemDoubleClicked(ownFormulas->item(i));
    }
    boxesShown();

    tavirel::editors::AddHerbWindow addHerb(context);
    tavirel::editors::AddFormulaWindow addFormula(context);
    auto* list = control<QListWidget>(&addFormula, "List1");
    QVERIFY(!list->findItems("Comma, Herb", Qt::MatchExactly).isEmpty());
    QCOMPARE(boxesShown(), QStringList());
}

// Pasted into a one-line box, line breaks become blanks; a long pasted dosage is not cut.
void TestOwnFaults::pastedLineBreaksBecomeBlanks_data()
{
    QTest::addColumn<bool>("herb");
    QTest::addColumn<QString>("box");
    QTest::newRow("herb Pinyin Name") << true << "Text1";
    QTest::newRow("herb Dosage") << true << "Text10";
    QTest::newRow("formula name") << false << "Text1";
    QTest::newRow("formula dosage editor") << false << "Text5";
}

void TestOwnFaults::pastedLineBreaksBecomeBlanks()
{
    QFETCH(bool, herb);
    QFETCH(QString, box);
    std::unique_ptr<QDialog> window;
    if (herb)
        window = std::make_unique<tavirel::editors::AddHerbWindow>(m_program->context());
    else
        window = std::make_unique<tavirel::editors::AddFormulaWindow>(m_program->context());
    QWidget* w = control<QWidget>(window.get(), box);
    QApplication::clipboard()->setText(QStringLiteral("Bai\nZhu\r\nRoot\u2029 9"));
    paste(w, true);
    QCOMPARE(textOf(window.get(), box), QStringLiteral("Bai Zhu Root  9"));
    if (box == "Text5") {
        QApplication::clipboard()->setText(QString(40000, QLatin1Char('9')));
        paste(w, false);
        QCOMPARE(textOf(window.get(), box).size(), 40000 + 15);
    }
    QCOMPARE(shownTexts(), QStringList());
}

void TestOwnFaults::longNamesStayOnOneLine()
{
    // Names another program wrote, with line breaks and far too long for any screen.
    QString name;
    for (int i = 0; i < 400; ++i)
        name += QStringLiteral("Line %1\n").arg(i);
    OtherProgram other(ownFile(*m_program));
    QVERIFY(other.exec("INSERT INTO ownherb VALUES (?, 'L', 's', 'u', 't', 'm', 'f', 'i', '3', "
                       "'c')",
                       {name}));
    QVERIFY(other.exec("INSERT INTO ownpres VALUES (?, 'Ma Huang', '9', 'm', 'f', 'i')", {name}));
    const QString oneLine = QString(name).replace('\n', ' ');

    tavirel::herbs::HerbWindow herbs(m_program->context());
    tavirel::formulas::FormulaWindow formulas(m_program->context());
    const auto check = [&](QDialog& window, int tab, const char* list, const char* label) {
        QVERIFY(showExposed(&window));
        control<QTabWidget>(&window, "SSTab1")->setCurrentIndex(tab);
        doubleClick(control<QListWidget>(&window, list), name);
        auto* heading = control<QLabel>(&window, label);
        QCOMPARE(heading->text(), oneLine);
        QVERIFY2(heading->height() < 3 * heading->fontMetrics().height(),
                 qPrintable(QString::number(heading->height())));
        QVERIFY(window.minimumSizeHint().height() < 1000);
        QVERIFY(window.minimumSizeHint().width() < 2000);
        QVERIFY(!window.windowTitle().contains('\n'));
    };
    check(herbs, 3, "List3", "Label14");
    check(formulas, 1, "List1", "Label2");
}

QTEST_MAIN(TestOwnFaults)
#include "tst_ownfaults.moc"
