#pragma once

#include <QList>
#include <QString>

#include <memory>

class QMessageBox;

class QWidget;

namespace tavirel::app {

// Every message the program shows goes through here: the title is always the program's, and
// tests can answer a box in advance and read back what was shown, so none of them blocks.
class MessageBox
{
public:
    enum class Icon { None, Information, Exclamation, Question, Critical };
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    struct Shown
    {
        QString title;
        QString text;
        Icon icon;
        Buttons buttons;
        QString detail; // a second line under the text, when there is one
    };

    static const QString title; // "Tavirel 1.0"

    static void information(QWidget* parent, const QString& text);
    static void exclamation(QWidget* parent, const QString& text);
    static void critical(QWidget* parent, const QString& text);
    static void plain(QWidget* parent, const QString& text);
    // True only when the user answers Yes. The detail, when given, is shown under the text.
    static bool question(QWidget* parent, const QString& text, const QString& detail = {});
    // A failure to read or write a file, for herbs and formulas alike: what failed, the file
    // and why (the database's own words), with one icon.
    static void failure(QWidget* parent, const QString& what, const QString& file,
                        const QString& why);
    static QString failureText(const QString& what, const QString& file, const QString& why);

    // Test seam. While enabled nothing is shown: each box takes the next queued answer (or
    // its first button when none is queued) and is recorded.
    static void setTestMode(bool on);
    static void setNextAnswer(Answer answer);
    static QList<Shown> takeShown();

    // The box as it is shown outside test mode.
    static std::unique_ptr<QMessageBox> build(QWidget* parent, const QString& text, Icon icon,
                                              Buttons buttons, const QString& detail = {});

private:
    static Answer show(QWidget* parent, const QString& text, Icon icon, Buttons buttons,
                       const QString& detail = {});
};

} // namespace tavirel::app
