// Pasted text in the editors: one-line boxes keep one line, a long dosage is not cut; headings
// showing a name stay one line high.
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
