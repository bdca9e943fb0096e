#pragma once

#include "PropertyStore.h"

#include <QFont>

class QWidget;

namespace tavirel::button {

class SkinButton;

// The saved button settings of the program's windows. Every button is style 3: the menu's on
// its own blue colours, every other window's on the system colours. Windows create their
// buttons through the helpers below and so get exactly these settings.

// The font of every button: an 8.25-point sans serif, regular.
QFont buttonFont();

// Settings of a main-menu button: style 3, scheme 2, face &HFF8080, text &H800000, text
// &HFFFFFF while hovered ("&Herbs" keeps &H800000).
PropertyBag menuButtonSettings(const QString& caption);
// Settings of a button of any other window: style 3, scheme 1 (system colours).
PropertyBag windowButtonSettings(const QString& caption);

// A button for any window but the menu, named name (its objectName, e.g. "Command1"), with the
// caption given. Usage in a window's constructor:
//     SkinButton* exit = makeWindowButton(this, QStringLiteral("Command1"),
//     QStringLiteral("Exit")); connect(exit, &SkinButton::Click, this, &QDialog::reject);
SkinButton* makeWindowButton(QWidget* parent, const QString& name, const QString& caption);
// A main-menu button.
SkinButton* makeMenuButton(QWidget* parent, const QString& name, const QString& caption);

} // namespace tavirel::button
