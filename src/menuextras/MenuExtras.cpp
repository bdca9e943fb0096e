#include "MenuExtras.h"

#include "OwnDataCommands.h"
#include "app/AppContext.h"
#include "app/Menu.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "quickfind/IndexReader.h"
#include "quickfind/QuickFindBox.h"
#include "quickfind/ReferenceLoader.h"

#include <QMenu>
#include <QShortcut>
#include <QToolButton>

namespace tavirel::menuextras {

namespace {

// Owns the index for as long as the menu lives. The reference part is read in the background
// from start-up on; the loader, declared last, is destroyed first, so the read has ended
// before the index is gone.
class IndexHolder : public QObject
{
public:
    IndexHolder(const QString& referenceFile, QObject* parent)
        : QObject(parent), loader(index, referenceFile, data::schema::refPassword)
    {
    }
    quickfind::QuickFindIndex index;
    quickfind::ReferenceLoader loader;
};

// Left of the button column, level with the first button; the list drops into the free
// space below, above the link labels.
const QRect findBoxPlace(28, 112, 290, 28);
const QRect ownButtonPlace(326, 112, 80, 28);

void addOwnCommands(app::Menu& menu)
{
    auto* button = new QToolButton(&menu);
    button->setObjectName(QStringLiteral("OwnEntries"));
    button->setText(QStringLiteral("Your Own"));
    button->setAccessibleName(QStringLiteral("Your own entries: export, import, backup"));
    button->setToolTip(QStringLiteral("Export, import or back up your own herbs and formulas"));
    button->setPopupMode(QToolButton::InstantPopup);
    button->setGeometry(ownButtonPlace);

    auto* commands = new QMenu(button);
    commands->setObjectName(QStringLiteral("OwnEntriesMenu"));
    app::AppContext& context = menu.context();
    const auto add = [&](const QString& name, const QString& text, auto run) {
        QAction* action = commands->addAction(text);
        action->setObjectName(name);
        QObject::connect(action, &QAction::triggered, &menu,
                         [&menu, &context, run] { run(&menu, context); });
    };
    add(QStringLiteral("ExportOwn"), QStringLiteral("Export Your Own Entries..."),
        exportOwnEntries);
    add(QStringLiteral("ImportOwn"), QStringLiteral("Import Your Own Entries..."),
        importOwnEntries);
    add(QStringLiteral("BackupOwn"), QStringLiteral("Back Up Your Own Entries"), backupOwnEntries);
    button->setMenu(commands);
}

void addQuickFind(app::Menu& menu)
{
    app::AppContext& context = menu.context();
    // A connection of its own: the menu's is used on this thread meanwhile.
    auto* holder = new IndexHolder(context.refDb().fileName(), &menu);

    auto* box = new quickfind::QuickFindBox(holder->index, &menu);
    box->setGeometry(findBoxPlace);
    box->setRefresh([holder, &context] {
        // Typing at once still finds everything: the first search waits for the read.
        holder->loader.waitUntilLoaded();
        holder->index.setOwn(quickfind::readOwnEntries(context.ownDb()));
    });
    QObject::connect(box, &quickfind::QuickFindBox::entryChosen, &menu,
                     [&menu, &context, box](quickfind::Kind kind, const QString& name) {
                         box->clear();
                         if (kind == quickfind::Kind::Herb) {
                             context.values.openHerbAt = name;
                             menu.openHerbs();
                         } else {
                             context.values.openFormulaAt = name;
                             menu.openFormulas();
                         }
                     });

    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_K), QKeySequence(Qt::Key_Slash)}) {
        auto* shortcut = new QShortcut(keys, &menu);
        QObject::connect(shortcut, &QShortcut::activated, box, [box] {
            box->setFocus(Qt::ShortcutFocusReason);
            box->selectAll();
        });
    }
}

} // namespace

void installMenuExtras(app::Menu& menu)
{
    addQuickFind(menu);
    addOwnCommands(menu);
}

} // namespace tavirel::menuextras
