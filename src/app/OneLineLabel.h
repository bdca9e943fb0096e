#pragma once

#include <QLabel>

namespace tavirel::app {

// A heading that shows a name on one line whatever the name holds: line breaks read as blanks,
// and a name too long for the room is cut short with "…" (the whole name in its tool tip).
// It never asks for more width than the window gives it.
class OneLineLabel : public QLabel
{
    Q_OBJECT

public:
    explicit OneLineLabel(QWidget* parent = nullptr);

    // Shows the name; text() then holds it on one line.
    void setLine(const QString& name);
    static QString oneLine(const QString& text);

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tavirel::app
