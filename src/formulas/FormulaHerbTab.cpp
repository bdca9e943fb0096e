// The "Herb Information" tab of the formula window: details and picture of a herb picked from
// the composition grid.
#include "FormulaMessages.h"
#include "FormulaWindow.h"
#include "Grid.h"
#include "app/AppContext.h"
#include "app/Buttons.h"
#include "app/MessageBox.h"
#include "app/OwnData.h"
#include "data/RecordSet.h"
#include "herbs/FormulaUsage.h"
#include "herbs/HerbDetailsPanel.h"
#include "picture/HerbPicture.h"

#include <QHBoxLayout>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tavirel::formulas {

using data::RecordSet;

QWidget* FormulaWindow::buildHerbTab()
{
    auto* tab = new QWidget;
    tab->setProperty("helpTopic", QStringLiteral("formulas-herb.html"));
    herbs::HerbDetailNames names;
    names.pinyin = QStringLiteral("Label14");
    names.latin = QStringLiteral("Label4");
    names.line = QStringLiteral("Line1");
    names.source = QStringLiteral("Text5");
    names.used = QStringLiteral("Text6");
    names.taste = QStringLiteral("Text7");
    names.meridians = QStringLiteral("Text8");
    names.dosage = QStringLiteral("Text4");
    names.functions = QStringLiteral("Text9");
    names.indications = QStringLiteral("Text10");
    names.coutions = QStringLiteral("Text11");
    names.sourceCaption = QStringLiteral("Label5");
    names.usedCaption = QStringLiteral("Label6");
    names.tasteCaption = QStringLiteral("Label7");
    names.meridiansCaption = QStringLiteral("Label9");
    names.dosageCaption = QStringLiteral("Label10");
    names.functionsCaption = QStringLiteral("Label11");
    names.indicationsCaption = QStringLiteral("Label12");
    names.coutionsCaption = QStringLiteral("Label13");
    m_herb = new herbs::HerbDetailsPanel(names, tab);
    connect(m_herb, &herbs::HerbDetailsPanel::formulaActivated, this,
            [this](const QString& formula, bool own) {
                if (m_context.openFormula)
                    m_context.openFormula(this, formula, own);
            });

    m_graphic = app::makeButton(tab, QStringLiteral("Command2"), QStringLiteral("Graphic"));
    app::onClick(m_graphic, this, [this] { openPicture(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_graphic);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(m_herb, 1);
    layout->addLayout(buttons);
    return tab;
}

void FormulaWindow::gridDoubleClicked()
{
    const int row = m_grid->row();
    if (row < 1 || m_grid->col() != 0 || m_grid->text(row, 0).isEmpty())
        return;
    QString& name = m_context.values.formulaHerbName;
    name = m_grid->text(row, 0);

    RecordSet& herbs = m_context.herbRecords();
    herbs.moveFirst();
    const bool builtIn = herbs.findFirst(QStringLiteral("name1"), name);
    if (!builtIn) {
        if (!app::ownData::readable(this, *m_ownHerbs, app::ownData::herbsUnreadable))
            return;
        m_ownHerbs->moveFirst();
        if (!m_ownHerbs->findFirst(QStringLiteral("name1"), name)) {
            app::MessageBox::information(this, messages::herbRemoved);
            return;
        }
    }
    const RecordSet& herb = builtIn ? herbs : *m_ownHerbs;
    // A herb without a Latin name is only named in compositions; it has no details.
    if (herb.text(QStringLiteral("name2")).isEmpty()) {
        app::MessageBox::information(this, messages::noHerbInformation);
        return;
    }
    m_detailTabs->setCurrentIndex(1);
    m_graphic->setVisible(builtIn); // own herbs have no picture
}

void FormulaWindow::detailTabChanged(int tab)
{
    if (tab == 1)
        fillHerbTab();
}

RecordSet* FormulaWindow::findHerb(const QString& name)
{
    RecordSet& herbs = m_context.herbRecords();
    herbs.moveFirst();
    if (herbs.findFirst(QStringLiteral("name1"), name))
        return &herbs;
    if (!app::ownData::readable(this, *m_ownHerbs, app::ownData::herbsUnreadable, true))
        return nullptr;
    m_ownHerbs->moveFirst();
    return m_ownHerbs->findFirst(QStringLiteral("name1"), name) ? m_ownHerbs.get() : nullptr;
}

void FormulaWindow::fillHerbTab()
{
    m_herb->clear();
    const QString& name = m_context.values.formulaHerbName;
    if (name.isEmpty())
        return;
    if (const RecordSet* herb = findHerb(name)) {
        m_herb->fill(*herb);
        m_herb->showFormulaUses(herbs::formulasWithHerb(m_context.refDb(), m_context.ownDb(),
                                                        herb->text(QStringLiteral("name1")),
                                                        herb->text(QStringLiteral("picno"))));
    }
}

void FormulaWindow::openPicture()
{
    const QString& name = m_context.values.formulaHerbName;
    if (name.isEmpty())
        return;
    if (picture::openHerbPicture(m_context, this, name, 1) ==
        picture::HerbPicture::EmptyPictureNumber)
        app::MessageBox::exclamation(this, messages::noPicture);
}

} // namespace tavirel::formulas
