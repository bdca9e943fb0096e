#pragma once

#include "Sheet.h"

#include <QDate>

#include <memory>

class QPagedPaintDevice;
class QTextDocument;

namespace tavirel::printsheet {

// The sheet's body as a document: heading with the Chinese name, fields in order, the
// composition as a table.
std::unique_ptr<QTextDocument> sheetDocument(const Sheet& sheet);

// The line at the foot of every page: the program's name, the date and the page.
QString footerText(const QDate& date, int page, int pages);

// Lays the sheet out on the device's pages with the footer on each; a printer or a PDF writer.
// Returns the number of pages.
int paintSheet(const Sheet& sheet, QPagedPaintDevice& device, const QDate& date);

// Writes the sheet as a PDF file (A4); false and error when the file can not be written.
bool writePdf(const Sheet& sheet, const QString& path, const QDate& date, QString* error);

} // namespace tavirel::printsheet
