#include "OwnDataCommands.h"

#include "ImportPreview.h"
#include "app/AppContext.h"
#include "app/FileChooser.h"
#include "app/MessageBox.h"
#include "app/ModalOpener.h"
#include "owndata/Backup.h"
#include "owndata/ExportFile.h"

#include <QDir>

namespace tavirel::menuextras {

namespace {

const QString fileFilter = QStringLiteral("Tavirel own entries (*.json);;All files (*)");

QString counted(int n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromLatin1(n == 1 ? one : many));
}

QString refusal(const owndata::ParsedFile& parsed, const QString& file)
{
    const QString shown = QDir::toNativeSeparators(file);
    switch (parsed.result) {
    case owndata::ReadResult::Unreadable:
        return QStringLiteral("The file \"%1\" could not be read: %2\nNothing was imported.")
            .arg(shown, parsed.detail);
    case owndata::ReadResult::Damaged:
        return QStringLiteral("The file \"%1\" is damaged and can not be imported (%2).\nNothing "
                              "was imported.")
            .arg(shown, parsed.detail);
    case owndata::ReadResult::Foreign:
        return QStringLiteral("The file \"%1\" is not an export of Tavirel's own entries.\nNothing "
                              "was imported.")
            .arg(shown);
    case owndata::ReadResult::NewerVersion:
        return QStringLiteral("The file \"%1\" was written by a newer version of Tavirel (format "
                              "version %2).\nNothing was imported.")
            .arg(shown, parsed.detail);
    case owndata::ReadResult::Ok:
        break;
    }
    return {};
}

} // namespace

void exportOwnEntries(QWidget* parent, app::AppContext& context)
{
    const QString path =
        app::chooseFileToSave(parent, QStringLiteral("Export Your Own Entries"), fileFilter,
                              QStringLiteral("tavirel-own-entries.json"));
    if (path.isEmpty())
        return;
    QString error;
    int herbs = 0, formulas = 0;
    if (!owndata::exportOwnEntries(context.ownDb(), path, &error, &herbs, &formulas)) {
        app::MessageBox::information(
            parent, QStringLiteral("Your own entries could not be exported to \"%1\": %2")
                        .arg(QDir::toNativeSeparators(path), error));
        return;
    }
    app::MessageBox::information(parent, QStringLiteral("Exported %1 and %2 to \"%3\".")
                                             .arg(counted(herbs, "herb", "herbs"),
                                                  counted(formulas, "formula", "formulas"),
                                                  QDir::toNativeSeparators(path)));
}

void importOwnEntries(QWidget* parent, app::AppContext& context)
{
    const QString path =
        app::chooseFileToOpen(parent, QStringLiteral("Import Your Own Entries"), fileFilter);
    if (path.isEmpty())
        return;
    const owndata::ParsedFile parsed = owndata::readExportFile(path);
    if (parsed.result != owndata::ReadResult::Ok) {
        app::MessageBox::information(parent, refusal(parsed, path));
        return;
    }
    owndata::ImportPlan plan;
    QString error;
    if (!owndata::planImport(parsed.entries, context.ownDb(), context.refDb(), plan, &error)) {
        app::MessageBox::information(
            parent, QStringLiteral("Your own entries could not be read: %1\nNothing was imported.")
                        .arg(error));
        return;
    }
    if (app::ModalOpener::open(std::make_unique<ImportPreview>(plan, path, parent)) !=
            QDialog::Accepted ||
        plan.isEmpty())
        return;

    // A copy of the entries as they were comes first; without it nothing is imported.
    const QString backup = owndata::backupOwnDatabase(context.ownDb(), &error);
    if (backup.isEmpty()) {
        app::MessageBox::information(
            parent,
            QStringLiteral("No backup of your own entries could be made: %1\nNothing was imported.")
                .arg(error));
        return;
    }
    if (!owndata::applyImport(plan, context.ownDb(), &error)) {
        app::MessageBox::information(
            parent, QStringLiteral("The import failed: %1\nNothing was imported.").arg(error));
        return;
    }
    app::MessageBox::information(
        parent, QStringLiteral("Imported %1 and %2.\nYour own entries as they were before: \"%3\".")
                    .arg(counted(int(plan.herbs.size()), "herb", "herbs"),
                         counted(int(plan.formulas.size()), "formula", "formulas"),
                         QDir::toNativeSeparators(backup)));
}

void backupOwnEntries(QWidget* parent, app::AppContext& context)
{
    QString error;
    const QString backup = owndata::backupOwnDatabase(context.ownDb(), &error);
    if (backup.isEmpty()) {
        app::MessageBox::information(
            parent, QStringLiteral("No backup of your own entries could be made: %1").arg(error));
        return;
    }
    app::MessageBox::information(
        parent, QStringLiteral("Your own entries were backed up to \"%1\". The last %2 backups "
                               "are kept.")
                    .arg(QDir::toNativeSeparators(backup))
                    .arg(owndata::keptBackups));
}

} // namespace tavirel::menuextras
