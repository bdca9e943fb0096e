// Pictures of the program's windows on the built reference content, for the package's metadata.
// Runs only when TAVIREL_SHOTS names a folder to write them to; the program folder's databases
// are copied first, so nothing of the user's is touched.
#include "Windows.h"
#include "app/MessageBox.h"
#include "app/Startup.h"
#include "herbs/HerbWindow.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

class TestScreenshots : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void menu();
    void herbWindow();

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

QTEST_MAIN(TestScreenshots)
#include "tst_screenshots.moc"
