#include "WindowButtons.h"

#include "SkinButton.h"

#include <QtGlobal>

namespace tavirel::button {

namespace {

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
    if (error) // the settings above are fixed; a failure here is a programming error
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

SkinButton* makeWindowButton(QWidget* parent, const QString& name, const QString& caption)
{
    return makeButton(parent, name, windowButtonSettings(caption));
}

SkinButton* makeMenuButton(QWidget* parent, const QString& name, const QString& caption)
{
    return makeButton(parent, name, menuButtonSettings(caption));
}

} // namespace tavirel::button
