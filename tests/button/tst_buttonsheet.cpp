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
constexpr int labelWidth = 28;
constexpr int headerHeight = 40;

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

// A green disc with a dark rim on the mask colour.
QImage discPicture()
{
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(QColor(0xC0, 0xC0, 0xC0));
    QPainter painter(&picture);
    painter.setPen(QPen(QColor(0x10, 0x40, 0x10), 2));
    painter.setBrush(QColor(0x40, 0xC0, 0x40));
    painter.drawEllipse(2, 2, 11, 11);
    return picture;
}

} // namespace

class TestButtonSheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void contactSheet();

private:
    QImage cell(int scheme, int style, int state, bool picture);

    StripedHost m_host;
};

// One button as the window shows it (its image through its shape) in state 0 normal, 1 hover,
// 2 pressed or 3 disabled.
QImage TestButtonSheet::cell(int scheme, int style, int state, bool picture)
{
    SkinButton* b = menuStyleButton(&m_host, buttonSize, QStringLiteral("Exit"), QPoint(40, 40));
    b->setButtonType(style);
    b->setColorScheme(scheme);
    if (picture)
        b->setPictureNormal(discPicture());
    b->clearFocus();
    const QPoint middle(buttonSize.width() / 2, buttonSize.height() / 2);
    if (state == 1) {
        pointAt(b, middle);
        if (!QTest::qWaitFor([b] { return b->isOver(); }))
            qWarning("style %d never hovered", style);
    } else if (state == 2) {
        QTest::mousePress(b, Qt::LeftButton, {}, middle);
    } else if (state == 3) {
        b->setEnabled(false);
    }
    QImage shown(buttonSize, QImage::Format_ARGB32);
    shown.fill(Qt::transparent);
    QPainter painter(&shown);
    painter.setClipRegion(b->mask().isEmpty() ? QRegion(b->rect()) : b->mask());
    painter.drawImage(0, 0, b->image());
    painter.end();
    if (state == 1) {
        pointAway(&m_host);
        if (!QTest::qWaitFor([b] { return !b->isOver(); }))
            qWarning("style %d never stopped hovering", style);
    } else if (state == 2) {
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(-50, -50));
    }
    delete b;
    return shown;
}

void TestButtonSheet::contactSheet()
{
    m_host.resize(300, 200);
    QVERIFY(m_host.showActive());
    const QStringList states{"normal", "hover", "pressed", "disabled"};
    const QSize block(labelWidth + 8 * cellSize.width() + 16,
                      headerHeight + 15 * cellSize.height() + 16);
    QImage sheet(2 * block.width(), 2 * block.height(), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 8));

    QHash<QString, QImage> cells;
    const auto key = [](int scheme, int style, int state, bool picture) {
        return QStringLiteral("%1/%2/%3/%4").arg(scheme).arg(style).arg(state).arg(picture);
    };
    for (int scheme = 1; scheme <= 4; ++scheme) {
        const QPoint origin(((scheme - 1) % 2) * block.width(),
                            ((scheme - 1) / 2) * block.height());
        painter.drawText(origin + QPoint(4, 14), QStringLiteral("scheme %1").arg(scheme));
        for (int column = 0; column < 8; ++column)
            painter.drawText(QRect(origin + QPoint(labelWidth + column * cellSize.width(), 20),
                                   QSize(cellSize.width(), 16)),
                             Qt::AlignCenter, states.at(column % 4) + (column >= 4 ? "+pic" : ""));
        for (int style = 1; style <= 15; ++style) {
            const QPoint row = origin + QPoint(0, headerHeight + (style - 1) * cellSize.height());
            painter.drawText(QRect(row, QSize(labelWidth, cellSize.height())), Qt::AlignCenter,
                             QString::number(style));
            for (int column = 0; column < 8; ++column) {
                const QImage shown = cell(scheme, style, column % 4, column >= 4);
                cells.insert(key(scheme, style, column % 4, column >= 4), shown);
                const QPoint at = row + QPoint(labelWidth + column * cellSize.width() + 4, 4);
                painter.fillRect(QRect(at - QPoint(2, 2), buttonSize + QSize(4, 4)),
                                 QColor(0xE8, 0xE4, 0xD8));
                painter.drawImage(at, shown);
            }
        }
    }
    painter.end();
    QVERIFY(sheet.save(QStringLiteral(TAVIREL_BUTTON_SHEET)));

    const auto at = [&](int scheme, int style, int state, bool picture) {
        return cells.value(key(scheme, style, state, picture));
    };
    for (int scheme = 1; scheme <= 4; ++scheme) {
        // The program's own style looks different in every state.
        for (int state = 1; state <= 3; ++state)
            QVERIFY(at(scheme, 3, state, false) != at(scheme, 3, 0, false));
        // Style 15 always looks pressed; style 10 shows its picture and nothing else.
        QCOMPARE(at(scheme, 15, 1, false), at(scheme, 15, 0, false));
        QCOMPARE(at(scheme, 15, 2, false), at(scheme, 15, 0, false));
        QVERIFY(at(scheme, 10, 0, true) != at(scheme, 10, 0, false));
    }
}

QTEST_MAIN(TestButtonSheet)
#include "tst_buttonsheet.moc"
