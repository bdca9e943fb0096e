#include "app/ChmFile.h"
#include "app/HelpWindow.h"
#include "support/TestSupport.h"
#include "support/WidgetHelpers.h"

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTextBrowser>
#include <QTreeWidget>

using namespace tavirel::app;
using tavirel::test::control;

namespace {

// The contents as lines "title -> page", indented two blanks a level.
QStringList outline(const std::vector<HelpTopic>& topics, const QString& indent = {})
{
    QStringList lines;
    for (const HelpTopic& topic : topics)
        lines << indent + topic.title + " -> " + topic.local
              << outline(topic.children, indent + "  ");
    return lines;
}

// A small help file whose start page is neither index.html nor first in the contents (so it
// must come from the compiled file itself), a second page in a subfolder with a picture, and
// loosely written contents: the properties object that is no entry, a commented-out entry,
// unquoted and single-quoted values, a heading without a page, lower and upper case, a
// qualified page reference and one with a place.
QList<std::pair<QString, QByteArray>> tinyHelp()
{
    return {{"start.html", R"(<p>Welcome to the first page.</p><a href="sub/second.html">Go on</a>
        <p>This page is the page to start.</p>)"},
            {"sub/second.html", R"(<p>Second page text.</p><p><img src="dot.png"></p>)"},
            {"tiny.hhc", R"(<object type="text/site properties"><param name="Name" value="x">
        </object><ul><!-- <li><object type="text/sitemap"><param name="Name" value="Old">
        </object> --><li><object type=text/sitemap><param name=Name value='Roots &amp; Barks'>
        <param name=Local value='sub/second.html'></object><ul><li><OBJECT type="text/sitemap">
        <param name="name" value="First"><param name="local" value="tiny.chm::/start.html">
        </OBJECT><li><object type="text/sitemap"><param name="Name" value="Part"><param
        name="Local" value="start.html#top"></object></ul><li><object type="text/sitemap">
        <param name="Name" value="Heading"></object></ul>)"},
            {"tiny.hhk", R"(<ul><li><object type="text/sitemap"><param name="Name" value="Welcome">
        <param name="Local" value="start.html"></object><li><object type="text/sitemap">
        <param name="Name" value="Barks"><param name="Local" value="sub/second.html"></object>
        <ul><li><object type="text/sitemap"><param name="Name" value="Roots"><param name="Local"
        value="sub/second.html"></object></ul></ul>)"},
            {"tiny.hhp", "[OPTIONS]\nCompiled file=tiny.chm\nContents file=tiny.hhc\nIndex file="
                         "tiny.hhk\nDefault topic="
                         "start.html\n\n[FILES]\nstart.html\nsub/second.html\nsub/dot.png\n"}};
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_chm;

private slots:
    void initTestCase()
    {
        QVERIFY(QDir(m_dir.path()).mkdir("sub"));
        for (const auto& [name, text] : tinyHelp()) {
            QFile file(m_dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        }
        QImage dot(3, 2, QImage::Format_RGB32);
        dot.fill(Qt::red);
        QVERIFY(dot.save(m_dir.filePath("sub/dot.png")));
        QProcess chmcmd; // compiles it as the build compiles the program's help
        chmcmd.setWorkingDirectory(m_dir.path());
        chmcmd.start(QStringLiteral("chmcmd"), {QStringLiteral("--no-html-scan"), "tiny.hhp"});
        QVERIFY2(chmcmd.waitForFinished(60000) && chmcmd.exitCode() == 0,
                 (chmcmd.readAllStandardOutput() + chmcmd.readAllStandardError()).constData());
        m_chm = m_dir.filePath("tiny.chm");
    }

    void readsPagesAndShowsThemWithHistory()
    {
        // Paths as links write them (no leading slash, a place); the contents as written.
        const ChmFile file(m_chm);
        QVERIFY(file.read(QStringLiteral("sub/second.html#top")).value_or("").contains("Second"));
        QVERIFY(!file.read(QStringLiteral("/missing.html")));
        QCOMPARE(outline(file.contents()),
                 QStringList({"Roots & Barks -> /sub/second.html", "  First -> /start.html",
                              "  Part -> /start.html#top", "Heading -> "}));

        HelpWindow window(m_chm);
        QVERIFY(tavirel::test::showExposed(&window));
        auto* contents = control<QTreeWidget>(&window, "helpContents");
        auto* page = control<QTextBrowser>(&window, "helpPage");
        auto* back = control<QPushButton>(&window, "helpBack");
        auto* forward = control<QPushButton>(&window, "helpForward");
        // The page shown, the contents entry marked, and whether Back and Forward can be pressed.
        const auto state = [&] {
            const QTreeWidgetItem* marked = contents->currentItem();
            return QStringLiteral("%1 | %2 | %3%4")
                .arg(page->toPlainText().section(u'\n', 0, 0), marked ? marked->text(0) : "none")
                .arg(back->isEnabled())
                .arg(forward->isEnabled());
        };
        const QString first = "Welcome to the first page. | First | ";
        const QString second = "Second page text. | Roots & Barks | ";
        QCOMPARE(state(), first + "00");
        tavirel::test::clickNode(contents, contents->topLevelItem(0));
        QCOMPARE(state(), second + "10");
        // The picture comes from the help file, found next to the page that shows it.
        const QVariant dot = page->loadResource(QTextDocument::ImageResource, QUrl("dot.png"));
        QCOMPARE(QImage::fromData(dot.toByteArray()).size(), QSize(3, 2));
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(state(), first + "01");
        QTest::mouseClick(forward, Qt::LeftButton);
        QCOMPARE(state(), second + "10");

        // A link in the page leads to the other page, and the contents follow it.
        QTest::mouseClick(back, Qt::LeftButton);
        QTextCursor link = page->document()->find(QStringLiteral("Go on"));
        link.setPosition(link.selectionStart() + 2);
        QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, page->cursorRect(link).center());
        QCOMPARE(state(), second + "10");
    }

    // A file whose listing blocks lead round in a circle, as a fuzzer found: the reader once
    // walked it for ever. It opens and finds no pages.
    void circularDirectoryEnds()
    {
        const ChmFile damaged(
            QDir(QStringLiteral(TAVIREL_FIXTURES)).filePath("fuzz/help-circular-directory.chm"));
        QVERIFY(damaged.isOpen());
        QCOMPARE(damaged.files(), QStringList());
        QCOMPARE(damaged.defaultPage(), QString());
        (void)damaged.contents();
    }

    // A missing file, and one that is no help file at all.
    void unreadableFileExplainsItself()
    {
        for (const QString& path : {m_dir.filePath("velm.chm"), m_dir.filePath("tiny.hhp")}) {
            HelpWindow window(path);
            const QString text = control<QTextBrowser>(&window, "helpPage")->toPlainText();
            QVERIFY2(text.contains("could not be opened") &&
                         text.contains(QDir::toNativeSeparators(path)),
                     qPrintable(text));
            QCOMPARE(control<QTreeWidget>(&window, "helpContents")->topLevelItemCount(), 0);
        }
    }

    // The index lists every keyword, a sub-keyword after its parent; typing selects the first
    // that starts with (else contains) the text, and Enter or a click opens its page.
    void indexFindsKeywords()
    {
        HelpWindow window(m_chm);
        QVERIFY(tavirel::test::showExposed(&window));
        auto* word = control<QLineEdit>(&window, "helpIndexWord");
        auto* index = control<QListWidget>(&window, "helpIndex");
        auto* contents = control<QTreeWidget>(&window, "helpContents");
        auto* page = control<QTextBrowser>(&window, "helpPage");
        QCOMPARE(tavirel::test::entries(index), QStringList({"Barks", "Barks, Roots", "Welcome"}));

        QTest::keyClicks(word, "roo");
        QCOMPARE(index->currentItem()->text(), QStringLiteral("Barks, Roots"));
        QTest::keyClick(word, Qt::Key_Return);
        QCOMPARE(page->source().path(), QStringLiteral("/sub/second.html"));
        QCOMPARE(contents->currentItem()->text(0), QStringLiteral("Roots & Barks"));

        word->clear();
        QTest::keyClicks(word, "WE");
        QCOMPARE(index->currentItem()->text(), QStringLiteral("Welcome"));
        const QRect entry = index->visualItemRect(index->currentItem());
        QTest::mouseClick(index->viewport(), Qt::LeftButton, {}, entry.center());
        QCOMPARE(page->source().path(), QStringLiteral("/start.html"));
        QCOMPARE(contents->currentItem()->text(0), QStringLiteral("First"));
    }

    // The search lists the pages holding every word, most hits first; opening one marks each
    // hit on the page, and the marks go when another page is shown.
    void searchListsAndMarksHits_data()
    {
        QTest::addColumn<QString>("words");
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<QStringList>("marked"); // on the first page found
        QTest::newRow("one word, most hits first")
            << "PAGE" << QStringList({"start.html (3)", "sub/second.html (1)"})
            << QStringList({"page", "page", "page"});
        QTest::newRow("all words on one page")
            << "text  second" << QStringList({"sub/second.html (2)"})
            << QStringList({"Second", "text"});
        QTest::newRow("a word in a tag only")
            << "href" << QStringList({"No page holds all of these words."}) << QStringList();
    }

    void searchListsAndMarksHits()
    {
        QFETCH(QString, words);
        QFETCH(QStringList, results);
        QFETCH(QStringList, marked);
        HelpWindow window(m_chm);
        QVERIFY(tavirel::test::showExposed(&window));
        auto* query = control<QLineEdit>(&window, "helpSearchWords");
        auto* found = control<QListWidget>(&window, "helpResults");
        auto* page = control<QTextBrowser>(&window, "helpPage");
        QTest::keyClicks(query, words);
        QTest::keyClick(query, Qt::Key_Return);
        QCOMPARE(tavirel::test::entries(found), results);

        QTest::keyClick(found, Qt::Key_Home);
        QTest::keyClick(found, Qt::Key_Return);
        QStringList marks;
        for (const QTextEdit::ExtraSelection& mark : page->extraSelections())
            marks << mark.cursor.selectedText();
        std::sort(marks.begin(), marks.end());
        QCOMPARE(marks, marked);
        if (marked.isEmpty())
            return;
        auto* contents = control<QTreeWidget>(&window, "helpContents");
        const bool start = page->source().path() == QLatin1String("/start.html");
        QCOMPARE(contents->currentItem()->text(0), start ? "First" : "Roots & Barks");
        QTreeWidgetItem* other =
            start ? contents->topLevelItem(0) : contents->topLevelItem(0)->child(0);
        tavirel::test::clickNode(contents, other);
        QVERIFY(page->extraSelections().isEmpty());
    }

    // F1 with a page opens it; a page the file does not hold falls back to the start page.
    void opensAtTheGivenPage()
    {
        HelpWindow second(m_chm, nullptr, QStringLiteral("sub/second.html"));
        QCOMPARE(control<QTextBrowser>(&second, "helpPage")->source().path(),
                 QStringLiteral("/sub/second.html"));
        QCOMPARE(control<QTreeWidget>(&second, "helpContents")->currentItem()->text(0),
                 QStringLiteral("Roots & Barks"));
        HelpWindow missing(m_chm, nullptr, QStringLiteral("nowhere.html"));
        QCOMPARE(control<QTextBrowser>(&missing, "helpPage")->source().path(),
                 QStringLiteral("/start.html"));
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
