#include "Buttons.h"

#include "button/SkinButton.h"
#include "button/WindowButtons.h"

namespace tavirel::app {

QWidget* makeButton(QWidget* parent, const QString& name, const QString& caption)
{
    return button::makeWindowButton(parent, name, caption);
}

void onClick(QWidget* widget, QObject* context, std::function<void()> handler)
{
    if (auto* skin = qobject_cast<button::SkinButton*>(widget))
        QObject::connect(skin, &button::SkinButton::Click, context, [handler] { handler(); });
}

QString buttonCaption(const QWidget* widget)
{
    if (const auto* skin = qobject_cast<const button::SkinButton*>(widget))
        return skin->caption();
    return {};
}

void setButtonCaption(QWidget* widget, const QString& caption)
{
    if (auto* skin = qobject_cast<button::SkinButton*>(widget))
        skin->setCaption(caption);
}

} // namespace tavirel::app
