#include "app/MessageBox.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "editors/AddHerbWindow.h"
#include "support/TestSupport.h"
#include "support/WidgetHelpers.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>

using tavirel::app::MessageBox;
using tavirel::editors::AddHerbWindow;
using namespace tavirel::test;

namespace {

const QString nameInUse = "This herb name is alreadly in datebase! Please change.";
const QString addAnother = "Added completely! Add another?";
const QString tooLong = "Input text too long. The maximum bytes is %1.";
// The ten boxes, in the order of the columns they fill in wholeRow.
const QStringList boxes = {"Text1", "Text2", "Text3", "Text4",  "Text5",
                           "Text6", "Text7", "Text8", "Text10", "Text9"};
const QStringList fixtureOwn = {"Li's Herb", "Bai_Zhu%"};
// An own herb's columns, joined by "|".
const QString wholeRow = "name1 || '|' || name2 || '|' || source || '|' || used || '|' || taste || "
                         "'|' || meridians || '|' || functions || '|' || indications || '|' || "
                         "dosage || '|' || coutions";

} // namespace

class TestAddHerb : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup() { m_window.reset(); }
    void enterEscapeAndExit();
    void refusedSaves_data();
    void refusedSaves();
    void savesOneHerbAfterAnother();
    void typingAndPastingStopAtTheLimit_data();
    void typingAndPastingStopAtTheLimit();

private:
    QWidget* box(const QString& name) { return control<QWidget>(m_window.get(), name); }
    QString text(const QString& name) const { return textOf(m_window.get(), name); }
    void click(const QString& button) { QTest::mouseClick(box(button), Qt::LeftButton); }
    // Types the name into Text1 and "TextN of name" into the other boxes but one.
    void typeHerb(const QString& name, const QString& skip = {});
    QStringList typed() const;                       // every box's text
    QStringList ownHerbs(const QString& what) const; // of each own herb, in stored order

    std::unique_ptr<OpenProgram> m_program;
    std::unique_ptr<AddHerbWindow> m_window;
};

void TestAddHerb::initTestCase()
{
    m_program = std::make_unique<OpenProgram>("editors-herbs");
    QVERIFY2(m_program->isValid(), qPrintable(m_program->errors()));
}

void TestAddHerb::init()
{
    MessageBox::setTestMode(true);
    // Every case starts from the fixture's own herbs: what an earlier case saved goes.
    tavirel::data::Database own;
    QVERIFY(own.open(m_program->folder().file(tavirel::data::schema::ownFileName),
                     tavirel::data::Database::Mode::ReadWrite));
    QVERIFY(own.exec(QStringLiteral("DELETE FROM ownherb WHERE name1 NOT IN (?, ?)"),
                     {fixtureOwn[0], fixtureOwn[1]}));
    // The database itself refuses one name, as a full disk would refuse any.
    QVERIFY(own.exec(QStringLiteral("CREATE TRIGGER IF NOT EXISTS refuse BEFORE INSERT ON ownherb "
                                    "WHEN new.name1 = 'Lost Herb' BEGIN SELECT RAISE(ABORT, "
                                    "'disk is full'); END")));
    QCOMPARE(ownHerbs("name1"), fixtureOwn);
    m_window = std::make_unique<AddHerbWindow>(m_program->context());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestAddHerb::typeHerb(const QString& name, const QString& skip)
{
    for (const QString& b : boxes) {
        if (b == skip)
            continue;
        box(b)->setFocus();
        QTest::keyClicks(box(b), b == "Text1" ? name : b + " of " + name);
    }
}

QStringList TestAddHerb::typed() const
{
    QStringList texts;
    for (const QString& b : boxes)
        texts << text(b);
    return texts;
}

QStringList TestAddHerb::ownHerbs(const QString& what) const
{
    return columnValues(m_program->folder().file(tavirel::data::schema::ownFileName), {},
                        QStringLiteral("SELECT %1 FROM ownherb ORDER BY rowid").arg(what));
}

void TestAddHerb::enterEscapeAndExit()
{
    // Enter walks the boxes as Tab does from Text1 on, a multi-line box taking its line break
    // first, and never presses a button.
    QCOMPARE(typed(), QStringList(boxes.size(), QString()));
    QStringList walked = {QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 10; ++i) {
        QTest::keyClicks(QApplication::focusWidget(), "abc");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, QStringList({"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7",
                                  "Text8", "Text9", "Text10", "Command2"}));
    QCOMPARE(typed(), QStringList({"abc", "abc", "abc", "abc\n", "abc", "abc", "abc\n", "abc\n",
                                   "abc", "abc\n"}));
    // Escape keeps the window and what was typed; Exit closes it without writing.
    QTest::keyClick(box("Text1"), Qt::Key_Escape);
    QVERIFY(m_window->isVisible());
    QCOMPARE(text("Text1"), QStringLiteral("abc"));
    click("Command2");
    QVERIFY(!m_window->isVisible());
    QCOMPARE(ownHerbs("name1"), fixtureOwn);
    QCOMPARE(shownTexts(), QStringList());
}

void TestAddHerb::refusedSaves_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("empty"); // a box left empty
    QTest::addColumn<QString>("message");
    // The name is in use too: the empty box is what the user hears about.
    for (const QString& b : boxes)
        QTest::addRow("%s empty", qPrintable(b))
            << "Ma Huang" << b << "Should Input All Informations!";
    QTest::newRow("built-in herb") << "Ma Huang" << QString() << nameInUse;
    QTest::newRow("built-in herb, other letter case") << "MA HUANG" << QString() << nameInUse;
    QTest::newRow("built-in herb with an apostrophe") << "O'Brien Root" << QString() << nameInUse;
    QTest::newRow("own herb with an apostrophe") << "Li's Herb" << QString() << nameInUse;
    QTest::newRow("own herb of wildcard characters") << "Bai_Zhu%" << QString() << nameInUse;
    QTest::newRow("a comma in the name")
        << "Bai, Zhu" << QString()
        << "A Pinyin name can not contain a comma (\",\"): your own formulas list their herbs "
           "separated by commas. Please change.";
    // Nothing is lost when the database refuses the row: the boxes keep it, to try again.
    QTest::newRow("the database refuses the row")
        << "Lost Herb" << QString()
        << "The herb \"Lost Herb\" could not be saved.\nFile: <own>\nReason: disk is full";
}

void TestAddHerb::refusedSaves()
{
    QFETCH(QString, name);
    QFETCH(QString, empty);
    QFETCH(QString, message);
    typeHerb(name, empty);
    const QStringList before = typed();
    box("Command1")->setFocus();
    click("Command1");
    message.replace("<own>", m_program->folder().file(tavirel::data::schema::ownFileName));
    QCOMPARE(shownTexts(), QStringList{message});
    QCOMPARE(typed(), before);
    QCOMPARE(ownHerbs("name1"), fixtureOwn);
    QVERIFY(m_window->isVisible());
    if (message == nameInUse || message.contains("comma")) // back in the name, to change it
        QCOMPARE(QApplication::focusWidget(), box("Text1"));
}

void TestAddHerb::savesOneHerbAfterAnother()
{
    // Typed as a user would: a line break in the indications, blanks around the cautions.
    typeHerb("Chen's Root", "Text9");
    box("Text8")->setFocus();
    QTest::keyClick(box("Text8"), Qt::Key_Return);
    QTest::keyClicks(box("Text8"), "second line");
    QTest::keyClicks(box("Text9"), "  none  ");
    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    click("Command1");
    QCOMPARE(shownTexts(), QStringList{addAnother});
    QCOMPARE(ownHerbs(wholeRow).last(),
             QStringList({"Chen's Root", "Text2 of Chen's Root", "Text3 of Chen's Root",
                          "Text4 of Chen's Root", "Text5 of Chen's Root", "Text6 of Chen's Root",
                          "Text7 of Chen's Root", "Text8 of Chen's Root\nsecond line",
                          "Text10 of Chen's Root", "  none  "})
                 .join('|'));
    // Yes: every box empty again, the window still open.
    QVERIFY(m_window->isVisible());
    QCOMPARE(typed(), QStringList(boxes.size(), QString()));

    // The herb just saved is in use now, whatever the letter case.
    typeHerb("CHEN'S ROOT");
    click("Command1");
    QCOMPARE(shownTexts(), QStringList{nameInUse});
    // Wildcard characters of an own name match only themselves; No closes the window.
    setBox(m_window.get(), "Text1", "BaiXZhu");
    MessageBox::setNextAnswer(MessageBox::Answer::No);
    click("Command1");
    QCOMPARE(shownTexts(), QStringList{addAnother});
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_window->result(), int(QDialog::Accepted));
    QCOMPARE(ownHerbs("name1"), fixtureOwn + QStringList({"Chen's Root", "BaiXZhu"}));
}

void TestAddHerb::typingAndPastingStopAtTheLimit_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("limit");
    QTest::newRow("Pinyin Name") << "Text1" << 50;
    QTest::newRow("Dosage") << "Text10" << 50;
    QTest::newRow("Part Used & Method") << "Text4" << 255;
    QTest::newRow("Functions") << "Text7" << 255;
    QTest::newRow("Cautions") << "Text9" << 65535;
}

void TestAddHerb::typingAndPastingStopAtTheLimit()
{
    QFETCH(QString, box);
    QFETCH(int, limit);
    QWidget* w = this->box(box);
    // Lines of ten characters, one short of the limit.
    QString full;
    while (full.size() < limit - 1)
        full += QStringLiteral("abcdefghi\n");
    setBox(m_window.get(), box, full.first(limit - 1));
    w->setFocus();
    QTest::keyClick(w, Qt::Key_A); // the last one that fits
    QCOMPARE(shownTexts(), QStringList());

    QTest::keyClick(w, Qt::Key_B); // one too many, whatever is selected
    if (auto* line = qobject_cast<QLineEdit*>(w))
        line->selectAll();
    QTest::keyClick(w, Qt::Key_C);
    QTest::keyClick(w, Qt::Key_Return); // Enter too, and the focus stays
    QCOMPARE(shownTexts(), QStringList(3, tooLong.arg(limit)));
    QCOMPARE(text(box).size(), limit);
    QVERIFY(text(box).endsWith(QLatin1Char('a')));
    QCOMPARE(QApplication::focusWidget(), w);

    QTest::keyClick(w, Qt::Key_End); // keys that type nothing pass
    QTest::keyClick(w, Qt::Key_Backspace);
    QTest::keyClick(w, Qt::Key_D);
    QCOMPARE(text(box).size(), limit);
    QVERIFY(text(box).endsWith(QLatin1Char('d')));
    QCOMPARE(shownTexts(), QStringList());

    // A paste one too many, or far too many, is refused whole, never cut, by key or by the
    // context menu; told once the paste is over. What fits is taken whole.
    setBox(m_window.get(), box, "ab");
    for (const bool byKey : {true, false}) {
        for (const int size : {limit - 1, 70000}) {
            QApplication::clipboard()->setText(QString(size, QLatin1Char('x')));
            paste(w, byKey);
            QStringList shown;
            QTRY_VERIFY((shown += shownTexts(), !shown.isEmpty()));
            QCOMPARE(shown, QStringList{tooLong.arg(limit)});
            QCOMPARE(text(box), QStringLiteral("ab"));
        }
    }
    QApplication::clipboard()->setText(QString(limit - 2, QLatin1Char('y')));
    paste(w, false);
    QCOMPARE(text(box).size(), limit);
    QCoreApplication::processEvents();
    QCOMPARE(shownTexts(), QStringList());
}

QTEST_MAIN(TestAddHerb)
#include "tst_addherb.moc"
