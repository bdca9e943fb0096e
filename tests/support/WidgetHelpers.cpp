#include "WidgetHelpers.h"

#include "app/MessageBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

namespace tavirel::test {

QStringList childTexts(const QTreeWidgetItem* node)
{
    QStringList texts;
    for (int i = 0; node && i < node->childCount(); ++i)
        texts << node->child(i)->text(0);
    return texts;
}

QStringList entries(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; list && i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

QString textOf(const QWidget* window, const QString& name)
{
    if (const auto* label = window->findChild<QLabel*>(name))
        return label->text();
    if (const auto* line = window->findChild<QLineEdit*>(name))
        return line->text();
    if (const auto* plain = window->findChild<QPlainTextEdit*>(name))
        return plain->toPlainText();
    if (const auto* rich = window->findChild<QTextEdit*>(name))
        return rich->toPlainText();
    return QStringLiteral("<no %1>").arg(name);
}

QStringList shownTexts()
{
    QStringList texts;
    for (const auto& shown : app::MessageBox::takeShown())
        texts << shown.text;
    return texts;
}

void doubleClick(QListWidget* list, const QString& text)
{
    const auto found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    list->scrollToItem(found.first());
    const QPoint at = list->visualItemRect(found.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

void clickNode(QTreeWidget* view, QTreeWidgetItem* node)
{
    for (QTreeWidgetItem* p = node->parent(); p; p = p->parent())
        p->setExpanded(true);
    view->scrollToItem(node);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(node).center());
}

void click(QWidget* window, const QString& name)
{
    auto* target = window->findChild<QWidget*>(name);
    QVERIFY2(target, qPrintable(name));
    QTest::mouseClick(target, Qt::LeftButton);
}

void setBox(QWidget* window, const QString& name, const QString& text)
{
    if (auto* line = window->findChild<QLineEdit*>(name)) {
        line->setText(text);
    } else if (auto* plain = window->findChild<QPlainTextEdit*>(name)) {
        plain->setPlainText(text);
        plain->moveCursor(QTextCursor::End);
    } else {
        QFAIL(qPrintable(QStringLiteral("no box %1").arg(name)));
    }
}

void select(QListWidget* list, const QString& text)
{
    const auto found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    list->setCurrentItem(found.first());
    found.first()->setSelected(true);
}

void paste(QWidget* box, bool byKey)
{
    if (byKey)
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    else
        QVERIFY(QMetaObject::invokeMethod(box, "paste"));
}

bool showExposed(QWidget* window)
{
    window->show();
    return QTest::qWaitForWindowExposed(window);
}

} // namespace tavirel::test
