#pragma once

#include <QDialog>

namespace tavirel::app {

// An empty window with the name and caption of a window still to be built, centred on load.
class PlaceholderWindow : public QDialog
{
    Q_OBJECT

public:
    PlaceholderWindow(const QString& name, const QString& caption, QWidget* parent = nullptr);
};

} // namespace tavirel::app
