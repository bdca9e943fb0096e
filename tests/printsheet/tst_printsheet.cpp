// The printed sheet of a herb and of a formula: what it says, as PDF and as copied text, and
// the commands on the windows that make it.
#include "Windows.h"
#include "app/MessageBox.h"
#include "printsheet/SheetDocument.h"
#include "printsheet/SheetReader.h"
#include "printsheet/SheetText.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>

using namespace tavirel;
using printsheet::Sheet;

namespace {

// The lines a sheet must show: title, every field and every composition row.
QStringList expectedTexts(const Sheet& sheet)
{
    QStringList texts{sheet.title};
    if (!sheet.chinese.isEmpty())
        texts << sheet.chinese;
    if (!sheet.subtitle.isEmpty())
        texts << sheet.subtitle;
    for (const auto& field : sheet.headFields + sheet.fields)
        texts << field.caption << field.text;
    for (const auto& row : sheet.composition)
        texts << row.herb << row.grams << row.meridians;
    return texts;
}

QString simplified(QString text)
{
    return text.replace(QChar(0x00A0), QLatin1Char(' ')).simplified();
}

// How a text reads after extraction from a PDF, where spacing is guessed from glyph positions
// and letters may be joined into ligatures: compared without blanks, ligatures undone.
QString extractedForm(const QString& text)
{
    QString compact = text.normalized(QString::NormalizationForm_KC);
    compact.removeIf([](QChar c) { return c.isSpace(); });
    return compact;
}

// The text of a PDF file as a reader extracts it; empty when no extractor is installed.
QString pdfText(const QString& path)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return {};
    QProcess process;
    process.start(tool,
                  {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestPrintSheet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void sheetFollowsTheWindows();
    void pdfHoldsEveryText_data();
    void pdfHoldsEveryText();
    void commandsOnTheWindows_data();
    void commandsOnTheWindows();

private:
    std::optional<Sheet> sheetOf(bool formula, const QString& name)
    {
        auto& ctx = m_program->context();
        return formula ? printsheet::formulaSheet(ctx.refDb(), ctx.ownDb(), name)
                       : printsheet::herbSheet(ctx.refDb(), ctx.ownDb(), name);
    }
    std::unique_ptr<test::OpenProgram> m_program;
};

void TestPrintSheet::initTestCase()
{
    m_program = std::make_unique<test::OpenProgram>(QStringLiteral("quickfind"));
    QVERIFY2(m_program->isValid(), qPrintable(m_program->errors()));
}

void TestPrintSheet::init()
{
    app::MessageBox::setTestMode(true);
}

void TestPrintSheet::sheetFollowsTheWindows()
{
    auto& ctx = m_program->context();
    const auto herb = printsheet::herbSheet(ctx.refDb(), ctx.ownDb(), QStringLiteral("ma huang"));
    QVERIFY(herb);
    QCOMPARE(herb->title, QStringLiteral("Ma Huang"));
    QCOMPARE(herb->chinese, QStringLiteral("麻黄 (麻黃)"));
    QCOMPARE(herb->subtitle, QStringLiteral("Herba Ephedrae"));
    QStringList captions;
    for (const auto& field : herb->fields)
        captions << field.caption;
    QCOMPARE(captions, QStringList({"Earliest Record", "Part Used & Method", "Properties & Taste",
                                    "Meridians", "Dosage", "Functions", "Indications", "Cautions",
                                    "Source Species", "Pregnancy", "Toxicity"}));

    // A built-in composition names its herbs by picture number; the sheet by name.
    const auto formula =
        printsheet::formulaSheet(ctx.refDb(), ctx.ownDb(), QStringLiteral("Ma Huang Tang"));
    QVERIFY(formula);
    QCOMPARE(formula->composition.size(), 2);
    QCOMPARE(formula->composition.at(1).herb, QStringLiteral("Gui Zhi"));
    QCOMPARE(formula->composition.at(1).grams, QStringLiteral("6"));
    QCOMPARE(formula->composition.at(1).meridians, QStringLiteral("Heart, Lung, Bladder"));
    QCOMPARE(formula->fields.last().caption, QStringLiteral("Cautions"));

    // An own formula's own herb has its meridians from the own herbs.
    const auto own =
        printsheet::formulaSheet(ctx.refDb(), ctx.ownDb(), QStringLiteral("Ye Ju Yin"));
    QVERIFY(own);
    QCOMPARE(own->composition.first().meridians, QStringLiteral("Liver"));
    QVERIFY(!printsheet::formulaSheet(ctx.refDb(), ctx.ownDb(), QStringLiteral("Ye Ju")));
}

void TestPrintSheet::pdfHoldsEveryText_data()
{
    QTest::addColumn<bool>("formula");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("copied"); // the sheet as copied text, where it is checked
    QTest::newRow("herb") << false << QStringLiteral("Ma Huang") << QString();
    QTest::newRow("own herb") << false << QStringLiteral("Ye Ju")
                              << QStringLiteral(
                                     "Ye Ju\nPharmaceutical Name: Flos Chrysanthemi Indici\n\n"
                                     "Earliest Record: My notes\nPart Used & Method: Flower\n"
                                     "Properties & Taste: Bitter, cool\nMeridians: Liver\n"
                                     "Dosage: 9 g\nFunctions: Clears toxins\nIndications: Sores\n"
                                     "Cautions: None\n");
    QTest::newRow("formula") << true << QStringLiteral("Ma Huang Tang")
                             << QStringLiteral(
                                    "Ma Huang Tang 麻黄汤 (麻黃湯)\n"
                                    "Pinyin: Má Huáng Tāng\nEnglish: Ephedra Decoction\n"
                                    "Source Text: Shang Han Lun\nOther Names: Four Herbs\n\n"
                                    "Composition:\nMa Huang 9 g\nGui Zhi 6 g\n\n"
                                    "Methods: Decoction\nFunctions: Induces sweating\n"
                                    "Indications: Wind-cold excess\n"
                                    "Cautions: Not where sweating comes from deficiency\n");
    QTest::newRow("own formula") << true << QStringLiteral("Ye Ju Yin") << QString();
}

// The sheet as a document, as PDF (read back where an extractor is installed) and as text.
void TestPrintSheet::pdfHoldsEveryText()
{
    QFETCH(bool, formula);
    QFETCH(QString, name);
    QFETCH(QString, copied);
    const auto sheet = sheetOf(formula, name);
    QVERIFY(sheet);
    if (!copied.isEmpty())
        QCOMPARE(printsheet::sheetText(*sheet), copied);

    const QString document = simplified(printsheet::sheetDocument(*sheet)->toPlainText());
    for (const QString& text : expectedTexts(*sheet))
        QVERIFY2(document.contains(simplified(text)), qPrintable(text));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    const QDate date(2026, 12, 6);
    QString error;
    QVERIFY2(printsheet::writePdf(*sheet, path, date, &error), qPrintable(error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("%PDF-"));
    QVERIFY(bytes.trimmed().endsWith("%%EOF"));

    const QString extracted = extractedForm(pdfText(path));
    if (extracted.isEmpty())
        return; // no extractor here: the document's own text was checked above
    const QStringList printed = expectedTexts(*sheet) << printsheet::footerText(date, 1, 1);
    for (const QString& text : printed)
        QVERIFY2(extracted.contains(extractedForm(text)), qPrintable(text));
}

void TestPrintSheet::commandsOnTheWindows_data()
{
    QTest::addColumn<bool>("formula");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tabs");
    QTest::addColumn<int>("tab");
    QTest::newRow("herb window") << false << QString("Gui Zhi") << QString("SSTab1") << 1;
    QTest::newRow("formula window") << true << QString("Ye Ju Yin") << QString("SSTab2") << 0;
}

void TestPrintSheet::commandsOnTheWindows()
{
    QFETCH(bool, formula);
    QFETCH(QString, name);
    QFETCH(QString, tabs);
    QFETCH(int, tab);
    auto& ctx = m_program->context();
    const app::MenuWindows windows = programWindows(ctx);
    (formula ? ctx.values.openFormulaAt : ctx.values.openHerbAt) = name;
    const std::unique_ptr<QDialog> window = (formula ? windows.formulas : windows.herbs)(nullptr);
    QWidget* page = window->findChild<QTabWidget*>(tabs)->widget(tab);
    QCOMPARE(window->findChild<QTabWidget*>(tabs)->currentIndex(), tab);

    // Copy as text puts the sheet of the entry shown on the clipboard.
    QGuiApplication::clipboard()->clear();
    page->findChild<QAction*>(QStringLiteral("CopySheetText"))->trigger();
    const auto sheet = sheetOf(formula, name);
    QVERIFY(sheet);
    QCOMPARE(QGuiApplication::clipboard()->text(), printsheet::sheetText(*sheet));

    // Export as PDF writes the file picked in the file window.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("entry.pdf"));
    {
        test::ModalRecorder recorder([&path](QDialog& dialog) {
            auto* chooser = qobject_cast<QFileDialog*>(&dialog);
            if (!chooser)
                return int(QDialog::Rejected);
            chooser->selectFile(path);
            static_cast<QDialog*>(chooser)->accept(); // as the dialog's own button does
            return chooser->result();
        });
        page->findChild<QAction*>(QStringLiteral("ExportSheetPdf"))->trigger();
        QCOMPARE(recorder.opened.size(), 1);
        QCOMPARE(recorder.opened.first().name, QStringLiteral("FileChooser"));
    }
    QFile pdf(path);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
    QVERIFY(app::MessageBox::takeShown().isEmpty());

    // Ctrl+P in the area opens the preview, from which the sheet is printed.
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    test::ModalRecorder recorder;
    QWidget* target = nullptr;
    for (QWidget* child : page->findChildren<QWidget*>()) {
        if (!target && child->isVisible() && child->focusPolicy() != Qt::NoFocus)
            target = child;
    }
    QVERIFY(target);
    target->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), target);
    QTest::keyClick(target, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(recorder.opened.size(), 1);
    QCOMPARE(recorder.opened.first().name, QStringLiteral("PrintPreview"));
}

QTEST_MAIN(TestPrintSheet)
#include "tst_printsheet.moc"
