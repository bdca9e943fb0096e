#include "app/ChmFile.h"
#include "app/HelpWindow.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTreeWidget>

using namespace tavirel::app;

namespace {

const QString chmcmd = QStringLiteral("/usr/bin/chmcmd");

void writeFile(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(text);
}

// Compiles the project in folder the way the build does; returns the compiler's complaint.
QString compile(const QString& folder, const QString& project)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(chmcmd, {QStringLiteral("--no-html-scan"), project});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("chmcmd failed: ") + QString::fromLocal8Bit(process.readAll());
    return {};
}

void clickItem(QTreeWidget* tree, QTreeWidgetItem* item)
{
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readsPagesAndContents();
    void parsesLooseSitemaps();
    void windowShowsPagesAndHistory();
    void unreadableFileExplainsItself();
    void realHelpSourcesCompile();

private:
    QTemporaryDir m_dir;
    QString m_chm;
};

// A small help file: a start page that is neither index.html nor first in the contents (so
// the start must come from the compiled file itself), a second page in a subfolder with a
// picture next to it.
void TestHelp::initTestCase()
{
    if (!QFileInfo(chmcmd).isExecutable())
        QSKIP("the help compiler is not installed");
    QVERIFY(m_dir.isValid());
    const QString src = m_dir.filePath(QStringLiteral("src"));
    writeFile(src + "/start.html",
              "<html><head><title>Start</title></head><body><p>Welcome to the first page.</p>"
              "<p><a href=\"sub/second.html\">Go on</a></p></body></html>");
    writeFile(src + "/sub/second.html", "<html><body><p>Second page text.</p><img src=\"dot.png\">"
                                        "<p><a href=\"../start.html\">Home</a></p></body></html>");
    QImage dot(3, 2, QImage::Format_RGB32);
    dot.fill(Qt::red);
    QVERIFY(dot.save(src + "/sub/dot.png"));
    writeFile(src + "/tiny.hhc",
              "<HTML><BODY><UL><LI><OBJECT type=\"text/sitemap\">"
              "<param name=\"Name\" value=\"Roots &amp; Barks\">"
              "<param name=\"Local\" value=\"sub/second.html\"></OBJECT><UL><LI>"
              "<OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"First\">"
              "<param name=\"Local\" value=\"start.html\"></OBJECT></UL></UL></BODY></HTML>");
    writeFile(src + "/tiny.hhp", "[OPTIONS]\nCompiled file=tiny.chm\nContents file=tiny.hhc\n"
                                 "Default topic=start.html\nTitle=Tiny\n\n[FILES]\nstart.html\n"
                                 "sub/second.html\nsub/dot.png\n");
    const QString error = compile(src, QStringLiteral("tiny.hhp"));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    m_chm = src + "/tiny.chm";
    QVERIFY(QFileInfo::exists(m_chm));
}

void TestHelp::readsPagesAndContents()
{
    const ChmFile file(m_chm);
    QVERIFY(file.isOpen());
    QVERIFY(file.read(QStringLiteral("/start.html")).value_or("").contains("first page"));
    // Paths as links write them: no leading slash, a fragment.
    QVERIFY(file.read(QStringLiteral("sub/second.html#top")).value_or("").contains("Second"));
    QVERIFY(!file.read(QStringLiteral("/missing.html")));
    QCOMPARE(QImage::fromData(file.read(QStringLiteral("/sub/dot.png")).value_or("")).size(),
             QSize(3, 2));
    QVERIFY(file.files().contains(QStringLiteral("/sub/dot.png")));
    QCOMPARE(file.defaultPage(), QStringLiteral("/start.html"));

    const std::vector<HelpTopic> topics = file.contents();
    QCOMPARE(topics.size(), 1u);
    QCOMPARE(topics[0].title, QStringLiteral("Roots & Barks"));
    QCOMPARE(topics[0].local, QStringLiteral("/sub/second.html"));
    QCOMPARE(topics[0].children.size(), 1u);
    QCOMPARE(topics[0].children[0].title, QStringLiteral("First"));
    QCOMPARE(topics[0].children[0].local, QStringLiteral("/start.html"));
}

void TestHelp::parsesLooseSitemaps()
{
    // Lower case, unquoted and single-quoted values, a commented-out entry, the properties
    // object that is not an entry, a heading without a page, a qualified page reference.
    const QByteArray text =
        "<object type=\"text/site properties\"><param name=\"Name\" value=\"not an entry\">"
        "</object><ul><!-- <li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Old\">"
        "</object> --><li><object type=text/sitemap><param name=Name value='Heading'></object>"
        "<ul><li><object type=\"text/sitemap\"><param name=\"name\" value=\"A\">"
        "<param name=\"local\" value=\"x.chm::/a.htm#part\"></object>"
        "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"B\">"
        "<param name=\"Local\" value=\"b.htm\"></object></ul>"
        "<li><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"C\">"
        "<param name=\"Local\" value=\"c.htm\"></OBJECT></ul>";
    const std::vector<HelpTopic> topics = ChmFile::parseSitemap(text);
    QCOMPARE(topics.size(), 2u);
    QCOMPARE(topics[0].title, QStringLiteral("Heading"));
    QVERIFY(topics[0].local.isEmpty());
    QCOMPARE(topics[0].children.size(), 2u);
    QCOMPARE(topics[0].children[0].local, QStringLiteral("/a.htm#part"));
    QCOMPARE(topics[0].children[1].title, QStringLiteral("B"));
    QCOMPARE(topics[1].title, QStringLiteral("C"));
    QVERIFY(topics[1].children.empty());
}

void TestHelp::windowShowsPagesAndHistory()
{
    HelpWindow window(m_chm);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* contents = window.findChild<QTreeWidget*>(QStringLiteral("helpContents"));
    auto* page = window.findChild<QTextBrowser*>(QStringLiteral("helpPage"));
    auto* back = window.findChild<QPushButton*>(QStringLiteral("helpBack"));
    auto* forward = window.findChild<QPushButton*>(QStringLiteral("helpForward"));
    QVERIFY(contents && page && back && forward);
    QCOMPARE(window.windowTitle(), QStringLiteral("Tavirel 1.0 Help"));

    QVERIFY(page->toPlainText().contains(QStringLiteral("first page")));
    QVERIFY(!back->isEnabled());
    QVERIFY(!forward->isEnabled());
    QCOMPARE(contents->topLevelItemCount(), 1);
    QTreeWidgetItem* second = contents->topLevelItem(0);
    QCOMPARE(contents->currentItem(), second->child(0)); // the entry of the page shown

    clickItem(contents, second);
    QVERIFY(page->toPlainText().contains(QStringLiteral("Second page text")));
    // The picture comes from the help file, found next to the page that shows it.
    QCOMPARE(QImage::fromData(
                 page->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("dot.png")))
                     .toByteArray())
                 .size(),
             QSize(3, 2));
    QVERIFY(back->isEnabled());
    QVERIFY(!forward->isEnabled());

    QTest::mouseClick(back, Qt::LeftButton);
    QVERIFY(page->toPlainText().contains(QStringLiteral("first page")));
    QVERIFY(!back->isEnabled());
    QVERIFY(forward->isEnabled());
    QTest::mouseClick(forward, Qt::LeftButton);
    QVERIFY(page->toPlainText().contains(QStringLiteral("Second page text")));
    QVERIFY(!forward->isEnabled());
    QTest::mouseClick(back, Qt::LeftButton);

    // A link in the page leads to the other page, and the contents follow it.
    QTextCursor link = page->document()->find(QStringLiteral("Go on"));
    QVERIFY(!link.isNull());
    link.setPosition(link.selectionStart() + 2);
    QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, page->cursorRect(link).center());
    QVERIFY(page->toPlainText().contains(QStringLiteral("Second page text")));
    QCOMPARE(contents->currentItem(), second);
}

void TestHelp::unreadableFileExplainsItself()
{
    QTemporaryDir dir;
    const QString damaged = dir.filePath(QStringLiteral("damaged.chm"));
    writeFile(damaged, QByteArray(4096, 'x'));
    for (const QString& path : {dir.filePath(QStringLiteral("velm.chm")), damaged}) {
        QVERIFY(!ChmFile(path).isOpen());
        HelpWindow window(path);
        auto* page = window.findChild<QTextBrowser*>(QStringLiteral("helpPage"));
        QVERIFY(page);
        const QString text = page->toPlainText();
        QVERIFY2(text.contains(QStringLiteral("could not be opened")), qPrintable(text));
        QVERIFY2(text.contains(QDir::toNativeSeparators(path)), qPrintable(text));
        QCOMPARE(
            window.findChild<QTreeWidget*>(QStringLiteral("helpContents"))->topLevelItemCount(), 0);
    }
}

// The program's own help: it compiles, holds every page listed, and no contents entry or
// link inside it points at a page or place that is not there.
void TestHelp::realHelpSourcesCompile()
{
#ifdef TAVIREL_DATA
    const QDir sources(QStringLiteral(TAVIREL_DATA "/../help"));
#else
    const QDir sources;
    QSKIP("the help sources are not known to this build");
#endif
    if (!sources.exists(QStringLiteral("velm.hhp")))
        QSKIP("the help sources are not found");
    QTemporaryDir dir;
    const QStringList names = sources.entryList(
        {QStringLiteral("*.html"), QStringLiteral("*.hh?"), QStringLiteral("*.css")}, QDir::Files);
    for (const QString& name : names)
        QVERIFY(QFile::copy(sources.filePath(name), dir.filePath(name)));
    const QString error = compile(dir.path(), QStringLiteral("velm.hhp"));
    QVERIFY2(error.isEmpty(), qPrintable(error));

    const ChmFile file(dir.filePath(QStringLiteral("velm.chm")));
    QVERIFY(file.isOpen());
    QCOMPARE(file.defaultPage(), QStringLiteral("/index.html"));
    QSet<QString> held;
    for (const QString& path : file.files())
        held.insert(path.toLower());
    for (const QString& name : names) {
        if (!name.startsWith(QLatin1String("velm.")))
            QVERIFY2(held.contains(u'/' + name.toLower()),
                     qPrintable(name + " is not compiled in"));
    }

    // Every target is a page held, and a "#place" a name the page defines.
    const auto checkTarget = [&](const QString& target, const QString& from) {
        const QString path = ChmFile::normalisePath(target.section(u'#', 0, 0)).toLower();
        const QString place = target.section(u'#', 1);
        const QString where = from + " -> " + target;
        QVERIFY2(held.contains(path), qPrintable(where));
        if (!place.isEmpty()) {
            const QByteArray html = file.read(path).value_or("");
            QVERIFY2(html.contains("name=\"" + place.toUtf8() + '"'), qPrintable(where));
        }
    };
    std::vector<HelpTopic> pending = file.contents();
    QVERIFY(!pending.empty());
    while (!pending.empty()) {
        HelpTopic topic = std::move(pending.back());
        pending.pop_back();
        checkTarget(topic.local, QStringLiteral("contents"));
        for (HelpTopic& child : topic.children)
            pending.push_back(std::move(child));
    }
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
    for (const QString& name : names) {
        if (!name.endsWith(QLatin1String(".html")))
            continue;
        const QString html = QString::fromUtf8(file.read(u'/' + name).value_or(""));
        for (auto it = href.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            checkTarget(target.startsWith(u'#') ? name + target : target, name);
        }
    }
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
