#pragma once

#include <QObject>

#include <functional>

class QLineEdit;

namespace tavirel::herbs {

// The typing rule of the key-word boxes: letters, blank and Backspace only; any other typed
// character is refused with "Should press the letter!". Letters are those of any script, so
// Chinese names and tone-marked Pinyin can be typed through an input method or pasted; a paste
// or a composed text holding anything else is refused whole. Enter runs the search, then moves
// the focus on as Tab would. Keys that type nothing (arrows, Home, Delete) edit as usual.
class KeyWordFilter : public QObject
{
    Q_OBJECT

public:
    static void install(QLineEdit* box, std::function<void()> search);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyWordFilter(QLineEdit* box, std::function<void()> search);

    std::function<void()> m_search;
};

} // namespace tavirel::herbs
