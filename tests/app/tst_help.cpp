#include "app/ChmFile.h"
#include "app/HelpWindow.h"
#include "support/TestSupport.h"
#include "support/WidgetHelpers.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
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
    return {
        {"start.html", R"(<p>Welcome to the first page.</p><a href="sub/second.html">Go on</a>)"},
        {"sub/second.html", R"(<p>Second page text.</p><p><img src="dot.png"></p>)"},
        {"tiny.hhc", R"(<object type="text/site properties"><param name="Name" value="x">
        </object><ul><!-- <li><object type="text/sitemap"><param name="Name" value="Old">
        </object> --><li><object type=text/sitemap><param name=Name value='Roots &amp; Barks'>
        <param name=Local value='sub/second.html'></object><ul><li><OBJECT type="text/sitemap">
        <param name="name" value="First"><param name="local" value="tiny.chm::/start.html">
        </OBJECT><li><object type="text/sitemap"><param name="Name" value="Part"><param
        name="Local" value="start.html#top"></object></ul><li><object type="text/sitemap">
        <param name="Name" value="Heading"></object></ul>)"},
        {"tiny.hhp", "[OPTIONS]\nCompiled file=tiny.chm\nContents file=tiny.hhc\nDefault topic="
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
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
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

    // The program's own help, as the build compiles it into the program folder, holds every page
    // of help/, and no contents entry or link in it points at a page or place that is not there.
    void realHelpIsWhole()
    {
        const QStringList names = QDir(QStringLiteral(TAVIREL_DATA "/../help"))
                                      .entryList({"*.html", "*.css"}, QDir::Files);
        const ChmFile file(QStringLiteral(TAVIREL_PROGRAM_DIR "/velm.chm"));
        QVERIFY2(file.isOpen(),
                 "velm.chm is built into the program folder by the help_file target");
        QCOMPARE(file.defaultPage(), QStringLiteral("/index.html"));
        const QStringList held = file.files();
        QStringList links = outline(file.contents()); // "what -> target", contents entries first
        QVERIFY(!links.isEmpty());
        static const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
        for (const QString& name : names) {
            QVERIFY2(held.contains(u'/' + name, Qt::CaseInsensitive), qPrintable(name));
            const QString html = QString::fromUtf8(file.read(u'/' + name).value_or(""));
            for (auto it = href.globalMatch(html); it.hasNext();) {
                const QString target = it.next().captured(1);
                links << name + " -> " + (target.startsWith(u'#') ? name + target : target);
            }
        }
        // Every target is a page held, and a "#place" a name the page defines.
        for (const QString& link : std::as_const(links)) {
            const QString target = link.section(" -> ", 1);
            const QString path = ChmFile::normalisePath(target.section(u'#', 0, 0));
            const QString place = target.section(u'#', 1);
            QVERIFY2(held.contains(path, Qt::CaseInsensitive), qPrintable(link));
            if (!place.isEmpty())
                QVERIFY2(file.read(path).value_or("").contains("name=\"" + place.toUtf8() + '"'),
                         qPrintable(link));
        }
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
