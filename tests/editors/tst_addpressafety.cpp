// The add-formula window's Save asks before it stores a composition the safety check has
// findings for; No keeps everything composed.
#include "app/MessageBox.h"
#include "editors/AddFormulaWindow.h"
#include "formulas/Grid.h"
#include "support/TestSupport.h"
#include "support/WidgetHelpers.h"

#include <QLineEdit>
#include <QListWidget>

using tavirel::app::MessageBox;
using tavirel::editors::AddFormulaWindow;
using tavirel::formulas::Grid;
using tavirel::test::control;
using Composition = QList<std::pair<QString, QString>>; // herb, dosage typed

class TestAddPresSafety : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_window.reset(); }
    void findingsAreAskedAbout_data();
    void findingsAreAskedAbout();

private:
    std::unique_ptr<tavirel::test::OpenProgram> m_program;
    std::unique_ptr<AddFormulaWindow> m_window;

    QWidget* widget(const char* name) { return control<QWidget>(m_window.get(), name); }
    void compose(const QString& name, const Composition& herbs);
    QStringList ownFormulas();
};

void TestAddPresSafety::init()
{
    MessageBox::setTestMode(true);
    m_program = std::make_unique<tavirel::test::OpenProgram>(QStringLiteral("facts"));
    QVERIFY2(m_program->isValid(), qPrintable(m_program->errors()));
    m_window = std::make_unique<AddFormulaWindow>(m_program->context());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestAddPresSafety::compose(const QString& name, const Composition& herbs)
{
    auto* list = control<QListWidget>(m_window.get(), "List1");
    auto* grid = control<Grid>(m_window.get(), "Grid1");
    for (const auto& [herb, dose] : herbs) {
        list->clearSelection();
        list->findItems(herb, Qt::MatchExactly).value(0)->setSelected(true);
        QTest::mouseClick(widget("Command3"), Qt::LeftButton);
        const int row = grid->rows() - 2;
        const QModelIndex cell = grid->model()->index(row - 1, 1);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
        QTest::keyClicks(control<QLineEdit>(m_window.get(), "Text5"), dose);
    }
    control<QLineEdit>(m_window.get(), "Text1")->setText(name);
    widget("Text2")->setProperty("text", QStringLiteral("Decoction"));
    widget("Text3")->setProperty("plainText", QStringLiteral("Functions"));
    widget("Text4")->setProperty("plainText", QStringLiteral("Indications"));
}

QStringList TestAddPresSafety::ownFormulas()
{
    return tavirel::test::columnValues(
        m_program->folder().file(QStringLiteral("yourown.MDB")), {},
        QStringLiteral("SELECT name || '|' || construction || '|' || dosage FROM ownpres ORDER "
                       "BY name"));
}

void TestAddPresSafety::findingsAreAskedAbout_data()
{
    QTest::addColumn<Composition>("herbs");
    QTest::addColumn<QStringList>("question"); // the findings listed; none: nothing asked
    QTest::addColumn<bool>("yes");
    using Herbs = Composition;
    const QStringList pair{"Fu Zi and Ban Xia are one of the eighteen antagonisms: they are not "
                           "to be used together.",
                           "Fu Zi is contraindicated in pregnancy.",
                           "Fu Zi is toxic: keep to its dose and preparation."};
    QTest::newRow("antagonism, No keeps it all")
        << Herbs{{"Fu Zi", "6"}, {"Ban Xia", "9"}} << pair << false;
    QTest::newRow("antagonism, Yes saves")
        << Herbs{{"Fu Zi", "6"}, {"Ban Xia", "9"}} << pair << true;
    QTest::newRow("dose above the range")
        << Herbs{{"Ban Xia", "12"}}
        << QStringList{"Ban Xia at 12 g is above its usual dose (3-9 g)."} << true;
    QTest::newRow("safe: nothing asked") << Herbs{{"Ban Xia", "6"}} << QStringList{} << true;
}

void TestAddPresSafety::findingsAreAskedAbout()
{
    QFETCH(Composition, herbs);
    QFETCH(QStringList, question);
    QFETCH(bool, yes);
    QStringList names, doses;
    for (const auto& [herb, dose] : herbs) {
        names << herb;
        doses << dose;
    }
    compose(QStringLiteral("Checked Tang"), herbs);
    const QStringList before = ownFormulas();
    if (!question.isEmpty())
        MessageBox::setNextAnswer(yes ? MessageBox::Answer::Yes : MessageBox::Answer::No);
    MessageBox::setNextAnswer(MessageBox::Answer::No); // "Add another?"
    QTest::mouseClick(widget("Command1"), Qt::LeftButton);

    const auto shown = MessageBox::takeShown();
    QList<MessageBox::Shown> asked = shown;
    if (!question.isEmpty()) {
        QVERIFY(!asked.isEmpty());
        QCOMPARE(asked.first().icon, MessageBox::Icon::Question);
        QCOMPARE(asked.first().text,
                 QStringLiteral("This composition needs care:\n\n%1\n\nSave it anyway?")
                     .arg(question.join('\n')));
        asked.removeFirst();
    }
    if (!yes) {
        QVERIFY(asked.isEmpty());
        QCOMPARE(ownFormulas(), before);
        // Everything typed is still there, to change.
        QCOMPARE(control<QLineEdit>(m_window.get(), "Text1")->text(),
                 QStringLiteral("Checked Tang"));
        QCOMPARE(control<Grid>(m_window.get(), "Grid1")->text(2, 0), names.value(1));
        QVERIFY(m_window->isVisible());
        return;
    }
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.first().text, QStringLiteral("Added completely! Add another?"));
    QVERIFY(ownFormulas().contains(QStringLiteral("Checked Tang|") + names.join(',') + '|' +
                                   doses.join(',')));
}

QTEST_MAIN(TestAddPresSafety)
#include "tst_addpressafety.moc"
