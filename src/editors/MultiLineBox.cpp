#include "MultiLineBox.h"

#include "InputLimit.h"

#include <QMimeData>

namespace tavirel::editors {

void MultiLineBox::insertFromMimeData(const QMimeData* source)
{
    if (InputLimit* limit = InputLimit::of(this); limit && source && source->hasText()) {
        // A line break of two characters ends up as one in the box.
        QString pasted = source->text();
        pasted.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        const qsizetype selected = textCursor().selectedText().size();
        if (!limit->admits(toPlainText().size() - selected + pasted.size()))
            return;
    }
    QPlainTextEdit::insertFromMimeData(source);
}

} // namespace tavirel::editors
