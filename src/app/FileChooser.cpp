#include "FileChooser.h"

#include "ModalOpener.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace tavirel::app {

namespace {

QString choose(QWidget* parent, const QString& caption, const QString& filter,
               QFileDialog::AcceptMode mode, const QString& suggested)
{
    auto dialog = std::make_unique<QFileDialog>(parent, caption, QString(), filter);
    dialog->setObjectName(QStringLiteral("FileChooser"));
    // The same window everywhere, so it behaves alike on every desktop and under test.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    if (mode == QFileDialog::AcceptSave) {
        dialog->setDirectory(QDir::homePath());
        dialog->selectFile(suggested);
        dialog->setDefaultSuffix(QFileInfo(suggested).suffix());
    }
    QString chosen;
    QObject::connect(dialog.get(), &QFileDialog::fileSelected,
                     [&chosen](const QString& file) { chosen = file; });
    if (ModalOpener::open(std::move(dialog)) != QDialog::Accepted)
        return {};
    return chosen;
}

} // namespace

QString chooseFileToOpen(QWidget* parent, const QString& caption, const QString& filter)
{
    return choose(parent, caption, filter, QFileDialog::AcceptOpen, {});
}

QString chooseFileToSave(QWidget* parent, const QString& caption, const QString& filter,
                         const QString& suggested)
{
    return choose(parent, caption, filter, QFileDialog::AcceptSave, suggested);
}

} // namespace tavirel::app
