#include "InputLimit.h"

#include "app/MessageBox.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QValidator>

#include <QTextEdit>
#include <limits>

namespace tavirel::editors {

namespace {

bool isEnter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// The keys that put text into a box (or take it out, for Backspace).
bool typesText(const QKeyEvent* key)
{
    if (isEnter(key) || key->key() == Qt::Key_Backspace || key->matches(QKeySequence::Paste))
        return true;
    const Qt::KeyboardModifiers mods = key->modifiers();
    // Control without Alt is a shortcut; Control with Alt is AltGr typing a character.
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier))
        return false;
    if (mods & Qt::MetaModifier)
        return false;
    const QString text = key->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

// Line breaks of pasted text become blanks; text beyond the limit is refused whole.
class OneLineValidator : public QValidator
{
public:
    OneLineValidator(QLineEdit* box, InputLimit* limit) : QValidator(box), m_limit(limit) {}

    State validate(QString& input, int& pos) const override
    {
        static const QRegularExpression lineBreak(
            QStringLiteral("\\r\\n|[\\r\\n\\x{2028}\\x{2029}\\x{85}\\v\\f]"));
        if (input.contains(lineBreak)) {
            const qsizetype before = input.size();
            input.replace(lineBreak, QStringLiteral(" "));
            pos = int(qMax<qsizetype>(0, pos - (before - input.size())));
        }
        if (m_limit && !m_limit->admits(input.size()))
            return Invalid;
        return Acceptable;
    }

private:
    InputLimit* m_limit;
};

} // namespace

void keepOnOneLine(QLineEdit* box, InputLimit* limit)
{
    // The box's own cap (32767 by default) would cut a long paste without a word: it is kept
    // one above the limit, so whatever is too long reaches the validator and is refused.
    box->setMaxLength(limit ? limit->limit() + 1 : std::numeric_limits<int>::max());
    box->setValidator(new OneLineValidator(box, limit));
}

bool InputLimit::admits(qsizetype length)
{
    if (length <= m_limit)
        return true;
    // A setText from the program is checked too but stays: only a refused paste, which the box
    // undoes, is reported; and after the paste or drop has finished, not in its middle.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (this->length() <= m_limit)
                app::MessageBox::information(m_box->window(), inputTooLongMessage(m_limit));
        },
        Qt::QueuedConnection);
    return false;
}

QString inputTooLongMessage(int limit)
{
    return QStringLiteral("Input text too long. The maximum bytes is %1.").arg(limit);
}

InputLimit::InputLimit(QWidget* box, int limit) : QObject(box), m_box(box), m_limit(limit)
{
    // In a multi-line box Tab moves on, as Enter does after its line break.
    if (auto* plain = qobject_cast<QPlainTextEdit*>(box))
        plain->setTabChangesFocus(true);
    else if (auto* rich = qobject_cast<QTextEdit*>(box))
        rich->setTabChangesFocus(true);
    if (auto* line = qobject_cast<QLineEdit*>(box))
        keepOnOneLine(line, this);
    box->installEventFilter(this);
}

InputLimit* InputLimit::of(const QWidget* box)
{
    return box ? box->findChild<InputLimit*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

qsizetype InputLimit::length() const
{
    if (const auto* line = qobject_cast<const QLineEdit*>(m_box))
        return line->text().size();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(m_box))
        return plain->toPlainText().size();
    if (const auto* rich = qobject_cast<const QTextEdit*>(m_box))
        return rich->toPlainText().size();
    return 0;
}

void InputLimit::moveFocusOn()
{
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(m_box, &tab);
}

bool InputLimit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_box || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (!typesText(key))
        return false;
    if (key->key() != Qt::Key_Backspace && length() >= m_limit) {
        app::MessageBox::information(m_box->window(), inputTooLongMessage(m_limit));
        key->accept(); // discarded, and not passed on to the window either
        return true;
    }
    if (!isEnter(key))
        return false;
    // Hand Enter to the box itself first (past this filter), so a multi-line box takes its
    // line break, and keep it from the window, whose default button it would press.
    static_cast<QObject*>(m_box)->event(event);
    key->accept();
    moveFocusOn();
    return true;
}

} // namespace tavirel::editors
