#pragma once

#include <QPlainTextEdit>

namespace tavirel::editors {

// A multi-line text box of the editor windows. Whatever is pasted or dropped into it passes the
// box's InputLimit first: text that would take it beyond its limit is refused whole.
class MultiLineBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void insertFromMimeData(const QMimeData* source) override;
};

} // namespace tavirel::editors
