#include "PlaceholderWindow.h"

#include "CenterForm.h"

namespace tavirel::app {

PlaceholderWindow::PlaceholderWindow(const QString& name, const QString& caption, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(name);
    setWindowTitle(caption);
    resize(640, 480);
    CenterForm(this);
}

} // namespace tavirel::app
