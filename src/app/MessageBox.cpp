#include "MessageBox.h"

#include <QDir>
#include <QMessageBox>
#include <QQueue>

namespace tavirel::app {

namespace {

struct TestState
{
    bool on = false;
    QQueue<MessageBox::Answer> answers;
    QList<MessageBox::Shown> shown;
};

TestState& testState()
{
    static TestState state;
    return state;
}

} // namespace

const QString MessageBox::title = QStringLiteral("Tavirel 1.0");

void MessageBox::information(QWidget* parent, const QString& text)
{
    show(parent, text, Icon::Information, Buttons::Ok);
}

void MessageBox::exclamation(QWidget* parent, const QString& text)
{
    show(parent, text, Icon::Exclamation, Buttons::Ok);
}

void MessageBox::critical(QWidget* parent, const QString& text)
{
    show(parent, text, Icon::Critical, Buttons::Ok);
}

void MessageBox::plain(QWidget* parent, const QString& text)
{
    show(parent, text, Icon::None, Buttons::Ok);
}

bool MessageBox::question(QWidget* parent, const QString& text, const QString& detail)
{
    return show(parent, text, Icon::Question, Buttons::YesNo, detail) == Answer::Yes;
}

QString MessageBox::failureText(const QString& what, const QString& file, const QString& why)
{
    return QStringLiteral("%1\nFile: %2\nReason: %3")
        .arg(what, QDir::toNativeSeparators(file), why);
}

void MessageBox::failure(QWidget* parent, const QString& what, const QString& file,
                         const QString& why)
{
    show(parent, failureText(what, file, why), Icon::Exclamation, Buttons::Ok);
}

void MessageBox::setTestMode(bool on)
{
    testState() = TestState{};
    testState().on = on;
}

void MessageBox::setNextAnswer(Answer answer)
{
    testState().answers.enqueue(answer);
}

QList<MessageBox::Shown> MessageBox::takeShown()
{
    return std::exchange(testState().shown, {});
}

MessageBox::Answer MessageBox::show(QWidget* parent, const QString& text, Icon icon,
                                    Buttons buttons, const QString& detail)
{
    TestState& test = testState();
    if (test.on) {
        test.shown.append({title, text, icon, buttons, detail});
        if (!test.answers.isEmpty())
            return test.answers.dequeue();
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }

    const std::unique_ptr<QMessageBox> box = build(parent, text, icon, buttons, detail);
    if (buttons == Buttons::YesNo)
        return box->exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    box->exec();
    return Answer::Ok;
}

std::unique_ptr<QMessageBox> MessageBox::build(QWidget* parent, const QString& text, Icon icon,
                                               Buttons buttons, const QString& detail)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(title);
    // Messages quote names and error texts as they are; markup in them is never rendered.
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    box->setInformativeText(detail);
    switch (icon) {
    case Icon::None:
        box->setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Information:
        box->setIcon(QMessageBox::Information);
        break;
    case Icon::Exclamation:
        box->setIcon(QMessageBox::Warning);
        break;
    case Icon::Question:
        box->setIcon(QMessageBox::Question);
        break;
    case Icon::Critical:
        box->setIcon(QMessageBox::Critical);
        break;
    }
    if (buttons == Buttons::YesNo) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
    }
    return box;
}

} // namespace tavirel::app
