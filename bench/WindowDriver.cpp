#include "WindowDriver.h"

#include "app/ModalOpener.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>
#include <QTreeView>

#include <ctime>

namespace tavirel::bench {

void showAndPaint(QWidget& window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("the window %s did not reach the screen", qPrintable(window.objectName()));
    // The first paint is posted; it is part of what the user waits for.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

Opening openFromMenu(QWidget& menu, const QString& button,
                     const std::function<void(QDialog&)>& drive)
{
    QWidget* target = controlNamed(&menu, button);
    QElapsedTimer timer;
    Opening shown;
    qint64 cpu = 0;
    app::ModalOpener::setHandler([&](QDialog& window) {
        showAndPaint(window);
        shown.wallNs = timer.nsecsElapsed();
        shown.cpuNs = threadCpuNs() - cpu;
        if (drive)
            drive(window);
        return int(QDialog::Rejected);
    });
    cpu = threadCpuNs();
    timer.start();
    QTest::mouseClick(target, Qt::LeftButton);
    app::ModalOpener::setHandler({});
    // The closed window is gone before the next measurement starts.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return shown;
}

QModelIndex findEntry(QAbstractItemView* view, const QString& text)
{
    QAbstractItemModel* model = view->model();
    auto* tree = qobject_cast<QTreeView*>(view);
    QList<QModelIndex> parents{QModelIndex()};
    while (!parents.isEmpty()) {
        const QModelIndex parent = parents.takeFirst();
        if (parent.isValid() && tree)
            tree->expand(parent);
        while (model->canFetchMore(parent))
            model->fetchMore(parent);
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex index = model->index(row, 0, parent);
            if (index.data().toString() == text)
                return index;
            if (model->hasChildren(index))
                parents.append(index);
        }
        if (parent.isValid() && tree)
            tree->collapse(parent);
    }
    return {};
}

void pick(QAbstractItemView* view, const QModelIndex& index)
{
    if (auto* tree = qobject_cast<QTreeView*>(view)) {
        for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
            tree->expand(p);
    }
    view->setCurrentIndex(index);
    view->scrollTo(index);
    view->setFocus();
    QCoreApplication::processEvents();
}

QString shownText(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* line = qobject_cast<const QLineEdit*>(widget))
        return line->text();
    if (const auto* box = qobject_cast<const QPlainTextEdit*>(widget))
        return box->toPlainText();
    if (const auto* box = qobject_cast<const QTextEdit*>(widget))
        return box->toPlainText();
    return {};
}

QWidget* controlNamed(QWidget* window, const QString& name)
{
    auto* found = window->findChild<QWidget*>(name);
    if (!found)
        qFatal("%s has no control named %s", qPrintable(window->objectName()), qPrintable(name));
    return found;
}

qint64 threadCpuNs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

} // namespace tavirel::bench
