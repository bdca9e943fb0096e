#include "Buttons.h"

#include <QPushButton>

namespace tavirel::app {

QWidget* makeButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    // Enter belongs to the boxes (it moves the focus on); no button takes it by default.
    button->setAutoDefault(false);
    return button;
}

void onClick(QWidget* button, QObject* context, std::function<void()> handler)
{
    if (auto* push = qobject_cast<QPushButton*>(button))
        QObject::connect(push, &QPushButton::clicked, context, [handler] { handler(); });
}

QString buttonCaption(const QWidget* button)
{
    if (const auto* push = qobject_cast<const QPushButton*>(button))
        return push->text();
    return {};
}

void setButtonCaption(QWidget* button, const QString& caption)
{
    if (auto* push = qobject_cast<QPushButton*>(button))
        push->setText(caption);
}

} // namespace tavirel::app
