#include "SkinButtonAccessible.h"

#include "SkinButton.h"

#include <QKeySequence>
#include <QPointer>
#include <QTimer>

namespace tavirel::button {

namespace {

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("tavirel::button::SkinButton") && object &&
        object->isWidgetType())
        return new SkinButtonAccessible(static_cast<SkinButton*>(object));
    return nullptr;
}

// "&&" is a literal ampersand; a single one only marks the access key.
QString withoutMnemonic(const QString& caption)
{
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('&'))
                ++i;
            else
                continue;
        }
        text.append(caption.at(i));
    }
    return text;
}

} // namespace

SkinButtonAccessible::SkinButtonAccessible(SkinButton* button)
    : QAccessibleWidget(button, QAccessible::Button)
{
}

SkinButton* SkinButtonAccessible::button() const
{
    return static_cast<SkinButton*>(widget());
}

QString SkinButtonAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name: {
        const QString name = widget()->accessibleName();
        return name.isEmpty() ? withoutMnemonic(button()->caption()) : name;
    }
    case QAccessible::Accelerator: {
        const QChar key = button()->accessKey();
        if (key.isNull())
            return {};
        return QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key.toUpper().unicode())))
            .toString(QKeySequence::NativeText);
    }
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State SkinButtonAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.pressed = button()->record().lastState == 2 /* pressed face */;
    if (button()->checkBoxBehaviour()) {
        s.checkable = true;
        s.checked = button()->value();
    }
    return s;
}

QStringList SkinButtonAccessible::actionNames() const
{
    if (!widget()->isEnabled())
        return {};
    return {pressAction()};
}

void SkinButtonAccessible::doAction(const QString& actionName)
{
    // Queued: a click that opens a modal window must not hold the screen reader's call open
    // until that window closes.
    if (actionName == pressAction() && widget()->isEnabled()) {
        QPointer<SkinButton> target = button();
        QTimer::singleShot(0, target, [target] {
            if (target)
                target->click();
        });
    }
}

QStringList SkinButtonAccessible::keyBindingsForAction(const QString& actionName) const
{
    const QString accelerator = text(QAccessible::Accelerator);
    if (actionName == pressAction() && !accelerator.isEmpty())
        return {accelerator};
    return {};
}

void installSkinButtonAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace tavirel::button
