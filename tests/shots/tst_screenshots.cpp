// Pictures of the program's windows on the built reference content, for a person to look at.
// Runs only when TAVIREL_SHOTS names a folder to write them to; the program folder's databases
// are copied first, so nothing of the user's is touched.
#include "Windows.h"
#include "app/HelpWindow.h"
#include "app/MessageBox.h"
#include "app/Startup.h"
#include "formulas/FormulaWindow.h"
#include "herbs/HerbWindow.h"
#include "support/TestSupport.h"
#include "support/WidgetHelpers.h"

#include "data/Database.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QTabWidget>
#include <QTreeWidget>

class TestScreenshots : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void menu();
    void herbWindow();
    void chineseNames_data();
    void chineseNames();
    void plates();
    void helpWindow();

private:
    void save(QWidget* window, const QString& name);

    QString m_out;
    QTemporaryDir m_folder;
};

void TestScreenshots::initTestCase()
{
    m_out = qEnvironmentVariable("TAVIREL_SHOTS");
    if (m_out.isEmpty())
        QSKIP("set TAVIREL_SHOTS to a folder to write the screenshots");
    QDir().mkpath(m_out);
    for (const QString name : {"tavirel.MDB", "Hdat.mdb", "yourown.MDB", "velm.chm"})
        QVERIFY(QFile::copy(QDir(QStringLiteral(TAVIREL_PROGRAM_DIR)).filePath(name),
                            m_folder.filePath(name)));
    tavirel::app::MessageBox::setTestMode(true);
}

void TestScreenshots::save(QWidget* window, const QString& name)
{
    // Layouts settle on posted events: a label filled a moment ago gets its width there.
    QCoreApplication::processEvents();
    QVERIFY(window->grab().save(QDir(m_out).filePath(name + QStringLiteral(".png"))));
}

void TestScreenshots::menu()
{
    tavirel::app::Startup startup(m_folder.path(), tavirel::programWindows);
    QCOMPARE(startup.load(), std::nullopt);
    startup.menu().show();
    QVERIFY(QTest::qWaitForWindowExposed(&startup.menu()));
    save(&startup.menu(), QStringLiteral("menu"));
}

void TestScreenshots::herbWindow()
{
    tavirel::data::DataStore store;
    QVERIFY(store.open(m_folder.path()));
    tavirel::app::AppContext context{m_folder.path(), store, {}, {}};
    tavirel::herbs::HerbWindow window(context);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    tree->topLevelItem(0)->setExpanded(true);
    tree->topLevelItem(0)->child(0)->setExpanded(true);
    save(&window, QStringLiteral("start-0-select"));
    auto* list = window.findChild<QListWidget*>(QStringLiteral("List1"));
    list->setCurrentRow(list->count() / 3);
    emit list->itemDoubleClicked(list->currentItem());
    save(&window, QStringLiteral("start-1-details"));
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    tabs->setCurrentIndex(2);
    save(&window, QStringLiteral("start-2-search"));
    tabs->setCurrentIndex(3);
    save(&window, QStringLiteral("start-3-own"));
}

void TestScreenshots::chineseNames_data()
{
    QTest::addColumn<QString>("fixture"); // empty: the built reference content
    QTest::addColumn<QString>("herb");
    QTest::addColumn<QString>("formula");
    QTest::newRow("content") << QString() << "Ma Huang"
                             << "Ma Huang Tang";
    QTest::newRow("pairs") << QString() << "Gan Cao"
                           << "Hai Zao Yu Hu Tang";
    QTest::newRow("fixture") << "facts"
                             << "Fu Zi"
                             << "Ma Huang Tang";
}

// The herb details and the formula display with their Chinese names; run once more with
// QT_SCALE_FACTOR=2 to see them on a high-density screen.
void TestScreenshots::chineseNames()
{
    QFETCH(QString, fixture);
    QFETCH(QString, herb);
    QFETCH(QString, formula);
    std::unique_ptr<tavirel::test::ProgramFolder> built;
    QString folder = m_folder.path();
    if (!fixture.isEmpty()) {
        built = std::make_unique<tavirel::test::ProgramFolder>(fixture);
        QVERIFY2(built->isValid(), qPrintable(built->errors()));
        folder = built->path();
    }
    tavirel::data::DataStore store;
    QVERIFY(store.open(folder));
    tavirel::app::AppContext context{folder, store, {}, {}};
    const QString suffix = QStringLiteral("-%1-x%2")
                               .arg(QTest::currentDataTag())
                               .arg(qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")));

    tavirel::herbs::HerbWindow herbs(context);
    herbs.show();
    QVERIFY(QTest::qWaitForWindowExposed(&herbs));
    tavirel::test::doubleClick(herbs.findChild<QListWidget*>(QStringLiteral("List1")), herb);
    save(&herbs, QStringLiteral("start-1-chinese") + suffix);

    tavirel::formulas::FormulaWindow formulas(context);
    formulas.show();
    QVERIFY(QTest::qWaitForWindowExposed(&formulas));
    auto* tree = formulas.findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    QTreeWidgetItem* node =
        tree->findItems(formula, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    QVERIFY2(node, qPrintable(formula));
    tavirel::test::clickNode(tree, node);
    save(&formulas, QStringLiteral("pres-chinese") + suffix);
}

// A sheet of plates from across the chapters, as the picture window shows them.
void TestScreenshots::plates()
{
    tavirel::data::Database pictures;
    QVERIFY(pictures.open(QDir(m_folder.path()).filePath(QStringLiteral("Hdat.mdb")),
                          tavirel::data::Database::Mode::ReadOnly,
                          tavirel::data::schema::picPassword));
    const QStringList picnos{"0101", "0204", "0601", "0905", "1002", "1201", "1401", "1805"};
    QImage sheet(4 * 240, 2 * 320, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (int i = 0; i < picnos.size(); ++i) {
        const QImage plate =
            QImage::fromData(pictures
                                 .scalar(QStringLiteral("SELECT Image FROM images WHERE Name = ?"),
                                         {picnos.at(i) + QStringLiteral(".jpg")})
                                 .toByteArray());
        QVERIFY2(!plate.isNull(), qPrintable(picnos.at(i)));
        painter.drawImage(QRect((i % 4) * 240, (i / 4) * 320, 240, 320), plate);
    }
    painter.end();
    QVERIFY(sheet.save(QDir(m_out).filePath(QStringLiteral("plates.png"))));
}

// The help window on three pages, its index with a keyword typed, and a search with the hits
// marked on the page opened.
void TestScreenshots::helpWindow()
{
    const QString chm = QDir(m_folder.path()).filePath(QStringLiteral("velm.chm"));
    for (const QString page : {"index.html", "herbs-select.html", "messages.html"}) {
        tavirel::app::HelpWindow window(chm, nullptr, page);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        save(&window, QStringLiteral("help-page-") + QString(page).remove(QStringLiteral(".html")));
    }
    tavirel::app::HelpWindow window(chm);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* navigation = window.findChild<QTabWidget*>(QStringLiteral("helpNavigation"));
    navigation->setCurrentIndex(1);
    auto* word = window.findChild<QLineEdit*>(QStringLiteral("helpIndexWord"));
    QTest::keyClicks(word, QStringLiteral("earl"));
    QTest::keyClick(word, Qt::Key_Return);
    save(&window, QStringLiteral("help-index"));
    navigation->setCurrentIndex(2);
    auto* words = window.findChild<QLineEdit*>(QStringLiteral("helpSearchWords"));
    QTest::keyClicks(words, QStringLiteral("double click"));
    QTest::keyClick(words, Qt::Key_Return);
    auto* results = window.findChild<QListWidget*>(QStringLiteral("helpResults"));
    QTest::keyClick(results, Qt::Key_Home);
    QTest::keyClick(results, Qt::Key_Return);
    save(&window, QStringLiteral("help-search"));
}

QTEST_MAIN(TestScreenshots)
#include "tst_screenshots.moc"
