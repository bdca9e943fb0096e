#pragma once

#include <QObject>
#include <QString>

class QKeyEvent;
class QWidget;

namespace tavirel::editors {

// "Input text too long. The maximum bytes is " + limit + "."
QString inputTooLongMessage(int limit);

// The typing check of the editor windows' text boxes (a QLineEdit, QPlainTextEdit or
// QTextEdit), made on every key press before the key reaches the box:
// - a key that types into a box already holding `limit` characters (whatever is selected)
//   is refused with the limit message; Backspace always passes;
// - Enter that passes is handed to the box first (a multi-line box takes its line break) and
//   then moves the focus on, as Tab does.
// Keys that type nothing (arrows, Delete, copy, select all) pass unchecked. Text pasted with
// the mouse or by a key while the box is below its limit is not measured.
// The check belongs to the box: it is made its child and lives as long as the box.
class InputLimit : public QObject
{
    Q_OBJECT

public:
    InputLimit(QWidget* box, int limit);

    int limit() const { return m_limit; }
    // The check installed on a box, if any.
    static InputLimit* of(const QWidget* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    qsizetype length() const;
    void moveFocusOn();

    QWidget* m_box;
    int m_limit;
};

} // namespace tavirel::editors
