#include "SheetCommands.h"

#include "SheetDocument.h"
#include "SheetText.h"
#include "app/FileChooser.h"
#include "app/MessageBox.h"
#include "app/ModalOpener.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace tavirel::printsheet {

namespace {

// Shows the commands on a right click anywhere in the area.
class ContextMenuFilter : public QObject
{
public:
    ContextMenuFilter(QWidget* area, QList<QAction*> actions)
        : QObject(area), m_actions(std::move(actions))
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ContextMenu)
            return false;
        std::unique_ptr<QMenu> menu;
        if (auto* line = qobject_cast<QLineEdit*>(watched))
            menu.reset(line->createStandardContextMenu());
        else if (auto* plain = qobject_cast<QPlainTextEdit*>(watched))
            menu.reset(plain->createStandardContextMenu());
        else if (auto* parentEdit = qobject_cast<QPlainTextEdit*>(watched->parent()))
            menu.reset(parentEdit->createStandardContextMenu()); // its viewport
        else
            menu = std::make_unique<QMenu>();
        if (!menu->isEmpty())
            menu->addSeparator();
        menu->addActions(m_actions);
        menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }

private:
    QList<QAction*> m_actions;
};

void watchAll(QWidget* area, QObject* filter)
{
    area->installEventFilter(filter);
    for (QWidget* child : area->findChildren<QWidget*>())
        child->installEventFilter(filter);
}

} // namespace

void printSheet(QWidget* parent, const Sheet& sheet)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(sheet.title);
    auto dialog = std::make_unique<QPrintDialog>(&printer, parent);
    dialog->setObjectName(QStringLiteral("PrintDialog"));
    if (app::ModalOpener::open(std::move(dialog)) == QDialog::Accepted)
        paintSheet(sheet, printer, QDate::currentDate());
}

void previewSheet(QWidget* parent, const Sheet& sheet)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(sheet.title);
    auto dialog = std::make_unique<QPrintPreviewDialog>(&printer, parent);
    dialog->setObjectName(QStringLiteral("PrintPreview"));
    dialog->setWindowTitle(QStringLiteral("Print Preview: ") + sheet.title);
    QObject::connect(dialog.get(), &QPrintPreviewDialog::paintRequested, [sheet](QPrinter* target) {
        paintSheet(sheet, *target, QDate::currentDate());
    });
    app::ModalOpener::open(std::move(dialog));
}

void exportSheetPdf(QWidget* parent, const Sheet& sheet)
{
    const QString path = app::chooseFileToSave(parent, QStringLiteral("Export as PDF"),
                                               QStringLiteral("PDF files (*.pdf)"),
                                               sheet.title + QStringLiteral(".pdf"));
    if (path.isEmpty())
        return;
    QString error;
    if (!writePdf(sheet, path, QDate::currentDate(), &error))
        app::MessageBox::information(
            parent,
            QStringLiteral("The PDF file \"%1\" could not be written: %2").arg(path, error));
}

void copySheetText(const Sheet& sheet)
{
    QApplication::clipboard()->setText(sheetText(sheet));
}

void attachSheetCommands(QWidget* area, SheetSource source)
{
    const auto command = [area, source](const QString& name, const QString& text,
                                        std::function<void(const Sheet&)> run) {
        auto* action = new QAction(text, area);
        action->setObjectName(name);
        QObject::connect(action, &QAction::triggered, area, [source, run] {
            if (const std::optional<Sheet> sheet = source())
                run(*sheet);
        });
        return action;
    };
    QAction* print = command(QStringLiteral("PrintSheet"), QStringLiteral("Print..."),
                             [area](const Sheet& s) { printSheet(area, s); });
    QAction* preview = command(QStringLiteral("PreviewSheet"), QStringLiteral("Print Preview..."),
                               [area](const Sheet& s) { previewSheet(area, s); });
    preview->setShortcut(QKeySequence::Print);
    preview->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    area->addAction(preview);
    QAction* pdf = command(QStringLiteral("ExportSheetPdf"), QStringLiteral("Export as PDF..."),
                           [area](const Sheet& s) { exportSheetPdf(area, s); });
    QAction* copy = command(QStringLiteral("CopySheetText"), QStringLiteral("Copy as Text"),
                            [](const Sheet& s) { copySheetText(s); });
    watchAll(area, new ContextMenuFilter(area, {print, preview, pdf, copy}));
}

} // namespace tavirel::printsheet
