// The reference facts beside the prescribed details: shown in the herb details (both windows)
// and the formula display, empty for own records, found by the "All Category" search, typed or
// pasted into the key-word boxes; and the formulas that hold a herb.
#include "Windows.h"
#include "app/MessageBox.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "formulas/FormulaWindow.h"
#include "formulas/Grid.h"
#include "herbs/FormulaUsage.h"
#include "herbs/HerbWindow.h"
#include "support/TestSupport.h"
#include "support/WidgetHelpers.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTreeWidget>

using tavirel::app::MessageBox;
using tavirel::herbs::formulasWithHerb;
using tavirel::herbs::FormulaUse;
using namespace tavirel::test;

namespace {

const QStringList herbFacts{"HerbChinese",   "HerbPinyin",   "HerbEnglish", "HerbSpecies",
                            "HerbPregnancy", "HerbToxicity", "HerbAliases"};
const QStringList formulaFacts{"FormulaChinese", "FormulaPinyin",   "FormulaEnglish",
                               "FormulaSource",  "FormulaCautions", "FormulaAliases"};

// What the named controls show, joined by "|".
QString shown(const QWidget* window, const QStringList& names)
{
    QStringList texts;
    for (const QString& name : names)
        texts << textOf(window, name);
    return texts.join('|');
}

QString empty(const QStringList& names)
{
    return QString(names.size() - 1, QLatin1Char('|'));
}

QStringList described(const QList<FormulaUse>& uses)
{
    QStringList list;
    for (const FormulaUse& use : uses)
        list << use.formula + QLatin1Char('=') + use.dose +
                    (use.own ? QStringLiteral(" own") : QString());
    return list;
}

} // namespace

class TestReferenceFacts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        MessageBox::setTestMode(true);
        m_program = std::make_unique<OpenProgram>(QStringLiteral("facts"));
        QVERIFY2(m_program->isValid(), qPrintable(m_program->errors()));
        m_program->context().values = {};
    }
    void cleanup() { m_program.reset(); }

    void herbDetails_data();
    void herbDetails();
    void formulaDisplay();
    void formulasWithTheHerbOpenInTheFormulaWindow();
    void searchFindsOtherNames_data();
    void searchFindsOtherNames();
    void keyWordBoxTakesChineseAndToneMarks_data();
    void keyWordBoxTakesChineseAndToneMarks();
    void formulasOfAHerb_data();
    void formulasOfAHerb();
    void unreadableOwnDatabaseIsReported();
    void sameFromAReferenceWithoutTheIndexTable();

private:
    std::unique_ptr<OpenProgram> m_program;
};

void TestReferenceFacts::herbDetails_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("herb");
    QTest::addColumn<QString>("facts");
    QTest::newRow("traditional differs, aliases, caution")
        << "List1" << QString("Ma Huang")
        << "麻黄 (麻黃)|Má Huáng|Ephedra stem|Ephedra sinica Stapf|Use with caution|None|"
           "Ephedra; Long Sha";
    QTest::newRow("no traditional, toxic, no aliases")
        << "List1" << QString("Fu Zi")
        << "附子|Fù Zǐ|Aconite root|Aconitum carmichaelii Debx.|Contraindicated|Toxic|";
    QTest::newRow("facts not written yet") << "List1" << QString("Ban Xia") << empty(herbFacts);
    QTest::newRow("own herb") << "List3" << QString("Own Herb") << empty(herbFacts);
}

// Each herb is shown after one with every fact, so a box the new herb leaves empty is seen to
// be cleared.
void TestReferenceFacts::herbDetails()
{
    QFETCH(QString, list);
    QFETCH(QString, herb);
    QFETCH(QString, facts);
    tavirel::herbs::HerbWindow window(m_program->context());
    QVERIFY(showExposed(&window));
    auto* tabs = control<QTabWidget>(&window, "SSTab1");
    doubleClick(control<QListWidget>(&window, "List1"), QStringLiteral("Ma Huang"));
    QCOMPARE(tabs->currentIndex(), 1);
    tabs->setCurrentIndex(list == QLatin1String("List1") ? 0 : 3);
    doubleClick(control<QListWidget>(&window, list), herb);
    QCOMPARE(tabs->currentIndex(), 1);
    QCOMPARE(textOf(&window, "Label14"), herb);
    QCOMPARE(shown(&window, herbFacts), facts);
    QCOMPARE(control<QLabel>(&window, "HerbChinese")->textFormat(), Qt::PlainText);
    // The Pinyin heading keeps the room its name needs beside the Chinese name.
    auto* heading = control<QLabel>(&window, "Label14");
    QTRY_VERIFY(heading->width() >= heading->fontMetrics().horizontalAdvance(herb));
}

void TestReferenceFacts::formulaDisplay()
{
    tavirel::formulas::FormulaWindow window(m_program->context());
    QVERIFY(showExposed(&window));
    auto* view = control<QTreeWidget>(&window, "TreeView1");
    const auto showFromTree = [&](const QString& name) {
        clickNode(view, view->findItems(name, Qt::MatchExactly | Qt::MatchRecursive).value(0));
        QCOMPARE(textOf(&window, "Label2"), name);
    };

    showFromTree(QStringLiteral("Ma Huang Tang"));
    // The safety check's findings come first in the cautions, most serious first, then the
    // formula's own note.
    QCOMPARE(shown(&window, formulaFacts),
             QStringLiteral("麻黄汤 (麻黃湯)|Má Huáng Tāng|Ephedra Decoction|Shang Han Lun (Zhang "
                            "Zhong-Jing, Eastern Han, c. 220)|"
                            "Ban Xia and Fu Zi are one of the eighteen antagonisms: they are not "
                            "to be used together.\n"
                            "Ma Huang and Fu Zi are one of the nineteen counteractions: they are "
                            "not to be used together.\n"
                            "Fu Zi is contraindicated in pregnancy.\n"
                            "Fu Zi is toxic: keep to its dose and preparation.\n"
                            "Ma Huang is to be used with caution in pregnancy.\n\n"
                            "Not where sweating comes from deficiency|Ephedra Tang; Four Herbs"));
    // The composition's herb opens in the shared details panel with its facts.
    auto* grid = control<tavirel::formulas::Grid>(&window, "Grid1");
    QCOMPARE(grid->text(3, 0), QStringLiteral("Fu Zi"));
    const QModelIndex cell = grid->model()->index(2, 0);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
    QCOMPARE(control<QTabWidget>(&window, "SSTab2")->currentIndex(), 1);
    QCOMPARE(textOf(&window, "HerbChinese") + '|' + textOf(&window, "HerbToxicity"),
             QStringLiteral("附子|Toxic"));
    // ... and with the formulas that hold it.
    QCOMPARE(entries(control<QListWidget>(&window, "FormulaUses")),
             QStringList({"Ma Huang Tang \u2014 3 g"}));

    showFromTree(QStringLiteral("Plain Tang"));
    QCOMPARE(shown(&window, formulaFacts),
             QStringLiteral("||||Ma Huang is to be used with caution in pregnancy.|"));

    showFromTree(QStringLiteral("Ma Huang Tang"));
    auto* pickTabs = control<QTabWidget>(&window, "SSTab1");
    pickTabs->setCurrentIndex(1); // changing the way of picking clears the display
    QCOMPARE(shown(&window, formulaFacts), empty(formulaFacts));
    doubleClick(control<QListWidget>(&window, "List1"), QStringLiteral("Own Formula"));
    QCOMPARE(textOf(&window, "Label2"), QStringLiteral("Own Formula"));
    QCOMPARE(textOf(&window, "Text1"), QStringLiteral("Own method"));
    // An own formula has no facts of its own, but its built-in herbs are checked all the same.
    QCOMPARE(shown(&window, formulaFacts),
             QStringLiteral("||||Ma Huang is to be used with caution in pregnancy.|"));
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void TestReferenceFacts::formulasWithTheHerbOpenInTheFormulaWindow()
{
    tavirel::programWindows(m_program->context()); // wires the formula window in
    tavirel::herbs::HerbWindow window(m_program->context());
    QVERIFY(showExposed(&window));
    doubleClick(control<QListWidget>(&window, "List1"), QStringLiteral("Ma Huang"));
    auto* uses = control<QListWidget>(&window, "FormulaUses");
    // Sorted by name, built-in and own, each with the herb's dose.
    QCOMPARE(entries(uses),
             QStringList({"Ma Huang Tang \u2014 9 g", "Own Formula \u2014 6 g (your own)",
                          "Plain Tang \u2014 3 g"}));

    QStringList opened;
    tavirel::test::ModalRecorder recorder([&](QDialog& formulas) {
        opened << formulas.objectName() + '|' + textOf(&formulas, "Label2") + '|' +
                      textOf(&formulas, "Text1");
        return int(QDialog::Rejected);
    });
    uses->setFocus();
    uses->setCurrentRow(1);
    QTest::keyClick(uses, Qt::Key_Return);
    doubleClick(uses, QStringLiteral("Plain Tang \u2014 3 g"));
    QCOMPARE(opened, QStringList({"Pres|Own Formula|Own method", "Pres|Plain Tang|Decoction"}));
    // Closing it returns to the herb.
    QCOMPARE(textOf(&window, "Label14"), QStringLiteral("Ma Huang"));
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void TestReferenceFacts::searchFindsOtherNames_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QStringList>("herbs");
    QTest::addColumn<QStringList>("formulas");
    const auto row = [](const char* name, const char* word, const char* herb, const char* formula) {
        QTest::newRow(name) << QString(word) << QString(herb).split(',', Qt::SkipEmptyParts)
                            << QString(formula).split(',', Qt::SkipEmptyParts);
    };
    row("simplified", "麻黄", "Ma Huang", "Ma Huang Tang");
    row("traditional", "麻黃", "Ma Huang", "Ma Huang Tang");
    row("one character", "附", "Fu Zi", "");
    row("tone marks", "huáng", "Ma Huang", "Ma Huang Tang");
    row("english ignoring case", "ACONITE", "Fu Zi", "");
    row("other name", "long sha", "Ma Huang", "");
    row("formula's other name", "four herbs", "", "Ma Huang Tang");
}

// "All Category" in both windows; own records, which have no such names, are searched as before.
void TestReferenceFacts::searchFindsOtherNames()
{
    QFETCH(QString, word);
    QFETCH(QStringList, herbs);
    QFETCH(QStringList, formulas);
    // Entering the "Searching" tab (index 2 in both windows) picks "All Category".
    const auto run = [&](QWidget& window, const char* key, const char* go, const char* list) {
        window.show();
        control<QTabWidget>(&window, "SSTab1")->setCurrentIndex(2);
        control<QLineEdit>(&window, key)->setText(word);
        QTest::mouseClick(control<QWidget>(&window, go), Qt::LeftButton);
        MessageBox::takeShown(); // "nothing found" where a list is expected empty
        return control<QComboBox>(&window, "Combo1")->currentText() + ": " +
               entries(control<QListWidget>(&window, list)).join(", ");
    };
    tavirel::herbs::HerbWindow herbWindow(m_program->context());
    QCOMPARE(run(herbWindow, "Text1", "Command2", "List2"), "All Category: " + herbs.join(", "));
    tavirel::formulas::FormulaWindow formulaWindow(m_program->context());
    QCOMPARE(run(formulaWindow, "Text12", "Command3", "List3"),
             "All Category: " + formulas.join(", "));
}

void TestReferenceFacts::keyWordBoxTakesChineseAndToneMarks_data()
{
    QTest::addColumn<QString>("way"); // key, input method or paste
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("taken");
    const auto row = [](const char* name, const char* way, const char* text, bool taken) {
        QTest::newRow(name) << QString(way) << QString(text) << taken;
    };
    row("key: character", "key", "麻", true);
    row("key: tone-marked vowel", "key", "ǚ", true);
    row("key: digit", "key", "1", false);
    row("key: full-width comma", "key", "，", false);
    row("input method: name", "im", "麻黄", true);
    row("input method: with a digit", "im", "麻1", false);
    row("input method: punctuation", "im", "。", false);
    row("paste: name and Pinyin", "paste", "附子 Fù Zǐ", true);
    row("paste: with an apostrophe", "paste", "Fu'Zi", false);
}

void TestReferenceFacts::keyWordBoxTakesChineseAndToneMarks()
{
    QFETCH(QString, way);
    QFETCH(QString, text);
    QFETCH(bool, taken);
    tavirel::herbs::HerbWindow window(m_program->context());
    QVERIFY(showExposed(&window));
    control<QTabWidget>(&window, "SSTab1")->setCurrentIndex(2);
    auto* box = control<QLineEdit>(&window, "Text1");
    box->setText(QStringLiteral("a"));
    box->setFocus();
    if (way == QLatin1String("key")) {
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, text, Qt::NoModifier);
    } else if (way == QLatin1String("im")) {
        QInputMethodEvent composing(text, {});
        QCoreApplication::sendEvent(box, &composing);
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QCoreApplication::sendEvent(box, &commit);
    } else {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }
    QCOMPARE(box->text(), taken ? QStringLiteral("a") + text : QStringLiteral("a"));
    QCOMPARE(shownTexts(), taken ? QStringList() : QStringList{"Should press the letter!"});
}

// Which formulas hold a herb: built-in compositions by picture number, own ones by name.
void TestReferenceFacts::formulasOfAHerb_data()
{
    QTest::addColumn<QString>("name1");
    QTest::addColumn<QString>("picno");
    QTest::addColumn<QStringList>("found");
    const auto row = [](const char* name, const char* name1, const char* picno, const char* found) {
        QTest::newRow(name) << QString(name1) << QString(picno)
                            << QString(found).split('|', Qt::SkipEmptyParts);
    };
    row("built-in by picture number, own by name in any case", "gui zhi", "0040",
        "Gui Zhi Tang=9|Half Found=6 own|Lost Herb Tang=3|Ma Huang Tang=6|Short Dose Tang=6");
    row("a dose missing from a short list", "Xing Ren", "0007",
        "Ma Huang Tang=3|Short Dose Tang=|Two Ghosts=3 own");
    row("number inside another number is no match", "Jin Yin Hua", "0105", "Yin Qiao San=9");
    row("in no built-in formula, one own", "No Latin", "0103", "My Formula=1 own");
    row("in no formula", "Nowhere Herb", "0103", "");
    row("no picture number: own formulas only", "Jing Jie", "", "My Formula=2 own");
    row("an own formula naming a herb that no longer exists", "Ghost B", "", "Two Ghosts=2 own");
    row("wildcards are characters", "%", "_", "");
}

void TestReferenceFacts::formulasOfAHerb()
{
    QFETCH(QString, name1);
    QFETCH(QString, picno);
    QFETCH(QStringList, found);
    OpenProgram program(QStringLiteral("formulas-window"));
    QVERIFY2(program.isValid(), qPrintable(program.errors()));
    auto& context = program.context();
    const auto uses = formulasWithHerb(context.refDb(), context.ownDb(), name1, picno);
    QCOMPARE(uses.error, QString());
    QCOMPARE(described(uses.uses), found);
}

void TestReferenceFacts::unreadableOwnDatabaseIsReported()
{
    OpenProgram program(QStringLiteral("formulas-window"));
    QVERIFY2(program.isValid(), qPrintable(program.errors()));
    auto& context = program.context();
    QVERIFY(context.ownDb().exec(QStringLiteral("DROP TABLE ownpres")));
    const auto uses = formulasWithHerb(context.refDb(), context.ownDb(), "Gui Zhi", "0040");
    QVERIFY(!uses.error.isEmpty());
    QCOMPARE(uses.uses.size(), 4); // the built-in ones are still listed
}

void TestReferenceFacts::sameFromAReferenceWithoutTheIndexTable()
{
    OpenProgram program(QStringLiteral("formulas-window"));
    QVERIFY2(program.isValid(), qPrintable(program.errors()));
    auto& context = program.context();
    const QList<std::pair<QString, QString>> herbs{
        {"Gui Zhi", "0040"}, {"Xing Ren", "0007"}, {"Jin Yin Hua", "0105"}, {"Gan Cao", "0102"}};
    QList<QStringList> indexed;
    for (const auto& [name, picno] : herbs)
        indexed << described(formulasWithHerb(context.refDb(), context.ownDb(), name, picno).uses);

    // A reference file built before the index table existed.
    tavirel::data::Database writer;
    QVERIFY(writer.open(program.folder().file(tavirel::data::schema::refFileName),
                        tavirel::data::Database::Mode::ReadWrite,
                        tavirel::data::schema::refPassword));
    QVERIFY(writer.exec(QStringLiteral("DROP TABLE preherb")));
    for (qsizetype i = 0; i < herbs.size(); ++i) {
        const auto uses = formulasWithHerb(context.refDb(), context.ownDb(), herbs.at(i).first,
                                           herbs.at(i).second);
        QCOMPARE(uses.error, QString());
        QCOMPARE(described(uses.uses), indexed.at(i));
    }
}

QTEST_MAIN(TestReferenceFacts)
#include "tst_referencefacts.moc"
