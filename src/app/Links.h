#pragma once

#include <QString>

namespace tavirel::app::links {

// The project's web site and support address, shown on the menu and opened by its links.
inline const QString webSite = QStringLiteral("https://www.tavirel.org");
inline const QString supportMail = QStringLiteral("support@tavirel.org");

} // namespace tavirel::app::links
