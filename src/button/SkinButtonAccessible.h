#pragma once

#include <QAccessibleWidget>

namespace tavirel::button {

class SkinButton;

// What a screen reader learns of the owner-drawn button: a push button named by its caption
// (without the access-key ampersand), its Alt shortcut, its focus, pressed and disabled states,
// and a press action that clicks it.
class SkinButtonAccessible : public QAccessibleWidget
{
public:
    explicit SkinButtonAccessible(SkinButton* button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    SkinButton* button() const;
};

// Registers the interface with Qt's accessibility factory; called by every button, runs once.
void installSkinButtonAccessibility();

} // namespace tavirel::button
