#pragma once

#include "Sheet.h"

namespace tavirel::printsheet {

// The sheet as plain text for the clipboard: heading, one "Caption: text" per field, and a
// composition as one line per herb with its dose.
QString sheetText(const Sheet& sheet);

} // namespace tavirel::printsheet
