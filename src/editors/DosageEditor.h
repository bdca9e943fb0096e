#pragma once

#include <QLineEdit>

namespace tavirel::editors {

// The dosage editor ("Text5") of the add-formula window: a one-line box laid over a dosage cell
// of the composition grid while that dosage is typed. It tells the window when the focus goes
// to another control (not when its own context menu opens or the whole window is deactivated,
// which would close it under the user's hands), and keeps every key it gets to itself, so no
// key reaches the grid under it and Escape does not close the window. Enter asks to commit.
class DosageEditor : public QLineEdit
{
    Q_OBJECT

public:
    explicit DosageEditor(QWidget* parent = nullptr);

Q_SIGNALS:
    void focusLeft();
    void enterPressed();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace tavirel::editors
