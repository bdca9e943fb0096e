#pragma once

namespace tavirel::app {
class Menu;
}

namespace tavirel::menuextras {

// Puts the quick-find box (Ctrl+K or "/" to reach it) and the "Your Own" command button into
// the free space left of the menu's buttons, and builds the quick-find index of the reference
// entries once, in the background. The own entries are read again each time the result list
// opens.
void installMenuExtras(app::Menu& menu);

} // namespace tavirel::menuextras
