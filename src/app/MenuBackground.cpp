#include "MenuBackground.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace tavirel::app {

namespace {

// One leaf as a pointed oval along its midrib, with the rib drawn in.
void paintLeaf(QPainter& p, QPointF base, double angle, double length, const QColor& colour)
{
    p.save();
    p.translate(base);
    p.rotate(angle);
    QPainterPath leaf;
    leaf.moveTo(0, 0);
    leaf.cubicTo(length * 0.3, -length * 0.28, length * 0.75, -length * 0.22, length, 0);
    leaf.cubicTo(length * 0.75, length * 0.22, length * 0.3, length * 0.28, 0, 0);
    QLinearGradient fill(0, -length * 0.25, 0, length * 0.25);
    fill.setColorAt(0, colour.lighter(130));
    fill.setColorAt(1, colour.darker(120));
    p.setPen(QPen(colour.darker(160), 1.2));
    p.setBrush(fill);
    p.drawPath(leaf);
    p.setPen(QPen(colour.darker(180), 1.0));
    p.drawLine(QPointF(0, 0), QPointF(length * 0.92, 0));
    p.restore();
}

void paintSprig(QPainter& p, QPointF root, double height)
{
    QPainterPath stem;
    stem.moveTo(root);
    stem.cubicTo(root + QPointF(20, -height * 0.3), root + QPointF(-25, -height * 0.6),
                 root + QPointF(10, -height));
    p.setPen(QPen(QColor(0x6b, 0x4f, 0x2a), 3.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(stem);
    const QColor green(0x5f, 0x9e, 0x4f);
    for (int i = 1; i <= 7; ++i) {
        const double t = i / 8.0;
        const QPointF at = stem.pointAtPercent(t);
        const double size = 58 - i * 4.5;
        paintLeaf(p, at, (i % 2 ? -35.0 : 215.0) - t * 20, size, green);
    }
    // A few berries near the top, the way a plate in an old herbal shows the fruit.
    const QPointF top = stem.pointAtPercent(1.0);
    for (int i = 0; i < 3; ++i) {
        QRadialGradient berry(top + QPointF(-8 + i * 9, -6 + (i % 2) * 8), 7);
        berry.setColorAt(0, QColor(0xf2, 0x6b, 0x4b));
        berry.setColorAt(1, QColor(0x9c, 0x22, 0x1c));
        p.setPen(Qt::NoPen);
        p.setBrush(berry);
        p.drawEllipse(top + QPointF(-8 + i * 9, -6 + (i % 2) * 8), 6.5, 6.5);
    }
}

} // namespace

void paintMenuBackground(QPainter& p, const QRect& area)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(area.topLeft(), area.bottomRight());
    sky.setColorAt(0.0, QColor(0x1f, 0x4d, 0x3a));
    sky.setColorAt(0.55, QColor(0x2e, 0x6b, 0x4f));
    sky.setColorAt(1.0, QColor(0x12, 0x33, 0x27));
    p.fillRect(area, sky);

    // Soft rings like the grain of a sliced root.
    p.setBrush(Qt::NoBrush);
    for (int r = 40; r < 420; r += 26) {
        p.setPen(QPen(QColor(255, 255, 255, 14), 2));
        p.drawEllipse(QPointF(area.width() * 0.3, area.height() * 0.55), r, r * 0.8);
    }

    paintSprig(p, QPointF(area.width() * 0.36, area.height() - 70), area.height() * 0.62);

    QFont titleFont(QStringLiteral("DejaVu Serif"));
    titleFont.setPixelSize(40);
    titleFont.setBold(true);
    p.setFont(titleFont);
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(QPointF(30, 64), QStringLiteral("Tavirel 1.0"));
    p.setPen(QColor(0xf5, 0xea, 0xc8));
    p.drawText(QPointF(28, 62), QStringLiteral("Tavirel 1.0"));

    QFont subtitle(QStringLiteral("DejaVu Sans"));
    subtitle.setPixelSize(15);
    subtitle.setItalic(true);
    p.setFont(subtitle);
    p.setPen(QColor(0xd8, 0xe8, 0xcf));
    p.drawText(QPointF(30, 88), QStringLiteral("Chinese medicinal herbs and formulas"));

    p.setPen(QPen(QColor(0xf5, 0xea, 0xc8, 120), 1));
    p.drawLine(QPointF(28, 100), QPointF(area.width() - 28, 100));
    p.restore();
}

} // namespace tavirel::app
