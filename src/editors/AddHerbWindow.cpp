#include "AddHerbWindow.h"

#include "EditorMessages.h"
#include "InputLimit.h"
#include "MultiLineBox.h"
#include "app/AppContext.h"
#include "app/Buttons.h"
#include "app/CenterForm.h"
#include "app/MessageBox.h"
#include "app/OwnData.h"
#include "data/Database.h"
#include "data/RecordSet.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace tavirel::editors {

namespace {

int px(int twips)
{
    return qRound(twips / 15.0);
}

const QSize designClient(px(9525), px(8025));

// One box of the window, top to bottom as the user sees them. A height (twips) makes it a
// multi-line box; the Part Used & Method box keeps the 255 limit its message names.
struct Field
{
    const char* box;
    const char* label;
    const char* caption;
    const char* column;
    int limit;
    int heightTwips;
};

constexpr Field fields[] = {
    {"Text1", "Label3", "Pinyin Name", "name1", 50, 0},
    {"Text2", "Label5", "Latin Name", "name2", 50, 0},
    {"Text3", "Label6", "Earliest Record", "source", 50, 0},
    {"Text4", "Label7", "Part Used & Method", "used", 255, 525},
    {"Text5", "Label8", "Properties & Taste", "taste", 50, 0},
    {"Text6", "Label9", "Meridians", "meridians", 50, 0},
    {"Text10", "Label12", "Dosage", "dosage", 50, 0},
    {"Text7", "Label10", "Functions", "functions", 255, 1125},
    {"Text8", "Label11", "Indications", "indications", 65535, 1335},
    {"Text9", "Label13", "Cautions", "coutions", 65535, 735},
};

// The order the columns of a new row are written in.
const char* const writeOrder[] = {"name1",     "name2",     "source",      "used",   "taste",
                                  "meridians", "functions", "indications", "dosage", "coutions"};

const QString herbKind = QStringLiteral("herb");
const QString nameInUseMessage =
    QStringLiteral("This herb name is alreadly in datebase! Please change.");
// Own formulas keep their herbs' names joined by commas, so a name with one would fall apart.
const QString commaMessage =
    QStringLiteral("A Pinyin name can not contain a comma (\",\"): your own formulas list "
                   "their herbs separated by commas. Please change.");

QString boxText(const QWidget* box)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(box))
        return line->text();
    return static_cast<const QPlainTextEdit*>(box)->toPlainText();
}

QWidget* makeBox(const Field& field)
{
    QWidget* box;
    if (field.heightTwips == 0) {
        box = new QLineEdit;
    } else {
        auto* edit = new MultiLineBox;
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        edit->setMinimumHeight(px(field.heightTwips));
        box = edit;
    }
    box->setObjectName(QLatin1String(field.box));
    box->setAccessibleName(QLatin1String(field.caption));
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, QColor(0xC0, 0xFF, 0xC0));
    palette.setColor(QPalette::Text, Qt::black);
    box->setPalette(palette);
    new InputLimit(box, field.limit);
    return box;
}

QLabel* makeLabel(const Field& field, QWidget* parent)
{
    auto* label = new QLabel(QLatin1String(field.caption), parent);
    label->setObjectName(QLatin1String(field.label));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Highlight));
    label->setPalette(palette);
    return label;
}

} // namespace

AddHerbWindow::AddHerbWindow(app::AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("addHerb"));
    setWindowTitle(QStringLiteral("Add Herbs"));
    setProperty("helpTopic", QStringLiteral("addherbs.html"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    buildLayout();
    resize(designClient.expandedTo(minimumSizeHint()));

    app::CenterForm(this);
    m_ownHerbs = std::make_unique<data::RecordSet>(context.ownDb(), QStringLiteral("ownherb"),
                                                   data::RecordSet::Kind::Dynaset);
    // Another program may hold the file locked: the user hears why, and "Save" tries again.
    if (!m_ownHerbs->isValid())
        app::ownData::reportUnreadable(this, *m_ownHerbs, app::ownData::herbsUnreadable);
    clearBoxes();
}

AddHerbWindow::~AddHerbWindow() = default;

void AddHerbWindow::buildLayout()
{
    auto* grid = new QGridLayout(this);
    auto* heading = new QLabel(QStringLiteral("Should Input All Informations"), this);
    heading->setObjectName(QStringLiteral("Label2"));
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSize(12);
    heading->setFont(bold);
    heading->setAlignment(Qt::AlignCenter);
    grid->addWidget(heading, 0, 0, 1, 4);

    // Latin Name shares the Pinyin Name line, Dosage the Meridians line.
    const auto sharesLine = [](const Field& f) {
        return qstrcmp(f.box, "Text2") == 0 || qstrcmp(f.box, "Text10") == 0;
    };
    QHash<QString, QWidget*> byColumn;
    int row = 0;
    for (const Field& field : fields) {
        QWidget* box = makeBox(field);
        QLabel* label = makeLabel(field, this);
        byColumn.insert(QLatin1String(field.column), box);
        const Qt::Alignment labelAlign =
            field.heightTwips ? Qt::AlignLeft | Qt::AlignTop : Qt::AlignLeft | Qt::AlignVCenter;
        if (sharesLine(field)) {
            grid->addWidget(label, row, 2, labelAlign);
            grid->addWidget(box, row, 3);
            continue;
        }
        ++row;
        grid->addWidget(label, row, 0, labelAlign);
        const bool halfLine = qstrcmp(field.box, "Text1") == 0 || qstrcmp(field.box, "Text6") == 0;
        grid->addWidget(box, row, 1, 1, halfLine ? 1 : 3);
        if (field.heightTwips)
            grid->setRowStretch(row, field.heightTwips);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    QWidget* saveButton = app::makeButton(this, QStringLiteral("Command1"), QStringLiteral("Save"));
    QWidget* exitButton = app::makeButton(this, QStringLiteral("Command2"), QStringLiteral("Exit"));
    app::onClick(saveButton, this, [this] { save(); });
    app::onClick(exitButton, this, [this] { closeWindow(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(exitButton);
    grid->addLayout(buttons, row + 1, 0, 1, 4);

    for (const char* column : writeOrder)
        m_boxes.append({QLatin1String(column), byColumn.value(QLatin1String(column))});

    // Tab order: Text1 to Text10 by number, then "Exit", then "Save".
    QWidget* previous = nullptr;
    for (int n = 1; n <= 10; ++n) {
        auto* box = findChild<QWidget*>(QStringLiteral("Text%1").arg(n));
        if (previous)
            setTabOrder(previous, box);
        previous = box;
    }
    setTabOrder(previous, exitButton);
    setTabOrder(exitButton, saveButton);
}

QString AddHerbWindow::text(const QString& column) const
{
    for (const Box& box : m_boxes) {
        if (box.column == column)
            return boxText(box.widget);
    }
    return {};
}

void AddHerbWindow::clearBoxes()
{
    for (const Box& box : m_boxes) {
        if (auto* line = qobject_cast<QLineEdit*>(box.widget))
            line->clear();
        else
            static_cast<QPlainTextEdit*>(box.widget)->clear();
    }
    findChild<QWidget*>(QStringLiteral("Text1"))->setFocus();
}

// Names and the dosage are kept without blanks around them; other texts as typed.
QString AddHerbWindow::stored(const Box& box)
{
    const QString typed = boxText(box.widget);
    static const QStringList trimmed = {QStringLiteral("name1"), QStringLiteral("name2"),
                                        QStringLiteral("dosage")};
    return trimmed.contains(box.column) ? typed.trimmed() : typed;
}

void AddHerbWindow::save()
{
    const QString name = text(QStringLiteral("name1")).trimmed();
    if (app::ownData::refuseChange(this, m_context, app::ownData::notSaved(herbKind, name)))
        return;
    // A box of blanks only is as empty as one with nothing in it.
    for (const Box& box : m_boxes) {
        if (boxText(box.widget).trimmed().isEmpty()) {
            app::MessageBox::information(this, messages::allInformations);
            return;
        }
    }
    if (!m_ownHerbs->isValid() && !m_ownHerbs->requery()) {
        app::MessageBox::failure(this, app::ownData::notSaved(herbKind, name),
                                 m_context.ownDb().fileName(), m_ownHerbs->errorString());
        return;
    }
    if (refuseName(name))
        return;

    data::RecordSet::Fields row;
    for (const Box& box : m_boxes)
        row.append({box.column, stored(box)});
    if (!m_ownHerbs->addNew(row)) {
        // Nothing is lost: the boxes keep what was typed, so the user can try again.
        app::ownData::reportFailure(this, m_context.ownDb(),
                                    app::ownData::notSaved(herbKind, name));
        return;
    }
    if (app::MessageBox::question(this, messages::addAnother)) {
        clearBoxes();
        return;
    }
    m_ownHerbs.reset();
    accept();
}

// A name is refused when a built-in herb or one of the user's own (also one saved earlier in
// this window) has it, compared as the databases compare names, or when it holds a comma.
bool AddHerbWindow::refuseName(const QString& name)
{
    QString message;
    if (name.contains(QLatin1Char(',')))
        message = commaMessage;
    else if (m_context.herbRecords().findFirstTrimmed(QStringLiteral("name1"), name))
        message = nameInUseMessage;
    else if (m_ownHerbs->recordCount() > 0 &&
             m_ownHerbs->findFirstTrimmed(QStringLiteral("name1"), name))
        message = nameInUseMessage;
    if (message.isEmpty())
        return false;
    app::MessageBox::information(this, message);
    findChild<QWidget*>(QStringLiteral("Text1"))->setFocus();
    return true;
}

void AddHerbWindow::closeWindow()
{
    m_ownHerbs.reset();
    reject();
}

void AddHerbWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape does not close the window: what has been typed is kept until "Exit".
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace tavirel::editors
