#include "WindowButtons.h"

#include "SkinButton.h"

#include <QtGlobal>

namespace tavirel::button {

namespace {

struct StoredButton
{
    const char* window;
    const char* name;
    const char* caption;
};

// Every button of every window, with the caption its layout holds. The herb window's
// Command3 ("&Exit" on the details tab) is a standard push button and is not listed.
constexpr StoredButton storedButtons[] = {
    {"Menu", "Command1", "&Herbs"},     {"Menu", "Command2", "&Formulas"},
    {"Menu", "Command4", "&Add Herb"},  {"Menu", "Command3", "A&dd Formulas"},
    {"Menu", "Command5", "H&elp"},      {"Menu", "Command6", "&Exit"},
    {"start", "skinButton1", "Latin"},  {"start", "Command1", "Exit"},
    {"start", "Command4", "Graphic"},   {"start", "Command8", "Exit"},
    {"start", "Command2", "Go"},        {"start", "Command5", "Exit"},
    {"start", "Command7", "Delete"},    {"start", "Command6", "Exit"},
    {"Pres", "Command1", "Exit"},       {"Pres", "Command2", "Graphic"},
    {"Pres", "Command3", "Go"},         {"Pres", "Command7", "Delete"},
    {"addHerb", "Command1", "Save"},    {"addHerb", "Command2", "Exit"},
    {"addPres", "Command1", "Save"},    {"addPres", "Command2", "Exit"},
    {"addPres", "Command3", "Add -->"}, {"addPres", "Command4", "Delete"},
    {"grph", "Command2", "Exit"},
};

// The keys both kinds of window share.
PropertyBag commonSettings(const QString& caption)
{
    PropertyBag bag;
    bag.setValue(QStringLiteral("BTYPE"), 3);
    bag.setValue(QStringLiteral("TX"), caption);
    bag.setValue(QStringLiteral("FONT"), buttonFont());
    bag.setValue(QStringLiteral("MCOL"), 0xC0C0C0);
    bag.setValue(QStringLiteral("MPTR"), 1);
    bag.setValue(QStringLiteral("UMCOL"), true);
    return bag;
}

SkinButton* makeButton(QWidget* parent, const QString& name, const PropertyBag& settings)
{
    auto* button = new SkinButton(parent, name);
    button->setObjectName(name);
    const std::optional<QString> error = readButton(*button, settings);
    if (error) // the tables above are fixed; a failure here is a programming error
        qWarning("%s", qPrintable(*error));
    return button;
}

} // namespace

QFont buttonFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

PropertyBag menuButtonSettings(const QString& caption)
{
    PropertyBag bag = commonSettings(caption);
    bag.setValue(QStringLiteral("COLTYPE"), 2);
    bag.setValue(QStringLiteral("BCOL"), 0xFF8080);
    bag.setValue(QStringLiteral("BCOLO"), 0xFF8080);
    bag.setValue(QStringLiteral("FCOL"), 0x800000);
    const bool keepsColour = caption == QStringLiteral("&Herbs");
    bag.setValue(QStringLiteral("FCOLO"), keepsColour ? 0x800000 : 0xFFFFFF);
    return bag;
}

PropertyBag windowButtonSettings(const QString& caption)
{
    PropertyBag bag = commonSettings(caption);
    bag.setValue(QStringLiteral("COLTYPE"), 1);
    bag.setValue(QStringLiteral("BCOL"), 0xD8E9EC);
    bag.setValue(QStringLiteral("BCOLO"), 0xD8E9EC);
    bag.setValue(QStringLiteral("FCOL"), 0x000000);
    bag.setValue(QStringLiteral("FCOLO"), 0x000000);
    return bag;
}

PropertyBag storedButtonSettings(const QString& window, const QString& button)
{
    for (const StoredButton& stored : storedButtons) {
        if (window != QLatin1String(stored.window) || button != QLatin1String(stored.name))
            continue;
        const QString caption = QString::fromLatin1(stored.caption);
        return window == QStringLiteral("Menu") ? menuButtonSettings(caption)
                                                : windowButtonSettings(caption);
    }
    return {};
}

SkinButton* makeWindowButton(QWidget* parent, const QString& name, const QString& caption)
{
    return makeButton(parent, name, windowButtonSettings(caption));
}

SkinButton* makeMenuButton(QWidget* parent, const QString& name, const QString& caption)
{
    return makeButton(parent, name, menuButtonSettings(caption));
}

SkinButton* makeStoredButton(QWidget* parent, const QString& window, const QString& name)
{
    const PropertyBag settings = storedButtonSettings(window, name);
    if (settings.isEmpty())
        return nullptr;
    return makeButton(parent, name, settings);
}

} // namespace tavirel::button
