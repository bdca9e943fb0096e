// Pasted text in the editors: refused whole beyond a box's limit, never cut; one-line boxes
// keep one line; headings showing a name stay one line high.
#include "OwnSupport.h"
#include "editors/AddFormulaWindow.h"
#include "editors/AddHerbWindow.h"
#include "formulas/FormulaWindow.h"
#include "herbs/HerbWindow.h"
#include "support/WidgetHelpers.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QTabWidget>

using tavirel::app::MessageBox;
using namespace tavirel::test;

class TestOwnPaste : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_program = std::make_unique<OpenProgram>();
        QVERIFY2(m_program->isValid(), qPrintable(m_program->errors()));
    }
    void init() { MessageBox::setTestMode(true); }
    void pasteBeyondTheLimitIsRefused_data();
    void pasteBeyondTheLimitIsRefused();
    void pastedLineBreaksBecomeBlanks_data();
    void pastedLineBreaksBecomeBlanks();
    void longNamesStayOnOneLine();

private:
    std::unique_ptr<QDialog> editor(bool herb)
    {
        if (herb)
            return std::make_unique<tavirel::editors::AddHerbWindow>(m_program->context());
        return std::make_unique<tavirel::editors::AddFormulaWindow>(m_program->context());
    }
    std::unique_ptr<OpenProgram> m_program;
};

namespace {

void paste(QWidget* box, bool byKey)
{
    if (byKey)
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    else // the context menu's "Paste", or the middle mouse button
        QVERIFY(QMetaObject::invokeMethod(box, "paste"));
}

} // namespace

void TestOwnPaste::pasteBeyondTheLimitIsRefused_data()
{
    QTest::addColumn<bool>("herb");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("byKey");
    QTest::newRow("herb Pinyin Name, key") << true << "Text1" << 50 << true;
    QTest::newRow("herb Earliest Record, menu") << true << "Text3" << 50 << false;
    QTest::newRow("herb Part Used, key") << true << "Text4" << 255 << true;
    QTest::newRow("herb Functions, menu") << true << "Text7" << 255 << false;
    QTest::newRow("herb Cautions, key") << true << "Text9" << 65535 << true;
    QTest::newRow("formula name, menu") << false << "Text1" << 100 << false;
    QTest::newRow("formula Methods, key") << false << "Text2" << 255 << true;
    QTest::newRow("formula Indications, menu") << false << "Text4" << 65535 << false;
}

void TestOwnPaste::pasteBeyondTheLimitIsRefused()
{
    QFETCH(bool, herb);
    QFETCH(QString, box);
    QFETCH(int, limit);
    QFETCH(bool, byKey);
    const auto window = editor(herb);
    QWidget* w = control<QWidget>(window.get(), box);
    setBox(window.get(), box, "ab");
    w->setFocus();

    // One character too many, and far too many: refused whole, with the typing limit's message.
    for (const int size : {limit - 1, 70000}) {
        QApplication::clipboard()->setText(QString(size, QLatin1Char('x')));
        paste(w, byKey);
        // Told once the paste is over.
        QStringList shown;
        QTRY_VERIFY((shown += shownTexts(), !shown.isEmpty()));
        QCOMPARE(shown,
                 QStringList{QString("Input text too long. The maximum bytes is %1.").arg(limit)});
        QCOMPARE(textOf(window.get(), box), QStringLiteral("ab"));
    }
    // What fits is taken whole.
    QApplication::clipboard()->setText(QString(limit - 2, QLatin1Char('y')));
    paste(w, byKey);
    QCOMPARE(textOf(window.get(), box).size(), limit);
    QCoreApplication::processEvents();
    QCOMPARE(shownTexts(), QStringList());
}

void TestOwnPaste::pastedLineBreaksBecomeBlanks_data()
{
    QTest::addColumn<bool>("herb");
    QTest::addColumn<QString>("box");
    QTest::newRow("herb Pinyin Name") << true << "Text1";
    QTest::newRow("herb Dosage") << true << "Text10";
    QTest::newRow("formula name") << false << "Text1";
    QTest::newRow("formula dosage editor") << false << "Text5";
}

void TestOwnPaste::pastedLineBreaksBecomeBlanks()
{
    QFETCH(bool, herb);
    QFETCH(QString, box);
    const auto window = editor(herb);
    QWidget* w = control<QWidget>(window.get(), box);
    QApplication::clipboard()->setText(QStringLiteral("Bai\nZhu\r\nRoot\u2029 9"));
    paste(w, true);
    QCOMPARE(textOf(window.get(), box), QStringLiteral("Bai Zhu Root  9"));
    // A long pasted dosage is not cut either.
    if (box == "Text5") {
        QApplication::clipboard()->setText(QString(40000, QLatin1Char('9')));
        paste(w, false);
        QCOMPARE(textOf(window.get(), box).size(), 40000 + 15);
    }
    QCOMPARE(shownTexts(), QStringList());
}

void TestOwnPaste::longNamesStayOnOneLine()
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

QTEST_MAIN(TestOwnPaste)
#include "tst_ownpaste.moc"
