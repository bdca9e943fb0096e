#include "OneLineLabel.h"

#include <QPainter>
#include <QRegularExpression>
#include <QStyle>

namespace tavirel::app {

OneLineLabel::OneLineLabel(QWidget* parent) : QLabel(parent)
{
    setWordWrap(false);
    setTextFormat(Qt::PlainText);
    // Asks for the name's width where there is room, and shrinks to an ellipsis where not.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QSize OneLineLabel::minimumSizeHint() const
{
    const QSize full = QLabel::minimumSizeHint();
    const int ellipsis = fontMetrics().horizontalAdvance(QStringLiteral("\u2026")) + 2 * margin() +
                         contentsMargins().left() + contentsMargins().right();
    return QSize(qMin(full.width(), ellipsis), full.height());
}

QString OneLineLabel::oneLine(const QString& text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|\\v"));
    QString line = text;
    return line.replace(lineBreak, QStringLiteral(" "));
}

void OneLineLabel::setLine(const QString& name)
{
    const QString line = oneLine(name);
    setText(line);
    setToolTip(line);
}

void OneLineLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, room.width());
    style()->drawItemText(&painter, room,
                          int(QStyle::visualAlignment(layoutDirection(), alignment())), palette(),
                          isEnabled(), shown, foregroundRole());
}

} // namespace tavirel::app
