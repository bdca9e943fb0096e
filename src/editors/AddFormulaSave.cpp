// The add-formula window's "Save": every check in its order, then one row into ownpres.
#include "AddFormulaWindow.h"

#include "DosageEditor.h"
#include "EditorMessages.h"
#include "app/AppContext.h"
#include "app/CenterForm.h"
#include "app/MessageBox.h"
#include "app/OwnData.h"
#include "data/Database.h"
#include "data/RecordSet.h"
#include "formulas/Grid.h"
#include "safety/SafetyCheck.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

namespace tavirel::editors {

using data::RecordSet;

namespace {

const QString addHerbMessage = QStringLiteral("Should Add Herb!");
const QString inputDosageMessage = QStringLiteral("Should Input Dosage!");
const QString nameInUseMessage =
    QStringLiteral("This prescription name is alreadly in datebase! Please change.");

// A composition is stored as two lists joined by commas, and read back by splitting them at
// every comma: an entry holding one would fall apart and shift every entry after it.
const QString commaInDosageMessage =
    QStringLiteral("A dosage can not contain a comma (\",\"): your own formulas list their "
                   "dosages separated by commas. Please change.");
QString commaInHerbMessage(const QString& herb)
{
    return QStringLiteral("The herb \"%1\" can not be put into a formula: its name contains a "
                          "comma (\",\"), and your own formulas list their herbs separated by "
                          "commas. Please delete it.")
        .arg(herb);
}

const QChar comma = QLatin1Char(',');
const QString formulaKind = QStringLiteral("formula");

} // namespace

void AddFormulaWindow::save()
{
    closeEditor();
    app::CenterForm(this);
    // The name and the dosages are kept without blanks around them; other texts as typed.
    const QString name = m_name->text().trimmed();
    if (app::ownData::refuseChange(this, m_context, app::ownData::notSaved(formulaKind, name)))
        return;
    m_ownPres = std::make_unique<RecordSet>(m_context.ownDb(), QStringLiteral("ownpres"),
                                            RecordSet::Kind::Dynaset);
    if (!checkBoxes() || !checkComposition())
        return;
    if (!m_ownPres->isValid()) {
        // Another program holds the file: nothing is written, everything composed is kept.
        app::MessageBox::failure(this, app::ownData::notSaved(formulaKind, name),
                                 m_context.ownDb().fileName(), m_ownPres->errorString());
        return;
    }

    QStringList herbs, dosages;
    for (int r = 1; r <= m_grid->rows() - 2; ++r) {
        if (m_grid->text(r, 0).isEmpty())
            continue;
        herbs << m_grid->text(r, 0);
        dosages << m_grid->text(r, 1).trimmed();
    }
    if (refuseName(name) || !confirmSafety(herbs, dosages))
        return;

    const RecordSet::Fields row = {
        {QStringLiteral("name"), name},
        {QStringLiteral("method"), m_method->text()},
        {QStringLiteral("function"), m_function->toPlainText()},
        {QStringLiteral("indication"), m_indication->toPlainText()},
        {QStringLiteral("construction"), herbs.join(comma)},
        {QStringLiteral("dosage"), dosages.join(comma)},
    };
    if (!m_ownPres->addNew(row)) {
        // Nothing is lost: the boxes and the grid keep what was composed, to try again.
        app::ownData::reportFailure(this, m_context.ownDb(),
                                    app::ownData::notSaved(formulaKind, name));
        return;
    }
    if (app::MessageBox::question(this, messages::addAnother)) {
        clearForNext();
        return;
    }
    m_ownPres.reset();
    accept();
}

bool AddFormulaWindow::checkBoxes()
{
    // A box of blanks only is as empty as one with nothing in it.
    if (m_name->text().trimmed().isEmpty() || m_method->text().trimmed().isEmpty() ||
        m_function->toPlainText().trimmed().isEmpty() ||
        m_indication->toPlainText().trimmed().isEmpty()) {
        app::MessageBox::information(this, messages::allInformations);
        return false;
    }
    return true;
}

// Every herb needs its dosage; the first one that stops the save becomes the current cell.
bool AddFormulaWindow::checkComposition()
{
    if (m_grid->rows() == 2) {
        app::MessageBox::information(this, addHerbMessage);
        return false;
    }
    for (int r = 1; r <= m_grid->rows() - 2; ++r) {
        const QString herb = m_grid->text(r, 0);
        m_grid->setCurrent(r, 0);
        if (herb.isEmpty())
            continue;
        if (herb.contains(comma)) {
            app::MessageBox::information(this, commaInHerbMessage(herb));
            return false;
        }
        m_grid->setCurrent(r, 1);
        const QString dosage = m_grid->text(r, 1).trimmed();
        if (dosage.isEmpty() || dosage.contains(comma)) {
            app::MessageBox::information(this, dosage.isEmpty() ? inputDosageMessage
                                                                : commaInDosageMessage);
            return false;
        }
    }
    return true;
}

// A name is refused when a built-in formula or one of the user's own (also one saved earlier in
// this window) has it, compared as the databases compare names.
bool AddFormulaWindow::refuseName(const QString& name)
{
    const bool inUse =
        m_presRecords->findFirstTrimmed(QStringLiteral("prename"), name) ||
        (m_ownPres->recordCount() > 0 && m_ownPres->findFirstTrimmed(QStringLiteral("name"), name));
    if (!inUse)
        return false;
    app::MessageBox::information(this, nameInUseMessage);
    m_name->setFocus();
    return true;
}

// A composition the safety check has findings for is saved only when the user says so; No
// keeps everything composed, to change it.
bool AddFormulaWindow::confirmSafety(const QStringList& herbs, const QStringList& dosages)
{
    QList<safety::DosedHerb> dosed;
    for (qsizetype i = 0; i < herbs.size(); ++i)
        dosed.append({herbs.at(i), dosages.value(i)});
    const QList<safety::Finding> findings =
        safety::checkComposition(dosed, safety::SafetyFacts::load(m_context.refDb(), herbs));
    if (findings.isEmpty())
        return true;
    return app::MessageBox::question(
        this, QStringLiteral("This composition needs care:\n\n%1\n\nSave it anyway?")
                  .arg(safety::describe(findings)));
}

// After Yes: an empty form for the next formula; "Delete" keeps its state.
void AddFormulaWindow::clearForNext()
{
    m_name->clear();
    m_method->clear();
    m_function->clear();
    m_indication->clear();
    resetGrid();
    m_herbs->clear();
    if (!m_ownHerbs->isValid())
        app::ownData::readable(this, *m_ownHerbs, app::ownData::herbsUnreadable);
    fillHerbList();
    m_name->setFocus();
}

void AddFormulaWindow::closeWindow()
{
    closeEditor();
    m_ownPres.reset();
    reject();
}

} // namespace tavirel::editors
