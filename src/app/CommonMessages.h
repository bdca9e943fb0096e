#pragma once

#include <QString>

namespace tavirel::app::messages {

// A key-word query that could not run (a locked or damaged file): not the same as finding nothing.
inline QString searchFailed(const QString& error)
{
    return QStringLiteral("The search could not be run: %1").arg(error);
}

} // namespace tavirel::app::messages
