#pragma once

#include <QDialog>

#include <functional>
#include <memory>

namespace tavirel::app {

// The one place that shows a window modally. The window is shown, the caller waits until it
// is closed, and the window is destroyed. Tests install a handler that drives the window
// instead of running its event loop.
class ModalOpener
{
public:
    using Handler = std::function<int(QDialog&)>;

    static int open(std::unique_ptr<QDialog> window);
    static void setHandler(Handler handler);
};

} // namespace tavirel::app
