#pragma once

#include "app/Menu.h"

namespace tavirel {

namespace app {
struct AppContext;
}

// The windows the menu opens, each made afresh on every opening.
app::MenuWindows programWindows(app::AppContext& context);

} // namespace tavirel
