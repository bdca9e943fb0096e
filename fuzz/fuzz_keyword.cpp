// The key-word filter on arbitrary text typed key by key, then the search text built from what
// the box took: the Like pattern and the entries of a result list.
#include "FuzzSupport.h"
#include "app/MessageBox.h"
#include "data/Statement.h"
#include "herbs/HerbSearch.h"
#include "herbs/KeyWordFilter.h"

#include <QKeyEvent>
#include <QLineEdit>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    tavirel::fuzz::application();
    // "Should press the letter!" is answered at once instead of waiting for a user.
    tavirel::app::MessageBox::setTestMode(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QLineEdit* box = [] {
        auto* line = new QLineEdit;
        tavirel::herbs::KeyWordFilter::install(line, [] {});
        return line;
    }();
    box->clear();
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)).left(2000);
    for (const QChar c : text) {
        const int key = c == QLatin1Char('\r')   ? int(Qt::Key_Return)
                        : c == QLatin1Char('\b') ? int(Qt::Key_Backspace)
                                                 : int(c.toUpper().unicode());
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(box, &press);
    }
    tavirel::app::MessageBox::takeShown();
    (void)tavirel::data::containsPattern(box->text());
    (void)tavirel::data::containsPattern(text);
    const QString entry = tavirel::herbs::herbSearchEntry(text, box->text(), size % 2 == 0);
    (void)tavirel::herbs::herbNameFromEntry(entry);
    (void)tavirel::herbs::herbNameFromEntry(text);
    return 0;
}
