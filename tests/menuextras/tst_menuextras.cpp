// The menu's quick find (typing, keys, mouse, opening the windows) and the own entries'
// export, import and backup commands, on real windows and files.
#include "Windows.h"
#include "app/Menu.h"
#include "app/MessageBox.h"
#include "data/Database.h"
#include "owndata/Backup.h"
#include "owndata/ExportFile.h"
#include "quickfind/QuickFindBox.h"
#include "support/TestSupport.h"
#include "support/WidgetHelpers.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QSemaphore>
#include <QTabWidget>
#include <QTest>
#include <QThreadPool>

using namespace tavirel;

namespace {

struct Shown
{
    QString window;
    QString heading; // the herb's Pinyin heading or the formula's name
    int tab = -1;    // details tab of the herb window, display tab of the formula window
};

Shown describe(QDialog& window)
{
    Shown shown{window.objectName(), {}, -1};
    const bool herbs = shown.window == QLatin1String("start");
    const QString label = herbs ? QStringLiteral("Label14") : QStringLiteral("Label2");
    for (auto* l : window.findChildren<QLabel*>(label)) {
        if (!l->text().isEmpty())
            shown.heading = l->text();
    }
    if (auto* tabs = window.findChild<QTabWidget*>(herbs ? QStringLiteral("SSTab1")
                                                         : QStringLiteral("SSTab2")))
        shown.tab = tabs->currentIndex();
    return shown;
}

QStringList rows(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

QStringList ownNames(data::Database& db, const QString& sql)
{
    return test::columnValues(db.fileName(), {}, sql);
}

} // namespace

class TestMenuExtras : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void typingShowsResults();
    void keysAndMouseOpenTheEntry_data();
    void keysAndMouseOpenTheEntry();
    void escapeAndShortcuts();
    void ownEntriesAddedWhileRunning();
    void searchBeforeTheReferenceIsRead();
    void exportImportAndBackup();
    void refusedFilesChangeNothing_data();
    void refusedFilesChangeNothing();

private:
    quickfind::QuickFindBox* box()
    {
        return test::control<quickfind::QuickFindBox>(m_menu.get(), "QuickFind");
    }
    QListWidget* list() { return test::control<QListWidget>(m_menu.get(), "QuickFindList"); }
    void runOwnCommand(const QString& action);

    std::unique_ptr<test::OpenProgram> m_program;
    std::unique_ptr<app::Menu> m_menu;
};

void TestMenuExtras::init()
{
    app::MessageBox::setTestMode(true);
    m_program = std::make_unique<test::OpenProgram>(QStringLiteral("quickfind"));
    QVERIFY2(m_program->isValid(), qPrintable(m_program->errors()));
    m_menu =
        std::make_unique<app::Menu>(m_program->context(), programWindows(m_program->context()));
    m_menu->loadExtras();
    m_menu->show();
    m_menu->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_menu.get()));
}

void TestMenuExtras::cleanup()
{
    m_menu.reset();
    m_program.reset();
}

void TestMenuExtras::typingShowsResults()
{
    QVERIFY(list()->isHidden());
    box()->setFocus();
    QTest::keyClicks(box(), QStringLiteral("ma h"));
    QVERIFY(list()->isVisible());
    QCOMPARE(rows(list()), QStringList({QStringLiteral("Ma Huang 麻黄  \u2014 herb"),
                                        QStringLiteral("Ma Huang Gen 麻黄根  \u2014 herb"),
                                        QStringLiteral("Ma Huang Tang 麻黄汤  \u2014 formula")}));
    // Under the box, in the menu's free space, clear of the prescribed buttons.
    QCOMPARE(list()->geometry().top(), box()->geometry().bottom() + 1);
    QVERIFY(!list()->geometry().intersects(
        test::control<QWidget>(m_menu.get(), "Command1")->geometry()));

    box()->clear();
    QTest::keyClicks(box(), QStringLiteral("astragali"));
    QCOMPARE(rows(list()),
             QStringList{QStringLiteral("Huang Qi 黄芪  \u2014 herb  (Latin: Radix Astragali)")});
    box()->clear();
    QTest::keyClicks(box(), QStringLiteral("mahaung"));
    QCOMPARE(rows(list()), QStringList{QStringLiteral("Nothing found")});
    QTest::keyClick(box(), Qt::Key_Return); // opens nothing
    QVERIFY(app::MessageBox::takeShown().isEmpty());

    if (const QString out = qEnvironmentVariable("TAVIREL_SHOTS"); !out.isEmpty()) {
        box()->clear();
        QTest::keyClicks(box(), QStringLiteral("huang"));
        QVERIFY(m_menu->grab().save(QDir(out).filePath(QStringLiteral("quickfind.png"))));
    }
}

void TestMenuExtras::keysAndMouseOpenTheEntry_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("downs"); // arrow presses; -1 clicks the second row with the mouse
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<int>("tab");
    QTest::newRow("herb, Enter") << "mahuang" << 0 << "start"
                                 << "Ma Huang" << 1;
    QTest::newRow("formula, two down") << "mahuang" << 2 << "Pres"
                                       << "Ma Huang Tang" << 0;
    QTest::newRow("down past the end") << "ye ju" << 5 << "Pres"
                                       << "Ye Ju Yin" << 0;
    QTest::newRow("own herb") << "ye ju" << 0 << "start"
                              << "Ye Ju" << 1;
    QTest::newRow("initials") << "mht" << 0 << "Pres"
                              << "Ma Huang Tang" << 0;
    QTest::newRow("chinese") << "桂枝" << 0 << "start"
                             << "Gui Zhi" << 1;
    QTest::newRow("mouse") << "gui zhi" << -1 << "Pres"
                           << "Gui Zhi Tang" << 0;
}

void TestMenuExtras::keysAndMouseOpenTheEntry()
{
    QFETCH(QString, query);
    QFETCH(int, downs);
    QFETCH(QString, window);
    QFETCH(QString, heading);
    QFETCH(int, tab);

    QList<Shown> opened;
    test::ModalRecorder recorder([&opened](QDialog& w) {
        opened << describe(w);
        return int(QDialog::Rejected);
    });
    box()->setFocus();
    box()->setText(query);
    if (downs < 0) {
        QListWidgetItem* second = list()->item(1);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualItemRect(second).center());
    } else {
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(box(), Qt::Key_Down);
        QTest::keyClick(box(), Qt::Key_Return);
    }
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.first().window, window);
    QCOMPARE(opened.first().heading, heading);
    QCOMPARE(opened.first().tab, tab);
    QVERIFY(list()->isHidden());
    QVERIFY(app::MessageBox::takeShown().isEmpty());
    // The request is used once: the next opening of the window is an ordinary one.
    QVERIFY(m_program->context().values.openHerbAt.isEmpty());
    QVERIFY(m_program->context().values.openFormulaAt.isEmpty());
}

void TestMenuExtras::escapeAndShortcuts()
{
    test::control<QWidget>(m_menu.get(), "Command1")->setFocus();
    QTest::keyClick(m_menu.get(), Qt::Key_K, Qt::ControlModifier);
    QTRY_COMPARE(QApplication::focusWidget(), box());
    QTest::keyClicks(box(), QStringLiteral("huang"));
    QCOMPARE(list()->count(), 4);
    QTest::keyClick(box(), Qt::Key_Up); // stays on the first row
    QCOMPARE(list()->currentRow(), 0);
    QTest::keyClick(box(), Qt::Key_Escape);
    QVERIFY(list()->isHidden());
    QCOMPARE(box()->text(), QStringLiteral("huang"));
    QVERIFY(m_menu->isVisible()); // Escape never reaches the menu

    test::control<QWidget>(m_menu.get(), "Command2")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Slash);
    QTRY_COMPARE(QApplication::focusWidget(), box());
    QCOMPARE(box()->selectedText(), QStringLiteral("huang"));
}

void TestMenuExtras::ownEntriesAddedWhileRunning()
{
    box()->setText(QStringLiteral("zi su"));
    QCOMPARE(rows(list()), QStringList{QStringLiteral("Nothing found")});
    box()->clear();
    // As the add-herb window writes it while the menu waits.
    QVERIFY(m_program->context().ownDb().exec(
        QStringLiteral("INSERT INTO ownherb (name1, name2) VALUES ('Zi Su', 'Folium Perillae')")));
    box()->setText(QStringLiteral("zi su"));
    QCOMPARE(rows(list()), QStringList{QStringLiteral("Zi Su  \u2014 own herb")});
}

void TestMenuExtras::searchBeforeTheReferenceIsRead()
{
    // With every worker of the pool held, the menu's read of the reference entries stays
    // queued: the search below comes before it has run, whatever the machine's speed.
    m_menu.reset();
    QThreadPool* pool = QThreadPool::globalInstance();
    QSemaphore held;
    for (int i = 0; i < pool->maxThreadCount(); ++i)
        pool->start([&held] { held.acquire(); });
    const auto release = qScopeGuard([&] {
        held.release(pool->maxThreadCount());
        pool->waitForDone();
    });
    const auto newMenu = [this] {
        auto menu =
            std::make_unique<app::Menu>(m_program->context(), programWindows(m_program->context()));
        menu->loadExtras();
        return menu;
    };

    // A menu closed before its read has run goes without waiting for the held workers.
    newMenu().reset();

    m_menu = newMenu();
    m_menu->show();
    const QStringList maHuang{QStringLiteral("Ma Huang 麻黄  \u2014 herb"),
                              QStringLiteral("Ma Huang Gen 麻黄根  \u2014 herb"),
                              QStringLiteral("Ma Huang Tang 麻黄汤  \u2014 formula")};
    box()->setText(QStringLiteral("ma h"));
    QCOMPARE(rows(list()), maHuang);
    // The read's own word that it has ended comes later and must not take the entries again.
    box()->clear();
    QCoreApplication::sendPostedEvents();
    box()->setText(QStringLiteral("ma h"));
    QCOMPARE(rows(list()), maHuang);
}

void TestMenuExtras::runOwnCommand(const QString& action)
{
    auto* command = m_menu->findChild<QAction*>(action);
    QVERIFY(command);
    command->trigger();
}

void TestMenuExtras::exportImportAndBackup()
{
    data::Database& own = m_program->context().ownDb();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("mine.json"));
    QStringList previewAdded, previewSkipped;
    bool importEnabled = false;
    test::ModalRecorder recorder([&](QDialog& dialog) {
        if (auto* chooser = qobject_cast<QFileDialog*>(&dialog)) {
            chooser->selectFile(file);
            static_cast<QDialog*>(chooser)->accept(); // as the dialog's own button does
            return chooser->result();
        }
        previewAdded = rows(dialog.findChild<QListWidget*>(QStringLiteral("ImportAdded")));
        previewSkipped = rows(dialog.findChild<QListWidget*>(QStringLiteral("ImportSkipped")));
        auto* importButton = dialog.findChild<QPushButton*>(QStringLiteral("ImportButton"));
        importEnabled = importButton->isEnabled();
        if (importEnabled)
            importButton->click();
        return dialog.result();
    });

    runOwnCommand(QStringLiteral("ExportOwn"));
    QCOMPARE(test::shownTexts(),
             QStringList{QStringLiteral("Exported 1 herb and 1 formula to \"%1\".")
                             .arg(QDir::toNativeSeparators(file))});

    // The same file again: everything is there already, nothing can be imported.
    runOwnCommand(QStringLiteral("ImportOwn"));
    QVERIFY(previewAdded.isEmpty());
    QCOMPARE(previewSkipped, QStringList({"Herb: Ye Ju (already in your own entries)",
                                          "Formula: Ye Ju Yin (already in your own entries)"}));
    QVERIFY(!importEnabled);
    QVERIFY(owndata::backupsOf(own.fileName()).isEmpty());

    // After the user deletes the formula, the import brings it back, after a backup.
    QVERIFY(own.exec(QStringLiteral("DELETE FROM ownpres")));
    runOwnCommand(QStringLiteral("ImportOwn"));
    QCOMPARE(previewAdded, QStringList{QStringLiteral("Formula: Ye Ju Yin")});
    QVERIFY(importEnabled);
    QCOMPARE(ownNames(own, QStringLiteral("SELECT name FROM ownpres")),
             QStringList{QStringLiteral("Ye Ju Yin")});
    const QStringList backups = owndata::backupsOf(own.fileName());
    QCOMPARE(backups.size(), 1);
    QCOMPARE(test::shownTexts(),
             QStringList{QStringLiteral("Imported 0 herbs and 1 formula.\nYour own entries as "
                                        "they were before: \"%1\".")
                             .arg(QDir::toNativeSeparators(backups.first()))});
    data::Database before;
    QVERIFY(before.open(backups.first(), data::Database::Mode::ReadOnly));
    QCOMPARE(ownNames(before, QStringLiteral("SELECT name1 FROM ownherb")),
             QStringList{QStringLiteral("Ye Ju")});
    QVERIFY(ownNames(before, QStringLiteral("SELECT name FROM ownpres")).isEmpty());

    runOwnCommand(QStringLiteral("BackupOwn"));
    QCOMPARE(owndata::backupsOf(own.fileName()).size(), 2);
    QVERIFY(test::shownTexts().value(0).startsWith(
        QStringLiteral("Your own entries were backed up to")));
}

void TestMenuExtras::refusedFilesChangeNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("damaged") << QByteArray(
                                    R"({"format": "tavirel-own-entries", "version": 1, "herbs": [)")
                             << QStringLiteral("is damaged and can not be imported");
    QTest::newRow("another kind") << QByteArray(R"({"name1": "Zi Su", "name2": "Folium"})")
                                  << QStringLiteral("is not an export of Tavirel's own entries");
}

void TestMenuExtras::refusedFilesChangeNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    data::Database& own = m_program->context().ownDb();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("other.json"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    out.close();
    const QStringList herbsBefore = ownNames(own, QStringLiteral("SELECT name1 FROM ownherb"));

    test::ModalRecorder recorder([&](QDialog& dialog) {
        auto* chooser = qobject_cast<QFileDialog*>(&dialog);
        if (!chooser)
            return int(QDialog::Accepted); // a preview would be a fault
        chooser->selectFile(file);
        static_cast<QDialog*>(chooser)->accept(); // as the dialog's own button does
        return chooser->result();
    });
    runOwnCommand(QStringLiteral("ImportOwn"));
    QCOMPARE(recorder.opened.size(), 1); // the file window only, no preview
    const QStringList shown = test::shownTexts();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().contains(message), qPrintable(shown.first()));
    QVERIFY(shown.first().endsWith(QStringLiteral("Nothing was imported.")));
    QCOMPARE(ownNames(own, QStringLiteral("SELECT name1 FROM ownherb")), herbsBefore);
    QVERIFY(owndata::backupsOf(own.fileName()).isEmpty());
}

QTEST_MAIN(TestMenuExtras)
#include "tst_menuextras.moc"
