#include "SheetDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

namespace tavirel::printsheet {

namespace {

QString escaped(const QString& text)
{
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

QString fieldHtml(const SheetField& field)
{
    return QStringLiteral("<h3>%1</h3><p>%2</p>").arg(escaped(field.caption), escaped(field.text));
}

QString compositionHtml(const Sheet& sheet)
{
    QString html = QStringLiteral(
        "<table class=\"composition\" width=\"100%\" cellspacing=\"0\" cellpadding=\"4\">"
        "<tr><th align=\"left\">Herb</th><th align=\"right\">Dosage (g)</th>"
        "<th align=\"left\">Meridians</th></tr>");
    for (const CompositionRow& row : sheet.composition)
        html += QStringLiteral("<tr><td>%1</td><td align=\"right\">%2</td><td>%3</td></tr>")
                    .arg(escaped(row.herb), escaped(row.grams), escaped(row.meridians));
    return html + QStringLiteral("</table>");
}

constexpr double footerShare = 0.05; // of the page height

} // namespace

std::unique_ptr<QTextDocument> sheetDocument(const Sheet& sheet)
{
    QString html = QStringLiteral("<h1>%1").arg(escaped(sheet.title));
    if (!sheet.chinese.isEmpty())
        html +=
            QStringLiteral(" &nbsp;<span class=\"chinese\">%1</span>").arg(escaped(sheet.chinese));
    html += QStringLiteral("</h1>");
    if (!sheet.subtitle.isEmpty())
        html += QStringLiteral("<p class=\"latin\">Pharmaceutical Name: <i>%1</i></p>")
                    .arg(escaped(sheet.subtitle));
    if (!sheet.headFields.isEmpty()) {
        html += QStringLiteral("<p>");
        for (const SheetField& field : sheet.headFields)
            html += QStringLiteral("<b>%1:</b> %2<br>")
                        .arg(escaped(field.caption), escaped(field.text));
        html += QStringLiteral("</p>");
    }
    html += QStringLiteral("<hr>");
    if (sheet.formula)
        html += QStringLiteral("<h3>Composition</h3>") + compositionHtml(sheet);
    for (const SheetField& field : sheet.fields)
        html += fieldHtml(field);

    auto document = std::make_unique<QTextDocument>();
    document->setDefaultStyleSheet(QStringLiteral(
        "h1 { font-size: 20pt; } h3 { font-size: 11pt; color: #2a5d3c; margin-top: 10px; "
        "margin-bottom: 2px; } p { font-size: 10pt; } .latin { font-size: 11pt; } "
        "table.composition { border-color: #888888; border-style: solid; font-size: 10pt; } "
        "th { background-color: #e4efe6; }"));
    document->setHtml(html);
    document->setMetaInformation(QTextDocument::DocumentTitle, sheet.title);
    return document;
}

QString footerText(const QDate& date, int page, int pages)
{
    return QStringLiteral("Tavirel 1.0 \u2014 %1 \u2014 page %2 of %3")
        .arg(date.toString(Qt::ISODate))
        .arg(page)
        .arg(pages);
}

int paintSheet(const Sheet& sheet, QPagedPaintDevice& device, const QDate& date)
{
    const std::unique_ptr<QTextDocument> document = sheetDocument(sheet);
    // Point sizes measured on the device itself, so the sheet has the same size on any printer.
    document->documentLayout()->setPaintDevice(&device);
    const double width = device.width();
    const double footerHeight = device.height() * footerShare;
    const double bodyHeight = device.height() - footerHeight;
    document->setPageSize(QSizeF(width, bodyHeight));
    const int pages = document->pageCount();

    QPainter painter(&device);
    QFont footerFont = painter.font();
    footerFont.setPointSizeF(8);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            device.newPage();
        painter.save();
        painter.translate(0, -page * bodyHeight);
        document->drawContents(&painter, QRectF(0, page * bodyHeight, width, bodyHeight));
        painter.restore();
        painter.setFont(QFont(footerFont, &device));
        painter.setPen(QColor(0x55, 0x55, 0x55));
        painter.drawLine(QPointF(0, bodyHeight + footerHeight * 0.25),
                         QPointF(width, bodyHeight + footerHeight * 0.25));
        painter.drawText(QRectF(0, bodyHeight + footerHeight * 0.3, width, footerHeight * 0.7),
                         Qt::AlignLeft | Qt::AlignVCenter, footerText(date, page + 1, pages));
    }
    return pages;
}

bool writePdf(const Sheet& sheet, const QString& path, const QDate& date, QString* error)
{
    {
        QPdfWriter writer(path);
        writer.setTitle(sheet.title);
        writer.setCreator(QStringLiteral("Tavirel 1.0"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(18, 16, 18, 14), QPageLayout::Millimeter);
        writer.setResolution(300);
        paintSheet(sheet, writer, date);
    }
    QFile written(path);
    if (!written.open(QIODevice::ReadOnly) || !written.read(5).startsWith("%PDF-")) {
        if (error)
            *error = written.errorString().isEmpty()
                         ? QStringLiteral("The file could not be written.")
                         : written.errorString();
        return false;
    }
    return true;
}

} // namespace tavirel::printsheet
