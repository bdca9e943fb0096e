#pragma once

#include "button/Color.h"
#include "button/SkinButton.h"

#include <QTest>
#include <QWidget>

namespace tavirel::button::test {

// A shown window for buttons, so that the pointer, focus and keys reach them as a user's would.
class ButtonHost : public QWidget
{
public:
    ButtonHost()
    {
        resize(420, 320);
        setWindowTitle(QStringLiteral("button host"));
    }
    bool showActive()
    {
        show();
        activateWindow();
        return QTest::qWaitForWindowExposed(this) && QTest::qWaitForWindowActive(this);
    }
};

// A button in the main menu's colours: style 3 on scheme 2, face &HFF8080.
inline SkinButton* menuStyleButton(QWidget* parent, QSize size, const QString& caption = {},
                                   QPoint at = QPoint(20, 20))
{
    auto* b = new SkinButton(parent);
    b->setButtonType(3);
    b->setColorScheme(2);
    b->setBackColor(0xFF8080);
    b->setBackOver(0xFF8080);
    b->setForeColor(0x800000);
    b->setForeOver(0xFFFFFF);
    b->setCaption(caption);
    b->setGeometry(QRect(at, size));
    b->show();
    return b;
}

inline Rgb pixelAt(const SkinButton* b, int x, int y)
{
    return fromPixel(b->image().pixel(x, y));
}

// Puts the pointer over a point of a widget (with no mouse button held), or away from every
// button, in the corner of the host.
inline void pointAt(QWidget* w, QPoint p)
{
    QTest::mouseMove(w, p);
}
inline void pointAway(QWidget* host)
{
    QTest::mouseMove(host, QPoint(2, 2));
}

} // namespace tavirel::button::test
