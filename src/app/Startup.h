#pragma once

#include "AppContext.h"
#include "Menu.h"
#include "SingleInstance.h"
#include "StartupSound.h"
#include "data/DataStore.h"

#include <functional>
#include <memory>
#include <optional>

namespace tavirel::app {

class HelpLauncher;

// The start of a run: the menu window's load sequence (centre, refuse a second copy, register
// the help file, open the databases, play the chime) and what lives until the program ends.
class Startup
{
public:
    using WindowsFor = std::function<MenuWindows(AppContext&)>;

    Startup(const QString& programFolder, const WindowsFor& windows);
    ~Startup();

    // Runs the load sequence. Empty when the menu is ready to be shown; otherwise the exit
    // status the program must end with (the reason has been shown already).
    std::optional<int> load();
    // Shows the menu and runs until it is closed.
    int run();

    Menu& menu() { return *m_menu; }
    AppContext& context() { return m_context; }

    static constexpr int exitAlreadyRunning = 0;
    static constexpr int exitDatabaseFailure = 1;

private:
    data::DataStore m_store;
    AppContext m_context;
    SingleInstance m_instance;
    StartupSound m_sound;
    std::unique_ptr<HelpLauncher> m_help;
    std::unique_ptr<Menu> m_menu;
};

} // namespace tavirel::app
