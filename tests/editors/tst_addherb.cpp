#include "app/Buttons.h"
#include "app/MessageBox.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "data/Statement.h"
#include "editors/AddHerbWindow.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>

using tavirel::app::MessageBox;
using tavirel::editors::AddHerbWindow;
using tavirel::test::control;

namespace {

const QString allInformations = QStringLiteral("Should Input All Informations!");
const QString nameInUse = QStringLiteral("This herb name is alreadly in datebase! Please change.");
const QString addAnother = QStringLiteral("Added completely! Add another?");

// The ten boxes and the column each one fills, in the order ownherb's columns are compared.
const QStringList boxes = {QStringLiteral("Text1"),  QStringLiteral("Text2"),
                           QStringLiteral("Text3"),  QStringLiteral("Text4"),
                           QStringLiteral("Text5"),  QStringLiteral("Text6"),
                           QStringLiteral("Text7"),  QStringLiteral("Text8"),
                           QStringLiteral("Text10"), QStringLiteral("Text9")};
const QString ownColumns = QStringLiteral(
    "name1, name2, source, used, taste, meridians, functions, indications, dosage, coutions");

QString textOf(QWidget* box)
{
    if (auto* line = qobject_cast<QLineEdit*>(box))
        return line->text();
    return qobject_cast<QPlainTextEdit*>(box)->toPlainText();
}

void setTextOf(QWidget* box, const QString& text)
{
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->setText(text);
    else
        qobject_cast<QPlainTextEdit*>(box)->setPlainText(text);
    if (auto* plain = qobject_cast<QPlainTextEdit*>(box))
        plain->moveCursor(QTextCursor::End);
}

} // namespace

class TestAddHerb : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void windowAndTabOrder();
    void anyEmptyBoxIsRefused_data();
    void anyEmptyBoxIsRefused();
    void usedNamesAreRefused_data();
    void usedNamesAreRefused();
    void savesOneHerbAfterAnother();
    void commaInTheNameIsRefused();
    void typingStopsAtTheLimit_data();
    void typingStopsAtTheLimit();
    void enterMovesOn_data();
    void enterMovesOn();
    void rowTheDatabaseRefusesLosesNothing();
    void screenshot();

private:
    QWidget* box(const QString& name) { return control<QWidget>(m_window.get(), name); }
    QWidget* button(const QString& name) { return box(name); }
    // Types into every box, as a user would: "name" for Text1, the box's name elsewhere.
    void typeHerb(const QString& name, const QString& skip = {});
    QStringList ownNames() const;
    QStringList ownRow(const QString& name) const;

    std::unique_ptr<tavirel::test::OpenProgram> m_program;
    std::unique_ptr<AddHerbWindow> m_window;
};

void TestAddHerb::initTestCase()
{
    m_program = std::make_unique<tavirel::test::OpenProgram>(QStringLiteral("editors-herbs"));
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
                     {QStringLiteral("Li's Herb"), QStringLiteral("Bai_Zhu%")}));
    QCOMPARE(ownNames(), QStringList({"Li's Herb", "Bai_Zhu%"}));
    m_window = std::make_unique<AddHerbWindow>(m_program->context());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestAddHerb::cleanup()
{
    m_window.reset();
}

void TestAddHerb::typeHerb(const QString& name, const QString& skip)
{
    for (const QString& b : boxes) {
        if (b == skip)
            continue;
        QWidget* w = box(b);
        w->setFocus();
        QTest::keyClicks(w, b == QLatin1String("Text1") ? name
                                                        : QStringLiteral("%1 of %2").arg(b, name));
    }
}

QStringList TestAddHerb::ownNames() const
{
    return tavirel::test::columnValues(m_program->folder().file(tavirel::data::schema::ownFileName),
                                       {},
                                       QStringLiteral("SELECT name1 FROM ownherb ORDER BY rowid"));
}

QStringList TestAddHerb::ownRow(const QString& name) const
{
    tavirel::data::Database db;
    if (!db.open(m_program->folder().file(tavirel::data::schema::ownFileName),
                 tavirel::data::Database::Mode::ReadOnly))
        return {db.errorString()};
    tavirel::data::Statement row(
        db, QStringLiteral("SELECT %1 FROM ownherb WHERE name1 = ?").arg(ownColumns), {name});
    QStringList values;
    if (row.next()) {
        for (int i = 0; i < row.columnCount(); ++i)
            values << row.value(i).toString();
    }
    return values;
}

void TestAddHerb::windowAndTabOrder()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("addHerb"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Add Herbs"));
    QVERIFY(
        !(m_window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(m_window->width() >= 635 && m_window->height() >= 535);
    QCOMPARE(tavirel::app::buttonCaption(button(QStringLiteral("Command1"))),
             QStringLiteral("Save"));
    QCOMPARE(tavirel::app::buttonCaption(button(QStringLiteral("Command2"))),
             QStringLiteral("Exit"));

    // Every box starts empty with the focus in the first; Tab walks them by number, then Exit,
    // then Save.
    for (const QString& b : boxes)
        QVERIFY(textOf(box(b)).isEmpty());
    QCOMPARE(QApplication::focusWidget(), box(QStringLiteral("Text1")));
    QStringList walked;
    for (int i = 0; i < 11; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, QStringList({"Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8",
                                  "Text9", "Text10", "Command2", "Command1"}));

    // Escape keeps the window and what was typed; Exit closes it without writing.
    QTest::keyClicks(box(QStringLiteral("Text1")), QStringLiteral("Half typed"));
    QTest::keyClick(box(QStringLiteral("Text1")), Qt::Key_Escape);
    QVERIFY(m_window->isVisible());
    QCOMPARE(textOf(box(QStringLiteral("Text1"))), QStringLiteral("Half typed"));
    QTest::mouseClick(button(QStringLiteral("Command2")), Qt::LeftButton);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(ownNames(), QStringList({"Li's Herb", "Bai_Zhu%"}));
    QCOMPARE(MessageBox::takeShown().size(), 0);
}

void TestAddHerb::anyEmptyBoxIsRefused_data()
{
    QTest::addColumn<QString>("empty");
    for (const QString& b : boxes)
        QTest::newRow(qPrintable(b)) << b;
}

void TestAddHerb::anyEmptyBoxIsRefused()
{
    QFETCH(QString, empty);
    // The name is also in use: the empty box is what the user hears about.
    typeHerb(QStringLiteral("Ma Huang"), empty);
    QMap<QString, QString> typed;
    for (const QString& b : boxes)
        typed.insert(b, textOf(box(b)));

    QTest::mouseClick(button(QStringLiteral("Command1")), Qt::LeftButton);
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().text, allInformations);
    QCOMPARE(shown.first().icon, MessageBox::Icon::Information);
    QCOMPARE(ownNames(), QStringList({"Li's Herb", "Bai_Zhu%"}));
    for (const QString& b : boxes)
        QCOMPARE(textOf(box(b)), typed.value(b));
    QVERIFY(m_window->isVisible());
}

void TestAddHerb::usedNamesAreRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("built-in herb") << QStringLiteral("Ma Huang");
    QTest::newRow("built-in herb, other letter case") << QStringLiteral("MA HUANG");
    QTest::newRow("built-in herb with an apostrophe") << QStringLiteral("O'Brien Root");
    QTest::newRow("own herb with an apostrophe") << QStringLiteral("Li's Herb");
    QTest::newRow("own herb of wildcard characters") << QStringLiteral("Bai_Zhu%");
}

void TestAddHerb::usedNamesAreRefused()
{
    QFETCH(QString, name);
    typeHerb(name);
    button(QStringLiteral("Command1"))->setFocus();
    QTest::mouseClick(button(QStringLiteral("Command1")), Qt::LeftButton);

    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().text, nameInUse);
    QCOMPARE(shown.first().icon, MessageBox::Icon::Information);
    QCOMPARE(QApplication::focusWidget(), box(QStringLiteral("Text1")));
    QCOMPARE(textOf(box(QStringLiteral("Text1"))), name);
    QCOMPARE(textOf(box(QStringLiteral("Text9"))), QStringLiteral("Text9 of ") + name);
    QCOMPARE(ownNames(), QStringList({"Li's Herb", "Bai_Zhu%"}));
}

void TestAddHerb::savesOneHerbAfterAnother()
{
    // Typed as a user would: a line break in the indications, only blanks in the cautions.
    typeHerb(QStringLiteral("Chen's Root"));
    auto* indications = box(QStringLiteral("Text8"));
    indications->setFocus();
    QTest::keyClick(indications, Qt::Key_Return);
    QTest::keyClicks(indications, QStringLiteral("second line"));
    setTextOf(box(QStringLiteral("Text9")), {});
    QTest::keyClicks(box(QStringLiteral("Text9")), QStringLiteral("   "));

    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    QTest::mouseClick(button(QStringLiteral("Command1")), Qt::LeftButton);
    auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().text, addAnother);
    QCOMPARE(shown.first().icon, MessageBox::Icon::Question);
    QCOMPARE(shown.first().buttons, MessageBox::Buttons::YesNo);
    QCOMPARE(ownRow(QStringLiteral("Chen's Root")),
             QStringList({"Chen's Root", "Text2 of Chen's Root", "Text3 of Chen's Root",
                          "Text4 of Chen's Root", "Text5 of Chen's Root", "Text6 of Chen's Root",
                          "Text7 of Chen's Root", "Text8 of Chen's Root\nsecond line",
                          "Text10 of Chen's Root", "   "}));
    // Yes: every box empty again, the window still open.
    QVERIFY(m_window->isVisible());
    for (const QString& b : boxes)
        QVERIFY2(textOf(box(b)).isEmpty(), qPrintable(b));

    // The herb just saved is in use now, whatever the letter case.
    typeHerb(QStringLiteral("CHEN'S ROOT"));
    QTest::mouseClick(button(QStringLiteral("Command1")), Qt::LeftButton);
    shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().text, nameInUse);

    // Wildcard characters of an own name match only themselves; No closes the window.
    for (const QString& b : boxes)
        setTextOf(box(b), {});
    typeHerb(QStringLiteral("BaiXZhu"));
    MessageBox::setNextAnswer(MessageBox::Answer::No);
    QTest::mouseClick(button(QStringLiteral("Command1")), Qt::LeftButton);
    shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().text, addAnother);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_window->result(), int(QDialog::Accepted));
    QCOMPARE(ownNames(), QStringList({"Li's Herb", "Bai_Zhu%", "Chen's Root", "BaiXZhu"}));
}

void TestAddHerb::commaInTheNameIsRefused()
{
    typeHerb(QStringLiteral("Bai, Zhu"));
    QTest::mouseClick(button(QStringLiteral("Command1")), Qt::LeftButton);
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown.first().text.contains(QLatin1String("comma")));
    QCOMPARE(shown.first().icon, MessageBox::Icon::Information);
    QCOMPARE(QApplication::focusWidget(), box(QStringLiteral("Text1")));
    QCOMPARE(textOf(box(QStringLiteral("Text1"))), QStringLiteral("Bai, Zhu"));
    QCOMPARE(ownNames(), QStringList({"Li's Herb", "Bai_Zhu%"}));
}

void TestAddHerb::typingStopsAtTheLimit_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("limit");
    QTest::newRow("Pinyin Name") << QStringLiteral("Text1") << 50;
    QTest::newRow("Dosage") << QStringLiteral("Text10") << 50;
    QTest::newRow("Part Used & Method") << QStringLiteral("Text4") << 255;
    QTest::newRow("Functions") << QStringLiteral("Text7") << 255;
    QTest::newRow("Cautions") << QStringLiteral("Text9") << 65535;
}

void TestAddHerb::typingStopsAtTheLimit()
{
    QFETCH(QString, name);
    QFETCH(int, limit);
    QWidget* w = box(name);
    const QString message =
        QStringLiteral("Input text too long. The maximum bytes is %1.").arg(limit);

    // Lines of ten characters, one short of the limit.
    QString text;
    while (text.size() < limit - 1)
        text += (limit - 1 - text.size() >= 10)
                    ? QStringLiteral("abcdefghi\n")
                    : QString(limit - 1 - text.size(), QLatin1Char('z'));
    setTextOf(w, text.first(limit - 1));
    w->setFocus();

    QTest::keyClick(w, Qt::Key_A); // the last one that fits
    QCOMPARE(textOf(w).size(), limit);
    QCOMPARE(MessageBox::takeShown().size(), 0);

    QTest::keyClick(w, Qt::Key_B); // one too many, whatever is selected
    if (auto* line = qobject_cast<QLineEdit*>(w))
        line->selectAll();
    QTest::keyClick(w, Qt::Key_C);
    QTest::keyClick(w, Qt::Key_Return); // Enter too, and the focus stays
    auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 3);
    for (const auto& s : shown) {
        QCOMPARE(s.text, message);
        QCOMPARE(s.icon, MessageBox::Icon::Information);
    }
    QCOMPARE(textOf(w).size(), limit);
    QVERIFY(textOf(w).endsWith(QLatin1Char('a')));
    QCOMPARE(QApplication::focusWidget(), w);

    QTest::keyClick(w, Qt::Key_End); // keys that type nothing pass
    QTest::keyClick(w, Qt::Key_Backspace);
    QCOMPARE(textOf(w).size(), limit - 1);
    QTest::keyClick(w, Qt::Key_D);
    QCOMPARE(textOf(w).size(), limit);
    QCOMPARE(MessageBox::takeShown().size(), 0);
}

void TestAddHerb::enterMovesOn_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("typed");

    QTest::newRow("one line to one line")
        << QStringLiteral("Text1") << QStringLiteral("Text2") << QStringLiteral("abc");
    QTest::newRow("one line to many")
        << QStringLiteral("Text3") << QStringLiteral("Text4") << QStringLiteral("abc");
    QTest::newRow("many lines take the break")
        << QStringLiteral("Text8") << QStringLiteral("Text9") << QStringLiteral("abc\n");
    QTest::newRow("last box to Exit")
        << QStringLiteral("Text10") << QStringLiteral("Command2") << QStringLiteral("abc");
}

void TestAddHerb::enterMovesOn()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, typed);

    QWidget* w = box(from);
    w->setFocus();
    QTest::keyClicks(w, QStringLiteral("abc"));
    QTest::keyClick(w, Qt::Key_Return);
    QCOMPARE(textOf(w), typed);
    QCOMPARE(QApplication::focusWidget(), box(to));
    // Enter in a box never presses a button.
    QVERIFY(m_window->isVisible());
    QCOMPARE(MessageBox::takeShown().size(), 0);
}

void TestAddHerb::rowTheDatabaseRefusesLosesNothing()
{
    // Another program adds the same name after the window has opened.
    {
        tavirel::data::Database other;
        QVERIFY(other.open(m_program->folder().file(tavirel::data::schema::ownFileName),
                           tavirel::data::Database::Mode::ReadWrite));
        QVERIFY(other.exec(
            QStringLiteral("INSERT INTO ownherb (%1) VALUES (?,?,?,?,?,?,?,?,?,?)").arg(ownColumns),
            {"Late Herb", "a", "b", "c", "d", "e", "f", "g", "h", "i"}));
    }
    typeHerb(QStringLiteral("Late Herb"));
    QTest::mouseClick(button(QStringLiteral("Command1")), Qt::LeftButton);
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown.first().text.startsWith(QLatin1String("The herb could not be saved")));
    QVERIFY(m_window->isVisible());
    QCOMPARE(textOf(box(QStringLiteral("Text7"))), QStringLiteral("Text7 of Late Herb"));
    QCOMPARE(ownNames(), QStringList({"Li's Herb", "Bai_Zhu%", "Late Herb"}));
    QCOMPARE(ownRow(QStringLiteral("Late Herb")).at(1), QStringLiteral("a"));
}

void TestAddHerb::screenshot()
{
    const QString folder = qEnvironmentVariable("TAVIREL_SHOTS");
    if (folder.isEmpty())
        QSKIP("set TAVIREL_SHOTS to a folder to save screenshots");
    QDir().mkpath(folder);
    const QList<std::pair<QString, QString>> herb = {
        {QStringLiteral("Text1"), QStringLiteral("Chen's Root")},
        {QStringLiteral("Text2"), QStringLiteral("Radix Cheni")},
        {QStringLiteral("Text3"), QStringLiteral("Notes of my teacher")},
        {QStringLiteral("Text4"),
         QStringLiteral("Root; dug in autumn, sliced and dried in the sun")},
        {QStringLiteral("Text5"), QStringLiteral("Sweet, slightly bitter, cool")},
        {QStringLiteral("Text6"), QStringLiteral("Lung, Stomach")},
        {QStringLiteral("Text10"), QStringLiteral("6-12 g")},
        {QStringLiteral("Text7"), QStringLiteral("Clears heat and generates fluids")},
        {QStringLiteral("Text8"), QStringLiteral("Thirst from heat in the Stomach.\nDry cough.")},
    };
    for (const auto& [name, text] : herb)
        setTextOf(box(name), text);
    QVERIFY(m_window->grab().save(QDir(folder).filePath(QStringLiteral("addHerb.png"))));
}

QTEST_MAIN(TestAddHerb)
#include "tst_addherb.moc"
