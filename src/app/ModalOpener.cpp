#include "ModalOpener.h"

namespace tavirel::app {

namespace {

ModalOpener::Handler& handler()
{
    static ModalOpener::Handler h;
    return h;
}

} // namespace

int ModalOpener::open(std::unique_ptr<QDialog> window)
{
    if (!window)
        return QDialog::Rejected;
    window->setWindowModality(Qt::ApplicationModal);
    if (handler())
        return handler()(*window);
    return window->exec();
}

void ModalOpener::setHandler(Handler h)
{
    handler() = std::move(h);
}

} // namespace tavirel::app
