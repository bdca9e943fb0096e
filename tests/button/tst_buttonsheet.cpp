// Draws every style in every state on every scheme, with and without a picture, into one
// contact sheet in the build folder for a person to compare with the styles' descriptions, and
// checks what a machine can tell about it.
#include "ButtonTestSupport.h"

#include <QPainter>

using namespace tavirel::button;
using namespace tavirel::button::test;

namespace {

constexpr QSize buttonSize(96, 26);
constexpr QSize cellSize(104, 34);
constexpr QSize block(28 + 8 * 104 + 16, 40 + 15 * 34 + 16); // one scheme, labels included

// Where the button of a scheme, a style and a column (normal, hover, pressed, disabled, then the
// same with a picture) lands on the sheet: schemes in two rows of two, styles down.
QPoint cellAt(int scheme, int style, int column)
{
    return QPoint((scheme - 1) % 2 * block.width() + 28 + column * cellSize.width() + 4,
                  (scheme - 1) / 2 * block.height() + 40 + (style - 1) * cellSize.height() + 4);
}

// A striped window, so that the captured background of style 11 shows.
class StripedHost : public ButtonHost
{
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0xE8, 0xE4, 0xD8));
        painter.setPen(QPen(QColor(0xB8, 0xC8, 0xE0), 3));
        for (int x = -height(); x < width(); x += 12)
            painter.drawLine(x, height(), x + height(), 0);
    }
};

} // namespace

class TestButtonSheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void contactSheet();

private:
    StripedHost m_host;
};

void TestButtonSheet::contactSheet()
{
    m_host.resize(300, 200);
    QVERIFY(m_host.showActive());
    QImage disc(16, 16, QImage::Format_RGB32); // a green disc with a dark rim on the mask colour
    disc.fill(QColor(0xC0, 0xC0, 0xC0));
    QPainter discPainter(&disc);
    discPainter.setPen(QPen(QColor(0x10, 0x40, 0x10), 2));
    discPainter.setBrush(QColor(0x40, 0xC0, 0x40));
    discPainter.drawEllipse(2, 2, 11, 11);
    discPainter.end();
    QImage sheet(2 * block.width(), 2 * block.height(), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
    for (int scheme = 1; scheme <= 4; ++scheme) {
        painter.drawText(cellAt(scheme, 1, 0) - QPoint(28, 26),
                         QStringLiteral("scheme %1: normal, hover, pressed, disabled; the same "
                                        "with a picture")
                             .arg(scheme));
        for (int style = 1; style <= 15; ++style) {
            painter.drawText(cellAt(scheme, style, 0) + QPoint(-24, 17), QString::number(style));
            for (int column = 0; column < 8; ++column) {
                // The button as the window shows it: its image through its shape.
                SkinButton* b =
                    menuStyleButton(&m_host, buttonSize, QStringLiteral("Exit"), QPoint(40, 40));
                b->setButtonType(style);
                b->setColorScheme(scheme);
                b->setPictureNormal(column >= 4 ? disc : QImage());
                b->setEnabled(column % 4 != 3);
                b->clearFocus();
                const QPoint middle(buttonSize.width() / 2, buttonSize.height() / 2);
                if (column % 4 == 1)
                    pointAt(b, middle);
                if (column % 4 == 1 && !QTest::qWaitFor([b] { return b->isOver(); }))
                    qWarning("style %d never hovered", style);
                if (column % 4 == 2)
                    QTest::mousePress(b, Qt::LeftButton, {}, middle);
                const QPoint at = cellAt(scheme, style, column);
                painter.fillRect(QRect(at - QPoint(2, 2), buttonSize + QSize(4, 4)),
                                 QColor(0xE8, 0xE4, 0xD8));
                painter.setClipRegion(b->mask().isEmpty() ? QRegion(b->rect()).translated(at)
                                                          : b->mask().translated(at));
                painter.drawImage(at, b->image());
                painter.setClipping(false);
                pointAway(&m_host);
                if (column % 4 == 2)
                    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(-50, -50));
                if (!QTest::qWaitFor([b] { return !b->isOver(); }))
                    qWarning("style %d never stopped hovering", style);
                delete b;
            }
        }
    }
    painter.end();
    QVERIFY(sheet.save(QStringLiteral(TAVIREL_BUTTON_SHEET)));

    // The program's own style looks different in every state; style 15 always looks pressed;
    // style 10 shows its picture and nothing else.
    for (int scheme = 1; scheme <= 4; ++scheme) {
        const auto at = [&](int style, int column) {
            return sheet.copy(QRect(cellAt(scheme, style, column), buttonSize));
        };
        for (int state = 1; state <= 3; ++state)
            QVERIFY(at(3, state) != at(3, 0));
        QCOMPARE(at(15, 1), at(15, 0));
        QCOMPARE(at(15, 2), at(15, 0));
        QVERIFY(at(10, 4) != at(10, 0));
    }
}

QTEST_MAIN(TestButtonSheet)
#include "tst_buttonsheet.moc"
