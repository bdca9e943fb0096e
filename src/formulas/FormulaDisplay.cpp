// Showing one formula on the right half: name, composition grid, method, functions, indications.
#include "FormulaMessages.h"
#include "FormulaWindow.h"
#include "Grid.h"
#include "app/AppContext.h"
#include "app/MessageBox.h"
#include "app/OneLineLabel.h"
#include "app/OwnData.h"
#include "data/RecordSet.h"
#include "herbs/FactBoxes.h"
#include "safety/SafetyCheck.h"

#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace tavirel::formulas {

using data::RecordSet;

namespace {

const QStringList columnTitles = {QStringLiteral("Herb"), QStringLiteral("Dosage (g)"),
                                  QStringLiteral("Meridians")};

// Compositions and dosages are lists joined by "," with nothing else between the entries. Every
// piece counts, an empty one too, and there is no limit to how many are read.
QStringList splitList(const QString& text)
{
    return text.split(QLatin1Char(','));
}

} // namespace

void FormulaWindow::clearDisplay()
{
    m_grid->clearData();
    m_function->clear();
    m_indication->clear();
    m_method->clear();
    m_name->clear();
    m_chinese->clear();
    m_cautions->clear();
    m_facts->clear();
}

void FormulaWindow::setColumns(const DisplayVariant& variant)
{
    for (int col = 0; col < 3; ++col) {
        m_grid->setText(0, col, columnTitles.at(col));
        m_grid->setColWidthTwips(col, variant.widthsTwips[col]);
        // A title wider than its column (as "Dosage (g)" is in most fonts) widens the column.
        const int title = m_grid->horizontalHeader()->sectionSizeHint(col);
        if (m_grid->columnWidth(col) < title)
            m_grid->setColumnWidth(col, title);
    }
}

void FormulaWindow::showFormula(DisplayEntry entry, const QString& name)
{
    const DisplayVariant variant = displayVariant(entry);
    clearDisplay();
    setColumns(variant);
    m_name->setLine(name);
    setWindowTitle(QStringLiteral("Formulas: ") + app::OneLineLabel::oneLine(name));

    bool own = false;
    RecordSet* formula = findFormula(entry, name, own);
    if (!formula) {
        app::MessageBox::information(this, messages::noFormula);
        return;
    }
    const auto column = [own](const char* builtIn, const char* ownColumn) {
        return QString::fromLatin1(own ? ownColumn : builtIn);
    };
    m_method->setPlainText(formula->text(column("premethod", "method")));
    m_function->setPlainText(formula->text(column("prefunction", "function")));
    m_indication->setPlainText(formula->text(column("preindication", "indication")));
    // Reference facts; own formulas have no such columns and leave them empty.
    m_chinese->setText(herbs::chineseName(*formula));
    m_cautions->setPlainText(formula->text(QStringLiteral("precautions")));
    m_facts->fill(*formula);

    // Built-in compositions name their herbs by picture number, own ones by name.
    QStringList herbNames = splitList(formula->text(column("precons", "construction")));
    if (!own) {
        for (QString& piece : herbNames)
            piece = herbNameOfPicture(piece);
    }
    const QStringList dosages = splitList(formula->text(column("predosage", "dosage")));
    fillComposition(variant, herbNames, dosages);
    showSafetyFindings(herbNames, dosages);
    m_detailTabs->setCurrentIndex(0); // the composition comes into view
}

void FormulaWindow::showSafetyFindings(const QStringList& herbNames, const QStringList& dosages)
{
    QList<safety::DosedHerb> dosed;
    for (qsizetype i = 0; i < qMin(herbNames.size(), dosages.size()); ++i)
        dosed.append({herbNames.at(i), dosages.at(i)});
    const QString findings = safety::describe(
        safety::checkComposition(dosed, safety::SafetyFacts::load(m_context.refDb(), herbNames)));
    if (findings.isEmpty())
        return;
    // What the check finds comes first, most serious first; the formula's own notes follow.
    const QString stored = m_cautions->toPlainText();
    m_cautions->setPlainText(stored.isEmpty() ? findings
                                              : findings + QStringLiteral("\n\n") + stored);
}

void FormulaWindow::showFormulaNamed(const QString& name, bool own)
{
    showFormula(own ? DisplayEntry::OwnList : DisplayEntry::SearchList, name);
}

RecordSet* FormulaWindow::findFormula(DisplayEntry entry, const QString& name, bool& own)
{
    if (entry != DisplayEntry::OwnList) {
        m_pres->moveFirst();
        if (m_pres->findFirst(QStringLiteral("prename"), name)) {
            own = false;
            return m_pres.get();
        }
    }
    if (entry != DisplayEntry::Tree &&
        app::ownData::readable(this, *m_ownPres, app::ownData::formulasUnreadable)) {
        m_ownPres->moveFirst();
        if (m_ownPres->findFirst(QStringLiteral("name"), name)) {
            own = true;
            return m_ownPres.get();
        }
    }
    return nullptr;
}

QString FormulaWindow::herbNameOfPicture(const QString& picno)
{
    RecordSet& herbs = m_context.herbRecords();
    herbs.moveFirst();
    // A picture number that no herb has stands for itself, so the herb shows up as missing.
    return herbs.findFirst(QStringLiteral("picno"), picno) ? herbs.text(QStringLiteral("name1"))
                                                           : picno;
}

void FormulaWindow::fillComposition(const DisplayVariant& variant, const QStringList& herbNames,
                                    const QStringList& dosages)
{
    // One row per dosage: a herb without a dosage is not shown.
    const int herbCount = int(dosages.size());
    m_grid->setRows(herbCount + 2);
    RecordSet& herbs = m_context.herbRecords();
    int missing = 0;
    int lastFilled = 0;
    for (int k = 1; k <= herbCount; ++k) {
        const QString name = k <= herbNames.size() ? herbNames.at(k - 1) : QString();
        herbs.moveFirst();
        const RecordSet* found = herbs.findFirst(QStringLiteral("name1"), name) ? &herbs : nullptr;
        if (!found && variant.reportsMissing) {
            app::MessageBox::exclamation(this, messages::herbNotFound(name));
            continue;
        }
        if (!found) {
            if (!app::ownData::readable(this, *m_ownHerbs, app::ownData::herbsUnreadable, true)) {
                ++missing;
                continue;
            }
            m_ownHerbs->moveFirst();
            if (!m_ownHerbs->findFirst(QStringLiteral("name1"), name)) {
                ++missing;
                continue;
            }
            found = m_ownHerbs.get();
        }
        m_grid->setText(k, 0, name);
        m_grid->setText(k, 1, dosages.at(k - 1));
        m_grid->setText(k, 2, found->text(QStringLiteral("meridians")));
        lastFilled = k;
    }
    // The lists drop one row per herb found nowhere, but never a row that shows a herb.
    if (!variant.reportsMissing)
        m_grid->setRows(qMax(herbCount + 2 - missing, lastFilled + 1));
}

} // namespace tavirel::formulas
