#pragma once

#include "ButtonSettings.h"

#include <QStringList>
#include <QVariantMap>

#include <optional>

namespace tavirel::button {

class SkinButton;

// A saved layout's settings of one button: values under keys matched without regard to case,
// held in lower case.
class PropertyBag
{
public:
    PropertyBag() = default;
    explicit PropertyBag(const QVariantMap& values);

    bool contains(const QString& key) const;
    QVariant value(const QString& key) const;
    void setValue(const QString& key, const QVariant& value);
    void remove(const QString& key);
    bool isEmpty() const { return m_values.isEmpty(); }
    QVariantMap values() const { return m_values; }

private:
    QVariantMap m_values;
};

// The keys of a button's settings, in the order they are read.
const QStringList& settingKeys();

// The settings a bag holds, missing keys taking their defaults: "BCOL" and "FCOL" the given
// system colours, "BCOLO" and "FCOLO" the "BCOL" and "FCOL" just read, "FONT" the given font.
// A value of the wrong kind gives an error naming the key and the value instead.
struct ReadResult
{
    std::optional<ButtonSettings> settings;
    QString error;
};
ReadResult parseSettings(const PropertyBag& bag, Rgb systemFace, Rgb systemText,
                         const QFont& currentFont);

// Reads a saved layout into a button. When a value cannot be read the button is left as it was
// and the message says which key held what.
std::optional<QString> readButton(SkinButton& button, const PropertyBag& bag);

// Writes every setting of the button; a picture key only when it holds a picture, "MICON"
// always.
void writeButton(const SkinButton& button, PropertyBag& bag);

} // namespace tavirel::button
