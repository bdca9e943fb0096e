#pragma once

class QWidget;

namespace tavirel::app {
struct AppContext;
}

namespace tavirel::menuextras {

// The own entries' commands: each asks what it needs, reports what it did and leaves the
// own database as it was on any failure.
void exportOwnEntries(QWidget* parent, app::AppContext& context);
void importOwnEntries(QWidget* parent, app::AppContext& context);
void backupOwnEntries(QWidget* parent, app::AppContext& context);

} // namespace tavirel::menuextras
