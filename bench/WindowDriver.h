#pragma once

#include <QString>

#include <functional>

class QAbstractItemView;
class QDialog;
class QModelIndex;
class QWidget;

namespace tavirel::bench {

// Drives the real windows the way a user does, through their controls' names only, so the
// benchmarks keep measuring the same actions whatever the windows are built from.

// Shows a window as the modal seam hands it over and waits until it is on screen and painted.
void showAndPaint(QWidget& window);

// From a click to the window shown and painted: wall clock, and the CPU time of this thread.
struct Opening
{
    qint64 wallNs = -1; // -1: no window opened
    qint64 cpuNs = 0;
};

// Clicks the named menu button; `drive` runs while the window it opens is shown, then the window
// closes.
Opening openFromMenu(QWidget& menu, const QString& button,
                     const std::function<void(QDialog&)>& drive = {});

// The row showing `text` in a list or tree, opening categories on the way (a tree may fill a
// category only when it is opened). Invalid when there is none.
QModelIndex findEntry(QAbstractItemView* view, const QString& text);

// Makes `index` the current, selected entry and brings it into view.
void pick(QAbstractItemView* view, const QModelIndex& index);

// What a label, line or text box shows.
QString shownText(const QWidget* widget);

// A control by name on a window, or on one page of its tabs; fatal when missing, since a
// benchmark that drives nothing would measure nothing.
QWidget* controlNamed(QWidget* window, const QString& name);

// Nanoseconds of CPU time the calling thread has used.
qint64 threadCpuNs();

} // namespace tavirel::bench
