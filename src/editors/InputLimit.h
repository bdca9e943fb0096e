#pragma once

#include <QObject>
#include <QString>

class QKeyEvent;
class QLineEdit;
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
// Keys that type nothing (arrows, Delete, copy, select all) pass unchecked.
// Pasted or dropped text that would take the box beyond its limit is refused whole, with the
// same message, and nothing is cut: a one-line box checks it through its validator, a
// multi-line box (a MultiLineBox) before inserting it. A one-line box turns line breaks in
// pasted text into blanks.
// The check belongs to the box: it is made its child and lives as long as the box.
class InputLimit;

// Makes a one-line box keep pasted text on one line (line breaks become blanks) and refuse
// pasted text beyond the box's limit (a negative limit: none) instead of cutting it.
void keepOnOneLine(QLineEdit* box, InputLimit* limit = nullptr);

class InputLimit : public QObject
{
    Q_OBJECT

public:
    InputLimit(QWidget* box, int limit);

    int limit() const { return m_limit; }
    // Whether text of this many characters may stand in the box; when not, the user is told
    // (once the paste or drop that asked is over).
    bool admits(qsizetype length);
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
