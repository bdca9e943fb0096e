#pragma once

#include <QObject>

#include <functional>

class QLineEdit;

namespace tavirel::herbs {

// The typing rule of the key-word boxes: letters, blank and Backspace only; any other typed
// character is refused with "Should press the letter!". Enter runs the search, then moves the
// focus on as Tab would. Keys that type nothing (arrows, Home, Delete) edit as usual.
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
