#pragma once

#include <QString>

namespace tavirel::herbs::messages {

inline const QString noInformation =
    QStringLiteral("Sorry! Tavirel 1.0 do not include the informations of the herb.");
inline const QString noPicture =
    QStringLiteral("Sorry! Tavirel 1.0 do not include the picture of this herb.");
inline const QString noKeyWord = QStringLiteral("Please input key word for searching!");
inline const QString noHerbField = QStringLiteral("Should select category of the herb!");
inline const QString nothingFound = QStringLiteral(
    "Sorry! No key word were found. Please change key word or the category. Try again.");
inline const QString noOwnRecord = QStringLiteral("No yourown record!");
inline const QString selectHerbToDelete =
    QStringLiteral("Please select a herb which you want to delete.");
inline const QString confirmHerbDelete = QStringLiteral(
    "Are you sure to delete this herb from yourown database? This herb may be used in your own "
    "formula. If to delete this herb, it will be removed from your own formula. Be careful!");

} // namespace tavirel::herbs::messages
