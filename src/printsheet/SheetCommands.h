#pragma once

#include "Sheet.h"

#include <functional>
#include <optional>

class QWidget;

namespace tavirel::printsheet {

using SheetSource = std::function<std::optional<Sheet>()>;

// Adds "Print...", "Print Preview...", "Export as PDF..." and "Copy as Text" to the context
// menu of area and of every control in it (a text box keeps its own entries above them), and
// Ctrl+P (the preview, from which the sheet is printed) while the focus is in area. The sheet
// is read from source when a command runs; with nothing shown the commands do nothing.
void attachSheetCommands(QWidget* area, SheetSource source);

void printSheet(QWidget* parent, const Sheet& sheet);
void previewSheet(QWidget* parent, const Sheet& sheet);
void exportSheetPdf(QWidget* parent, const Sheet& sheet);
void copySheetText(const Sheet& sheet);

} // namespace tavirel::printsheet
