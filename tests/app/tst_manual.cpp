// The program's manual as the build compiles it: every page the contents, the index and the
// windows' F1 name is in it, every link and picture in it resolves, F1 finds the page of the
// window and tab it is pressed in, and every message the program can show is explained.
#include "SourceMessages.h"
#include "Windows.h"
#include "app/ChmFile.h"
#include "app/HelpLauncher.h"
#include "app/Menu.h"
#include "app/MessageBox.h"
#include "editors/AddFormulaWindow.h"
#include "editors/AddHerbWindow.h"
#include "formulas/FormulaWindow.h"
#include "herbs/HerbWindow.h"
#include "picture/PictureWindow.h"
#include "support/TestSupport.h"

#include <QLabel>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>

using namespace tavirel;
using tavirel::test::control;
using tavirel::test::fixedParts;
using tavirel::test::Message;
using tavirel::test::plain;
using tavirel::test::sourceMessages;

namespace {

const QString helpFile = QStringLiteral(TAVIREL_PROGRAM_DIR "/velm.chm");

// ---- what the windows name as their pages

std::unique_ptr<QDialog> makeWindow(const QString& name, app::AppContext& context)
{
    if (name == QLatin1String("Menu"))
        return std::make_unique<app::Menu>(context, app::MenuWindows{});
    if (name == QLatin1String("start"))
        return std::make_unique<herbs::HerbWindow>(context);
    if (name == QLatin1String("Pres"))
        return std::make_unique<formulas::FormulaWindow>(context);
    if (name == QLatin1String("addHerb"))
        return std::make_unique<editors::AddHerbWindow>(context);
    if (name == QLatin1String("addPres"))
        return std::make_unique<editors::AddFormulaWindow>(context);
    return std::make_unique<picture::PictureWindow>(context);
}

const QStringList windowNames = {"Menu", "start", "Pres", "addHerb", "addPres", "grph"};

} // namespace

class TestManual : public QObject
{
    Q_OBJECT

    std::unique_ptr<app::ChmFile> m_file;
    std::unique_ptr<test::OpenProgram> m_program;

    QString pageText(const QString& page)
    {
        QTextDocument document;
        document.setHtml(QString::fromUtf8(m_file->read(page).value_or("")));
        return plain(document.toPlainText());
    }

    // The pages of the help windows that open while the user acts.
    static QStringList pagesOpened(const std::function<void()>& act)
    {
        app::HelpLauncher launcher(helpFile);
        qApp->installEventFilter(&launcher);
        QStringList shown;
        test::ModalRecorder recorder([&](QDialog& help) {
            shown << control<QTextBrowser>(&help, "helpPage")->source().path();
            return int(QDialog::Rejected);
        });
        act();
        qApp->removeEventFilter(&launcher);
        return shown;
    }

private slots:
    void initTestCase()
    {
        m_file = std::make_unique<app::ChmFile>(helpFile);
        QVERIFY2(m_file->isOpen(), "velm.chm is built into the program folder by help_file");
        m_program = std::make_unique<test::OpenProgram>(QStringLiteral("formulas-window"));
        QVERIFY2(m_program->isValid(), qPrintable(m_program->errors()));
        app::MessageBox::setTestMode(true);
    }

    // Every page the contents, the index or a window names, every link of every page and every
    // picture it shows is in the file; a "#place" is a name its page defines.
    void everyTargetIsThere()
    {
        QStringList targets; // "where -> target"
        const auto addTopics = [&](const auto& self, const std::vector<app::HelpTopic>& topics,
                                   const QString& where) -> void {
            for (const app::HelpTopic& topic : topics) {
                targets << where + " " + topic.title + " -> " + topic.local;
                self(self, topic.children, where);
            }
        };
        const std::vector<app::HelpTopic> contents = m_file->contents();
        const std::vector<app::HelpTopic> index = m_file->index();
        QVERIFY(contents.size() == 1 && contents.front().children.size() >= 12);
        QVERIFY(index.size() >= 50);
        QCOMPARE(m_file->defaultPage(), QStringLiteral("/index.html"));
        // Every source page and style sheet made it into the file.
        const QStringList sources = QDir(QStringLiteral(TAVIREL_DATA "/../help"))
                                        .entryList({"*.html", "*.css"}, QDir::Files);
        QVERIFY(sources.size() >= 20);
        for (const QString& name : sources)
            targets << "help/" + name + " -> " + name;
        addTopics(addTopics, contents, "contents");
        addTopics(addTopics, index, "index");

        int windowTopics = 0;
        for (const QString& name : windowNames) {
            const std::unique_ptr<QDialog> window = makeWindow(name, m_program->context());
            QList<QWidget*> widgets = window->findChildren<QWidget*>();
            widgets.prepend(window.get());
            for (const QWidget* widget : std::as_const(widgets)) {
                const QString topic = widget->property(app::helpTopicProperty).toString();
                if (!topic.isEmpty()) {
                    targets << "F1 in " + name + " -> " + topic;
                    ++windowTopics;
                }
            }
        }
        QCOMPARE(windowTopics, 6 + 4 + 5); // the windows, and the tabs of the two browsers

        static const QRegularExpression reference(QStringLiteral("(href|src)=\"([^\"]+)\""));
        const QStringList held = m_file->files();
        for (const QString& page : held) {
            if (!page.endsWith(QLatin1String(".html")))
                continue;
            const QString html = QString::fromUtf8(m_file->read(page).value_or(""));
            for (auto it = reference.globalMatch(html); it.hasNext();) {
                const QString target = it.next().captured(2);
                if (target.contains(QLatin1String(":")))
                    continue; // the web site and the mail address leave the help
                targets << page + " -> " + (target.startsWith(u'#') ? page + target : target);
            }
        }
        for (const QString& link : std::as_const(targets)) {
            const QString target = link.section(" -> ", 1);
            const QString path = app::ChmFile::normalisePath(target.section(u'#', 0, 0));
            const QString place = target.section(u'#', 1);
            QVERIFY2(held.contains(path, Qt::CaseInsensitive), qPrintable(link));
            if (!place.isEmpty())
                QVERIFY2(m_file->read(path).value_or("").contains("name=\"" + place.toUtf8() + '"'),
                         qPrintable(link));
        }
    }

    // The pictures are the windows, taken by the build: real images of a window's size.
    void picturesAreWindows()
    {
        int pictures = 0;
        for (const QString& path : m_file->files()) {
            if (!path.endsWith(QLatin1String(".png")))
                continue;
            const QImage image = QImage::fromData(m_file->read(path).value_or(""));
            QVERIFY2(image.width() >= 300 && image.height() >= 200, qPrintable(path));
            ++pictures;
        }
        QCOMPARE(pictures, 14);
    }

    void f1FindsThePage_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("page");
        const auto row = [](const char* name, const char* window, int tab, const char* focus,
                            const char* page) {
            QTest::newRow(name) << QString(window) << tab << QString(focus) << QString(page);
        };
        // A control of a tab page, a focused tab bar (its current page), a control outside the
        // tabs (the window's page), the windows without tabs.
        row("herb select", "start", 0, "List1", "herbs-select.html");
        row("herb details", "start", 1, "Command4", "herbs-details.html");
        row("herb search", "start", 2, "Text1", "herbs-search.html");
        row("herb own", "start", 3, "List3", "herbs-own.html");
        row("herb tab bar", "start", 2, "SSTab1", "herbs-search.html");
        row("formula tree", "Pres", 0, "TreeView1", "formulas-select.html");
        row("formula own", "Pres", 1, "List1", "formulas-own.html");
        row("formula search", "Pres", 2, "Text12", "formulas-search.html");
        row("formula grid", "Pres", 0, "Grid1", "formulas-display.html");
        row("formula herb", "Pres", 0, "Text9", "formulas-herb.html");
        row("formula right bar", "Pres", 0, "SSTab2", "formulas-display.html");
        row("formula exit", "Pres", 0, "Command1", "formulas.html");
        row("add herb", "addHerb", 0, "Text5", "addherbs.html");
        row("add formula", "addPres", 0, "Grid1", "addformulas.html");
        row("picture", "grph", 0, "Command2", "picture.html");
        row("menu", "Menu", 0, "Command3", "menu.html");
    }

    // F1 typed in a control opens the help there; the page comes from the control's place.
    void f1FindsThePage()
    {
        QFETCH(QString, window);
        QFETCH(int, tab);
        QFETCH(QString, focus);
        QFETCH(QString, page);
        const std::unique_ptr<QDialog> dialog = makeWindow(window, m_program->context());
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        if (auto* tabs = dialog->findChild<QTabWidget*>(QStringLiteral("SSTab1")))
            tabs->setCurrentIndex(tab);
        QWidget* target = control<QWidget>(dialog.get(), focus);
        QVERIFY(target);
        if (auto* tabs = qobject_cast<QTabWidget*>(target))
            target = tabs->tabBar();
        if (auto* tabs = dialog->findChild<QTabWidget*>(QStringLiteral("SSTab2"));
            tabs && page == QLatin1String("formulas-herb.html"))
            tabs->setCurrentIndex(1);
        target->setFocus();
        QCOMPARE(pagesOpened([&] { QTest::keyClick(target, Qt::Key_F1); }),
                 QStringList{"/" + page});
    }

    // The menu's "H&elp" opens the start page even though F1 in the menu opens the menu's page.
    void menuHelpOpensTheStartPage()
    {
        app::Menu menu(m_program->context(), {});
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QWidget* help = control<QWidget>(&menu, "Command5");
        const QStringList shown = pagesOpened([help] {
            QTest::mouseClick(help, Qt::LeftButton);
            help->setFocus();
            QTest::keyClick(help, Qt::Key_Return);
            QTest::keyClick(help, Qt::Key_F1);
        });
        QCOMPARE(shown, QStringList({"/index.html", "/index.html", "/menu.html"}));
    }

    // Every message of the source is on the messages page in the program's own words; a text
    // with placeholders by its fixed parts.
    void everyMessageIsExplained()
    {
        const QList<Message> messages = sourceMessages(QStringLiteral(TAVIREL_DATA "/../src"));
        QStringList texts;
        for (const Message& message : messages)
            texts << message.text;
        // The scan finds the texts however they reach a box: header constants, constants of
        // the file, a variable set from them, functions, and literals in the call itself.
        for (const QString known :
             {"Tavirel 1.0 already run!", "Can not open the database file \"%1\".\n%2",
              "Please select herb.", "Input text too long. The maximum bytes is %1.",
              "This herb name is alreadly in datebase! Please change.",
              "The %1 \"%2\" could not be deleted.", "Your own herbs could not be read.",
              "The search could not be run: %1", "Can not find the herb ("})
            QVERIFY2(texts.contains(known), qPrintable(known));
        QVERIFY(messages.size() >= 35);

        const QString page = pageText(QStringLiteral("/messages.html"));
        QVERIFY(!page.isEmpty());
        QStringList missing;
        for (const Message& message : messages) {
            for (const QString& part : fixedParts(message.text)) {
                if (!page.contains(part))
                    missing << message.file + ": " + part;
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable("\n" + missing.join('\n')));
    }

    // Each window's page says what its window shows, in the window's own captions.
    void pagesUseTheCaptions_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("page");
        QTest::newRow("herb select") << "start" << QString("herbs-select.html");
        QTest::newRow("formula search") << "Pres" << QString("formulas-search.html");
        QTest::newRow("add herb") << "addHerb" << QString("addherbs.html");
        QTest::newRow("add formula") << "addPres" << QString("addformulas.html");
    }

    void pagesUseTheCaptions()
    {
        QFETCH(QString, window);
        QFETCH(QString, page);
        const std::unique_ptr<QDialog> dialog = makeWindow(window, m_program->context());
        const QString text = pageText("/" + page);
        QStringList missing;
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            // Only the captions of the page's own tab, or of the window when it has none.
            if (app::HelpLauncher::topicFor(label) != page || label->text().isEmpty() ||
                label->objectName().isEmpty())
                continue;
            if (label->textFormat() == Qt::PlainText)
                continue; // a name shown, not a caption
            if (!text.contains(plain(label->text())))
                missing << label->objectName() + ": " + label->text();
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join('\n')));
    }
};

QTEST_MAIN(TestManual)
#include "tst_manual.moc"
