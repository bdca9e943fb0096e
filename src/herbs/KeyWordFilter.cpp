#include "KeyWordFilter.h"

#include "app/MessageBox.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace tavirel::herbs {

void KeyWordFilter::install(QLineEdit* box, std::function<void()> search)
{
    box->installEventFilter(new KeyWordFilter(box, std::move(search)));
}

KeyWordFilter::KeyWordFilter(QLineEdit* box, std::function<void()> search)
    : QObject(box), m_search(std::move(search))
{
}

bool KeyWordFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    auto* box = static_cast<QLineEdit*>(watched);

    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        m_search();
        // Move on exactly as the Tab key would.
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &tab);
        return true;
    }
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Delete)
        return false;
    const QString text = key->text();
    if (text.isEmpty())
        return false; // moves the cursor, types nothing
    const QChar c = text.at(0);
    const bool letter = (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                        (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
    if (text.size() == 1 && (letter || c == QLatin1Char(' ') || c == QLatin1Char('\b')))
        return false;
    if (key->key() == Qt::Key_Backspace)
        return false;
    app::MessageBox::information(box->window(), QStringLiteral("Should press the letter!"));
    return true;
}

} // namespace tavirel::herbs
