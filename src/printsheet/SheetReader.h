#pragma once

#include "Sheet.h"

#include <optional>

namespace tavirel::data {
class Database;
}

namespace tavirel::printsheet {

// The sheet of a herb or formula by its name, built-in or own (names are unique across both);
// nothing when neither database has it.
std::optional<Sheet> herbSheet(data::Database& reference, data::Database& own, const QString& name);
std::optional<Sheet> formulaSheet(data::Database& reference, data::Database& own,
                                  const QString& name);

} // namespace tavirel::printsheet
