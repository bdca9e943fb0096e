#pragma once

#include <QString>

namespace tavirel::formulas::messages {

inline const QString noFormula =
    QStringLiteral("Sorry! Tavirel 1.0 do not include the informations of the prescription.");
inline QString herbNotFound(const QString& name)
{
    return QStringLiteral("Can not find the herb (") + name + QLatin1Char(')');
}
inline const QString noKeyWord = QStringLiteral("Please input key word for searching!");
inline const QString noField = QStringLiteral("Should select category of the prescription!");
inline const QString nothingFound = QStringLiteral(
    "Sorry! No key word were found. Please change key word or the category. Try again.");
inline const QString noHerbInformation =
    QStringLiteral("Sorry! Tavirel 1.0 do not include the informations of the herb.");
inline const QString herbRemoved =
    QStringLiteral("Sorry! There is no information of this herb. The herb maybe was removed from "
                   "yourown databse by yourself.");
inline const QString noPicture = QStringLiteral("This herb had no picture!");
inline const QString noOwnRecord = QStringLiteral("No yourown record!");
inline const QString selectFormulaToDelete =
    QStringLiteral("Please select a formula which you want to delete.");
inline const QString confirmFormulaDelete =
    QStringLiteral("Are you sure to delete this formula from yourown database?");

} // namespace tavirel::formulas::messages
