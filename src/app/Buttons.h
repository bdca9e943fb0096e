#pragma once

#include <QString>

#include <functional>

class QObject;
class QWidget;

namespace tavirel::app {

// The windows make, caption and wire their buttons only through these, so the kind of button
// behind them (the program's own owner-drawn button) is decided in one place.
QWidget* makeButton(QWidget* parent, const QString& name, const QString& caption);
void onClick(QWidget* button, QObject* context, std::function<void()> handler);
QString buttonCaption(const QWidget* button);
void setButtonCaption(QWidget* button, const QString& caption);

} // namespace tavirel::app
