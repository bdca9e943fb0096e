#pragma once

#include <QString>

// Texts both editors show.
namespace tavirel::editors::messages {

inline const QString allInformations = QStringLiteral("Should Input All Informations!");
inline const QString addAnother = QStringLiteral("Added completely! Add another?");

} // namespace tavirel::editors::messages
