#pragma once

#include <QLabel>

namespace tavirel::app {

// A label that acts as a link: reachable with Tab, opened with Enter or Space, drawn with a
// focus frame while it has the focus, and announced to screen readers as a link with a press
// action. The pointer handling (colours, clicks) stays with the window that owns it.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    LinkLabel(const QString& text, QWidget* parent = nullptr);

    // Opens the link, as a click on it does.
    void press() { emit activated(); }

Q_SIGNALS:
    void activated();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tavirel::app
