#include "BenchPlot.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace tavirel::bench {

namespace {

constexpr int width = 1100;
constexpr int height = 700;
const QRectF area(90, 60, 620, 540); // the plotting area; the legend goes to its right

const QList<QColor> palette = {QColor(0x1f77b4), QColor(0xd62728), QColor(0x2ca02c),
                               QColor(0xff7f0e), QColor(0x9467bd), QColor(0x8c564b),
                               QColor(0xe377c2), QColor(0x17becf), QColor(0xbcbd22),
                               QColor(0x393b79), QColor(0x555555)};

} // namespace

QImage plotTimes(const QList<SizeResult>& sizes, Clock clock)
{
    const auto times = [clock](const SizeResult& size) {
        return clock == Clock::Wall ? size.medianMs : size.medianCpuMs;
    };
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (sizes.isEmpty())
        return image;

    // Decades of milliseconds that hold every value.
    double low = 1e9, high = 0;
    for (const SizeResult& size : sizes) {
        for (double value : times(size)) {
            if (value > 0) {
                low = std::min(low, value);
                high = std::max(high, value);
            }
        }
    }
    if (high <= 0)
        return image;
    const double yLow = std::floor(std::log10(low));
    const double yHigh = std::ceil(std::log10(high));
    const double xLow = std::log10(sizes.first().copies);
    const double xHigh = std::log10(sizes.last().copies);
    const auto at = [&](double copies, double ms) {
        const double x = xHigh > xLow ? (std::log10(copies) - xLow) / (xHigh - xLow) : 0.5;
        const double y = (std::log10(ms) - yLow) / std::max(yHigh - yLow, 1.0);
        return QPointF(area.left() + x * area.width(), area.bottom() - y * area.height());
    };

    QFont font = painter.font();
    font.setPixelSize(13);
    painter.setFont(font);

    // Grid: each decade and its 2x and 5x, labelled at the decades.
    for (double decade = yLow; decade <= yHigh; ++decade) {
        for (double step : {1.0, 2.0, 5.0}) {
            const double ms = step * std::pow(10.0, decade);
            if (std::log10(ms) > yHigh + 1e-9)
                break;
            const double y = at(sizes.first().copies, ms).y();
            painter.setPen(QPen(step == 1 ? QColor(0xbbbbbb) : QColor(0xe4e4e4), 1));
            painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
            if (step == 1 || yHigh - yLow <= 2) {
                painter.setPen(Qt::black);
                painter.drawText(QRectF(0, y - 9, area.left() - 8, 18),
                                 Qt::AlignRight | Qt::AlignVCenter,
                                 QStringLiteral("%1 ms").arg(ms));
            }
        }
    }
    for (const SizeResult& size : sizes) {
        const double x = at(size.copies, std::pow(10.0, yLow)).x();
        painter.setPen(QPen(QColor(0xbbbbbb), 1));
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x - 80, area.bottom() + 6, 160, 54),
                         Qt::AlignHCenter | Qt::AlignTop,
                         QStringLiteral("%1x\n%2 herbs\n%3 formulas")
                             .arg(size.copies)
                             .arg(size.herbs)
                             .arg(size.formulas));
    }
    painter.setPen(QPen(Qt::black, 1.5));
    painter.drawRect(area);

    QFont bold = font;
    bold.setPixelSize(16);
    bold.setBold(true);
    painter.setFont(bold);
    painter.drawText(QRectF(0, 10, width, 30), Qt::AlignHCenter,
                     QStringLiteral("%1 against content size (median of %2 runs, log scales)")
                         .arg(clock == Clock::Wall
                                  ? QStringLiteral("Wall-clock time")
                                  : QStringLiteral("CPU time of the windows' thread"))
                         .arg(sizes.first().repetitions));
    painter.setFont(font);

    // One line per measurement, and its entry in the legend.
    int row = 0;
    const QList<Measurement>& rows = measurements();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const Measurement& m = rows.at(i);
        QPainterPath path;
        bool any = false;
        for (const SizeResult& size : sizes) {
            const double value = times(size).value(m.key, -1);
            if (value <= 0)
                continue;
            const QPointF p = at(size.copies, value);
            any ? path.lineTo(p) : path.moveTo(p);
            any = true;
        }
        if (!any)
            continue;
        const QColor colour = palette.at(i % palette.size());
        const bool floorLine = m.key == QLatin1String("floor");
        QPen pen(colour, floorLine ? 2.0 : 2.2, floorLine ? Qt::DashLine : Qt::SolidLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
        painter.setBrush(colour);
        for (const SizeResult& size : sizes) {
            const double value = times(size).value(m.key, -1);
            if (value > 0)
                painter.drawEllipse(at(size.copies, value), 3.5, 3.5);
        }
        const double y = area.top() + 10 + row * 24;
        painter.drawLine(QPointF(area.right() + 20, y), QPointF(area.right() + 50, y));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(area.right() + 58, y - 10, width - area.right() - 62, 20),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(m.caption, Qt::ElideRight,
                                                          int(width - area.right() - 64)));
        ++row;
    }
    return image;
}

} // namespace tavirel::bench
