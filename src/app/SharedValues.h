#pragma once

#include <QString>

namespace tavirel::app {

// Values one window sets and another reads (the herb picked, the picture to show).
struct SharedValues
{
    QString currentHerbName;  // CurrentHerbName: herb last picked in the herb window
    qint16 detailSource = 0;  // DetailSource: 1 tree or list, 2 search list, 3 own list
    QString formulaHerbName;  // FormulaHerbName: herb last picked in a formula's composition
    QString pictureNumber;    // PictureNumber: picno of the picture to show
    qint16 pictureSource = 0; // PictureSource: 0 herb window, 1 formula window
    // An entry a window is to show as soon as it opens (quick find); the window clears it.
    QString openHerbAt;    // name1 of a built-in or own herb: the herb window's details
    QString openFormulaAt; // name of a built-in or own formula: the formula window's display
};

} // namespace tavirel::app
