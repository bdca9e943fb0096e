#include "DosageEditor.h"

#include "InputLimit.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace tavirel::editors {

DosageEditor::DosageEditor(QWidget* parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("Text5"));
    setAccessibleName(QStringLiteral("Dosage (g)"));
    setFrame(false);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, QColor(0x80, 0xFF, 0x80));
    palette.setColor(QPalette::Text, Qt::black);
    setPalette(palette);
    setAutoFillBackground(true);
    // No typing limit here, but a pasted dosage stays on one line and is never cut.
    keepOnOneLine(this);
    hide();
}

void DosageEditor::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        Q_EMIT focusLeft();
}

void DosageEditor::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        Q_EMIT enterPressed();
        return;
    }
    QLineEdit::keyPressEvent(event);
    event->accept();
}

} // namespace tavirel::editors
