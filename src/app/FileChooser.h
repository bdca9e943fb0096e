#pragma once

#include <QString>

class QWidget;

namespace tavirel::app {

// Asks for a file to open or to save through the program's own file window, opened through
// the modal seam like every other window, so tests can pick a file for the user. Empty when
// the user cancels.
QString chooseFileToOpen(QWidget* parent, const QString& caption, const QString& filter);
QString chooseFileToSave(QWidget* parent, const QString& caption, const QString& filter,
                         const QString& suggested);

} // namespace tavirel::app
