#include "KeyWordFilter.h"

#include "app/MessageBox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace tavirel::herbs {

namespace {

// Letters of any script pass (Chinese characters, tone-marked Pinyin), with the blank and the
// combining marks some input methods put after a vowel; digits and punctuation do not.
bool keyWordText(const QString& text)
{
    for (const uint c : text.toUcs4()) {
        if (!QChar::isLetter(c) && c != ' ' && QChar::category(c) != QChar::Mark_NonSpacing)
            return false;
    }
    return true;
}

void refuse(QLineEdit* box)
{
    app::MessageBox::information(box->window(), QStringLiteral("Should press the letter!"));
}

} // namespace

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
    auto* box = static_cast<QLineEdit*>(watched);
    if (event->type() == QEvent::InputMethod) {
        // Characters composed in an input method arrive here, not as key presses.
        const auto* input = static_cast<QInputMethodEvent*>(event);
        if (keyWordText(input->commitString()))
            return false;
        QInputMethodEvent cancel; // ends the composition without typing anything
        QCoreApplication::sendEvent(box, &cancel);
        refuse(box);
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Paste)) {
        // A pasted key word follows the typing rule as a whole.
        if (keyWordText(QGuiApplication::clipboard()->text()))
            return false;
        refuse(box);
        return true;
    }

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
    if (keyWordText(text) || text == QLatin1String("\b") || key->key() == Qt::Key_Backspace)
        return false;
    refuse(box);
    return true;
}

} // namespace tavirel::herbs
