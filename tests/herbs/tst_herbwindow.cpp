#include "app/Buttons.h"
#include "app/MessageBox.h"
#include "data/Database.h"
#include "herbs/CategoryTree.h"
#include "herbs/HerbWindow.h"
#include "support/TestSupport.h"
#include "support/WidgetHelpers.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTreeWidget>

using tavirel::app::MessageBox;
using tavirel::herbs::HerbWindow;
using namespace tavirel::test;
namespace tree = tavirel::herbs::categoryTree;

namespace {

const QString noInformation =
    QStringLiteral("Sorry! Tavirel 1.0 do not include the informations of the herb.");

} // namespace

class TestHerbWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void treeFollowsTheCategories();
    void pickingFromTheTreeAndTheList();
    void lookupAndLatinToggle();
    void detailsOfBuiltInAndOwnHerbs();
    void pictureButton();
    void search_data();
    void search();
    void searchMessagesAndTypingFilter();
    void ownHerbsListAndDelete();
    void noOwnHerbs();
    void failedLookupLeavesTheDetailsEmpty();
    void searchEntriesAreReadBackByTheirField();
    void storedMarkupIsShownAsText();
    void failedSearchIsReported();
    void enterOpensWhatTheDoubleClickOpens();

private:
    std::unique_ptr<tavirel::test::OpenProgram> m_program;
    std::unique_ptr<HerbWindow> m_window;
    QTabWidget* m_tabs = nullptr;

    // Adds an own herb and opens the window afresh, as the user would after adding it.
    void reopenWithOwnHerb(const QString& name1, const QString& name2);
    // Searches the key word in the field picked, as the Go button does.
    QListWidget* searchFor(const QString& field, const QString& word);
};

void TestHerbWindow::init()
{
    MessageBox::setTestMode(true);
    m_program = std::make_unique<tavirel::test::OpenProgram>(QStringLiteral("herbs"));
    QVERIFY2(m_program->isValid(), qPrintable(m_program->errors()));
    m_program->context().values = {};
    m_window = std::make_unique<HerbWindow>(m_program->context());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_tabs = control<QTabWidget>(m_window.get(), "SSTab1");
    QVERIFY(m_tabs);
}

void TestHerbWindow::cleanup()
{
    m_window.reset();
    m_program.reset();
}

void TestHerbWindow::treeFollowsTheCategories()
{
    auto* view = control<QTreeWidget>(m_window.get(), "TreeView1");
    QCOMPARE(view->topLevelItemCount(), 18); // the 19th category is not shown
    QTreeWidgetItem* a = view->topLevelItem(0);
    QCOMPARE(a->text(0), QStringLiteral("Cat A"));
    QCOMPARE(tree::key(a), QStringLiteral("Cat A"));
    QCOMPARE(tree::tag(a), QStringLiteral("DSystem"));
    QCOMPARE(childTexts(a), QStringList({"Sub A1", "Sub A2"}));
    QCOMPARE(childTexts(a->child(0)), QStringList({"Ma Huang", "Gui Zhi"}));
    QCOMPARE(childTexts(a->child(1)), QStringList({"Jing Jie", "No Latin"}));
    QCOMPARE(tree::tag(a->child(0)->child(0)), QString());
    QCOMPARE(tree::key(a->child(0)->child(0)), QString());
    // An empty-named sub-category hangs every herb of the category straight under it.
    QCOMPARE(childTexts(view->topLevelItem(1)), QStringList({"Cang Zhu", "Huo Xiang"}));
    QCOMPARE(view->topLevelItem(2)->childCount(), 0);
    QCOMPARE(childTexts(view->topLevelItem(4)), QStringList()); // herbs without a sub-category row
    for (QTreeWidgetItemIterator it(view); *it; ++it) {
        QVERIFY((*it)->text(0) != QLatin1String("Lost Herb"));
        QVERIFY(!(*it)->isExpanded());
    }
    auto* list = control<QListWidget>(m_window.get(), "List1");
    QCOMPARE(entries(list),
             QStringList({"Cang Zhu", "Gui Zhi", "Huo Xiang", "Jing Jie", "Lost Herb", "Ma Huang",
                          "Mai Men Dong", "Mang Xiao", "No Latin"}));
}

void TestHerbWindow::pickingFromTheTreeAndTheList()
{
    auto* view = control<QTreeWidget>(m_window.get(), "TreeView1");
    clickNode(view, view->topLevelItem(0)->child(0));
    QCOMPARE(m_tabs->currentIndex(), 0);
    QVERIFY(MessageBox::takeShown().isEmpty());

    clickNode(view, view->topLevelItem(0)->child(1)->child(1)); // "No Latin"
    QCOMPARE(shownTexts(), QStringList({noInformation}));
    QCOMPARE(m_tabs->currentIndex(), 0);

    clickNode(view, view->topLevelItem(0)->child(0)->child(0));
    QCOMPARE(m_tabs->currentIndex(), 1);
    QCOMPARE(textOf(m_window.get(), "Label14"), QStringLiteral("Ma Huang"));
    QCOMPARE(m_program->context().values.detailSource, 1);
    QCOMPARE(m_program->context().values.currentHerbName, QStringLiteral("Ma Huang"));

    m_tabs->setCurrentIndex(0);
    doubleClick(control<QListWidget>(m_window.get(), "List1"), QStringLiteral("Lost Herb"));
    QCOMPARE(m_tabs->currentIndex(), 1);
    QCOMPARE(textOf(m_window.get(), "Label1"), QStringLiteral("Herba Perdita"));
}

void TestHerbWindow::lookupAndLatinToggle()
{
    auto* list = control<QListWidget>(m_window.get(), "List1");
    auto* lookup = control<QLineEdit>(m_window.get(), "Text10");
    QTest::keyClicks(lookup, QStringLiteral("mA"));
    QCOMPARE(list->currentItem()->text(), QStringLiteral("Ma Huang"));
    QTest::keyClicks(lookup, QStringLiteral("i"));
    QCOMPARE(list->currentItem()->text(), QStringLiteral("Mai Men Dong"));
    QTest::keyClicks(lookup, QStringLiteral("z"));
    QCOMPARE(list->currentItem()->text(), QStringLiteral("Mai Men Dong"));
    QCOMPARE(m_tabs->currentIndex(), 0); // the lookup never shows details by itself

    auto* found = control<QListWidget>(m_window.get(), "List2");
    found->addItem(QStringLiteral("left from a search"));
    QWidget* toggle = control<QWidget>(m_window.get(), "skinButton1");
    QCOMPARE(tavirel::app::buttonCaption(toggle), QStringLiteral("Latin"));
    QTest::mouseClick(toggle, Qt::LeftButton);
    QCOMPARE(tavirel::app::buttonCaption(toggle), QStringLiteral("Pin Yin"));
    QCOMPARE(lookup->text(), QString());
    QCOMPARE(found->count(), 0);
    QCOMPARE(entries(list),
             QStringList({"", "Herba Ephedrae", "Herba Perdita", "Herba Pogostemonis",
                          "Herba Schizonepetae", "Natrii Sulfas", "Radix Ophiopogonis",
                          "Ramulus Cinnamomi", "Rhizoma Atractylodis"}));
    QTest::keyClicks(lookup, QStringLiteral("herba s"));
    QCOMPARE(list->currentItem()->text(), QStringLiteral("Herba Schizonepetae"));
    // The list lays its entries out by one size (a long list is not measured entry by entry):
    // in a narrow list no entry is cut, and the empty first entry does not make the rows flat.
    const int width = list->width();
    list->setFixedWidth(60);
    QCoreApplication::sendPostedEvents();
    list->doItemsLayout();
    for (int i = 1; i < list->count(); ++i) {
        const QRect row = list->visualItemRect(list->item(i));
        QVERIFY2(row.width() > list->fontMetrics().horizontalAdvance(list->item(i)->text()) &&
                     row.height() >= list->fontMetrics().height(),
                 qPrintable(list->item(i)->text()));
    }
    list->setFixedWidth(width);

    doubleClick(list, QStringLiteral("Radix Ophiopogonis"));
    QCOMPARE(m_tabs->currentIndex(), 1);
    QCOMPARE(textOf(m_window.get(), "Label14"), QStringLiteral("Mai Men Dong"));
    QCOMPARE(m_program->context().values.currentHerbName, QStringLiteral("Radix Ophiopogonis"));

    QTest::mouseClick(toggle, Qt::LeftButton);
    QCOMPARE(tavirel::app::buttonCaption(toggle), QStringLiteral("Latin"));
    QCOMPARE(list->item(0)->text(), QStringLiteral("Cang Zhu"));
}

void TestHerbWindow::detailsOfBuiltInAndOwnHerbs()
{
    doubleClick(control<QListWidget>(m_window.get(), "List1"), QStringLiteral("Gui Zhi"));
    QCOMPARE(m_tabs->currentIndex(), 1);
    QCOMPARE(textOf(m_window.get(), "Label14"), QStringLiteral("Gui Zhi"));
    QCOMPARE(textOf(m_window.get(), "Label1"), QStringLiteral("Ramulus Cinnamomi"));
    QCOMPARE(textOf(m_window.get(), "Text2"), QString()); // Null source
    QCOMPARE(textOf(m_window.get(), "Text4"), QStringLiteral("Twig"));
    QCOMPARE(textOf(m_window.get(), "Text5"), QStringLiteral("Sweet, warm"));
    QCOMPARE(textOf(m_window.get(), "Text6"), QStringLiteral("Lung"));
    QCOMPARE(textOf(m_window.get(), "Text3"), QStringLiteral("3-9 g"));
    QCOMPARE(textOf(m_window.get(), "Text7"), QStringLiteral("Warms the channels"));
    QCOMPARE(textOf(m_window.get(), "Text8"), QStringLiteral("Wind-cold"));
    QCOMPARE(textOf(m_window.get(), "Text9"), QString()); // Null cautions
    QWidget* graphic = control<QWidget>(m_window.get(), "Command4");
    QVERIFY(graphic->isVisible());

    m_tabs->setCurrentIndex(0);
    m_tabs->setCurrentIndex(1);
    QCOMPARE(textOf(m_window.get(), "Label14"), QStringLiteral("Gui Zhi"));

    m_tabs->setCurrentIndex(3);
    doubleClick(control<QListWidget>(m_window.get(), "List3"), QStringLiteral("Own Alpha"));
    QCOMPARE(m_tabs->currentIndex(), 1);
    QCOMPARE(textOf(m_window.get(), "Label14"), QStringLiteral("Own Alpha"));
    QCOMPARE(textOf(m_window.get(), "Text2"), QStringLiteral("My notes"));
    QCOMPARE(textOf(m_window.get(), "Text3"), QStringLiteral("9 g"));
    QVERIFY(!graphic->isVisible());
    QCOMPARE(m_program->context().values.detailSource, 3);
}

void TestHerbWindow::pictureButton()
{
    tavirel::test::ModalRecorder recorder;
    QWidget* graphic = control<QWidget>(m_window.get(), "Command4");
    doubleClick(control<QListWidget>(m_window.get(), "List1"), QStringLiteral("Jing Jie"));
    QTest::mouseClick(graphic, Qt::LeftButton);
    QCOMPARE(shownTexts(),
             QStringList({"Sorry! Tavirel 1.0 do not include the picture of this herb."}));
    QVERIFY(recorder.opened.isEmpty());

    m_tabs->setCurrentIndex(0);
    doubleClick(control<QListWidget>(m_window.get(), "List1"), QStringLiteral("Cang Zhu"));
    QTest::mouseClick(graphic, Qt::LeftButton);
    QCOMPARE(recorder.opened.size(), 1);
    QCOMPARE(recorder.opened.first().name, QStringLiteral("grph"));
    QCOMPARE(recorder.opened.first().caption, QStringLiteral("Cang Zhu"));
    QCOMPARE(m_program->context().values.pictureNumber, QStringLiteral("0201"));
    QCOMPARE(m_program->context().values.pictureSource, 0);
    QCOMPARE(m_tabs->currentIndex(), 1);
}

void TestHerbWindow::search_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QStringList>("found");

    QTest::newRow("all, built-in before own") << "All Category"
                                              << "cough" << QStringList({"Ma Huang", "Own Beta"});
    QTest::newRow("pinyin ignores case")
        << "Pinyin Name"
        << "MA" << QStringList({"Ma Huang", "Mai Men Dong", "Mang Xiao", "Own Gamma"});
    QTest::newRow("latin entries")
        << "Latin Name"
        << "propria"
        << QStringList({"Herba Alpha Propria (Own Alpha)", "Herba Beta Propria (Own Beta)"});
    QTest::newRow("part used") << "Part Used & Method"
                               << "rhizome" << QStringList({"Cang Zhu"});
    QTest::newRow("taste") << "Properties & Taste"
                           << "slightly" << QStringList({"Jing Jie", "Mai Men Dong"});
    QTest::newRow("meridians") << "Meridians"
                               << "liver" << QStringList({"Jing Jie", "Own Beta"});
    QTest::newRow("functions") << "Functions"
                               << "channels" << QStringList({"Gui Zhi"});
    QTest::newRow("indications") << "Indications"
                                 << "nothing at" << QStringList({"Lost Herb"});
    QTest::newRow("cautions") << "Cautions"
                              << "none"
                              << QStringList({"Cang Zhu", "Huo Xiang", "Jing Jie", "Lost Herb",
                                              "Ma Huang", "Mai Men Dong", "Mang Xiao", "No Latin",
                                              "Own Alpha", "Own Beta"});
}

void TestHerbWindow::search()
{
    QFETCH(QString, field);
    QFETCH(QString, word);
    QFETCH(QStringList, found);
    m_tabs->setCurrentIndex(2);
    auto* combo = control<QComboBox>(m_window.get(), "Combo1");
    auto* key = control<QLineEdit>(m_window.get(), "Text1");
    auto* list = control<QListWidget>(m_window.get(), "List2");
    key->setText(word);
    combo->setCurrentIndex(combo->findText(field));
    QTest::mouseClick(control<QWidget>(m_window.get(), "Command2"), Qt::LeftButton);
    QCOMPARE(entries(list), found);
    QVERIFY(MessageBox::takeShown().isEmpty());

    // A double click shows the herb, also from a Latin entry of several words.
    if (!found.isEmpty()) {
        doubleClick(list, found.last());
        QCOMPARE(m_tabs->currentIndex(), 1);
        QCOMPARE(m_program->context().values.detailSource, 2);
        QVERIFY(found.last().contains(textOf(m_window.get(), "Label14")));
    }
}

void TestHerbWindow::searchMessagesAndTypingFilter()
{
    m_tabs->setCurrentIndex(2);
    auto* combo = control<QComboBox>(m_window.get(), "Combo1");
    auto* key = control<QLineEdit>(m_window.get(), "Text1");
    auto* list = control<QListWidget>(m_window.get(), "List2");
    key->setFocus();
    QTest::keyClick(key, Qt::Key_Return);
    QCOMPARE(shownTexts(), QStringList({"Please input key word for searching!"}));

    QTest::keyClicks(key, QStringLiteral("Ma 1'"));
    QCOMPARE(key->text(), QStringLiteral("Ma "));
    QCOMPARE(shownTexts(), QStringList({"Should press the letter!", "Should press the letter!"}));
    QTest::keyClick(key, Qt::Key_Backspace);
    QCOMPARE(key->text(), QStringLiteral("Ma"));

    // Entering the tab again resets the field without searching, even with a key word typed.
    combo->setCurrentIndex(combo->findText(QStringLiteral("Functions")));
    m_tabs->setCurrentIndex(0);
    m_tabs->setCurrentIndex(2);
    QCOMPARE(combo->currentText(), QStringLiteral("All Category"));
    QCOMPARE(list->count(), 0);
    QVERIFY(MessageBox::takeShown().isEmpty());

    // Enter searches and moves the focus on.
    key->setText(QStringLiteral("ephedrae"));
    key->setFocus();
    QTest::keyClick(key, Qt::Key_Enter);
    QCOMPARE(entries(list), QStringList({"Ma Huang"}));
    QVERIFY(!key->hasFocus());

    // A pasted key word with quote and wildcard characters is searched literally, and an empty
    // text (Own Gamma's cautions) never matches a word.
    key->setText(QStringLiteral("%'_"));
    QTest::mouseClick(control<QWidget>(m_window.get(), "Command2"), Qt::LeftButton);
    QCOMPARE(list->count(), 0);
    QCOMPARE(
        shownTexts(),
        QStringList(
            {"Sorry! No key word were found. Please change key word or the category. Try again."}));

    // The deleted-or-unknown herb of a stale entry says so.
    list->addItem(QStringLiteral("Gone Herb"));
    doubleClick(list, QStringLiteral("Gone Herb"));
    QCOMPARE(shownTexts(), QStringList({noInformation}));
    QCOMPARE(m_tabs->currentIndex(), 2);
}

void TestHerbWindow::ownHerbsListAndDelete()
{
    m_tabs->setCurrentIndex(3);
    auto* list = control<QListWidget>(m_window.get(), "List3");
    QWidget* remove = control<QWidget>(m_window.get(), "Command7");
    QCOMPARE(entries(list), QStringList({"Own Alpha", "Own Beta", "Own Gamma"}));
    QVERIFY(remove->isVisible());

    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(shownTexts(), QStringList({"Please select a herb which you want to delete."}));

    const QString own = m_program->folder().file(QStringLiteral("yourown.MDB"));
    list->setCurrentRow(1);
    MessageBox::setNextAnswer(MessageBox::Answer::No);
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(MessageBox::takeShown().first().icon, MessageBox::Icon::Question);
    QCOMPARE(list->count(), 3);
    QCOMPARE(
        tavirel::test::columnValues(own, {}, "SELECT name1 FROM ownherb ORDER BY name1").size(), 3);

    list->setCurrentRow(1);
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(entries(list), QStringList({"Own Alpha", "Own Gamma"}));
    QCOMPARE(tavirel::test::columnValues(own, {}, "SELECT name1 FROM ownherb ORDER BY name1"),
             QStringList({"Own Alpha", "Own Gamma"}));

    for (int i = 0; i < 2; ++i) {
        list->setCurrentRow(0);
        QTest::mouseClick(remove, Qt::LeftButton);
    }
    QCOMPARE(list->count(), 0);
    QVERIFY(!remove->isVisible());
}

void TestHerbWindow::noOwnHerbs()
{
    m_window.reset();
    QVERIFY(m_program->context().ownDb().exec(QStringLiteral("DELETE FROM ownherb")));
    m_window = std::make_unique<HerbWindow>(m_program->context());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    auto* tabs = control<QTabWidget>(m_window.get(), "SSTab1");
    tabs->setCurrentIndex(3);
    auto* list = control<QListWidget>(m_window.get(), "List3");
    QCOMPARE(entries(list), QStringList({"No yourown record!"}));
    QVERIFY(!control<QWidget>(m_window.get(), "Command7")->isVisible());
    doubleClick(list, QStringLiteral("No yourown record!"));
    QCOMPARE(tabs->currentIndex(), 3);
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void TestHerbWindow::reopenWithOwnHerb(const QString& name1, const QString& name2)
{
    m_window.reset();
    QVERIFY(m_program->context().ownDb().exec(
        QStringLiteral("INSERT INTO ownherb (name1, name2, source, used, taste, meridians, "
                       "functions, indications, dosage, coutions) "
                       "VALUES (?, ?, 'n', 'n', 'n', 'n', 'n', 'n', 'n', 'n')"),
        {name1, name2}));
    m_window = std::make_unique<HerbWindow>(m_program->context());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_tabs = control<QTabWidget>(m_window.get(), "SSTab1");
}

QListWidget* TestHerbWindow::searchFor(const QString& field, const QString& word)
{
    m_tabs->setCurrentIndex(2);
    auto* combo = control<QComboBox>(m_window.get(), "Combo1");
    control<QLineEdit>(m_window.get(), "Text1")->setText(word);
    combo->setCurrentIndex(combo->findText(field));
    QTest::mouseClick(control<QWidget>(m_window.get(), "Command2"), Qt::LeftButton);
    return control<QListWidget>(m_window.get(), "List2");
}

void TestHerbWindow::failedLookupLeavesTheDetailsEmpty()
{
    auto* names = control<QListWidget>(m_window.get(), "List1");
    doubleClick(names, QStringLiteral("Gui Zhi"));
    QCOMPARE(textOf(m_window.get(), "Label14"), QStringLiteral("Gui Zhi"));

    // A stale entry of the search list: the lookup fails on the shared herb records.
    QListWidget* found = searchFor(QStringLiteral("Pinyin Name"), QStringLiteral("gui"));
    auto* stale = new QListWidgetItem(QStringLiteral("Gone Herb"));
    stale->setData(Qt::UserRole, QStringLiteral("Gone Herb"));
    found->addItem(stale);
    doubleClick(found, QStringLiteral("Gone Herb"));
    QCOMPARE(shownTexts(), QStringList({noInformation}));
    m_tabs->setCurrentIndex(1);
    QCOMPARE(textOf(m_window.get(), "Label14"), QString());
    QCOMPARE(textOf(m_window.get(), "Text7"), QString());

    // A herb without details, picked in the tree, is not shown either.
    m_tabs->setCurrentIndex(0);
    auto* view = control<QTreeWidget>(m_window.get(), "TreeView1");
    clickNode(view, view->topLevelItem(0)->child(1)->child(1)); // "No Latin"
    QCOMPARE(shownTexts(), QStringList({noInformation}));
    m_tabs->setCurrentIndex(1);
    QCOMPARE(textOf(m_window.get(), "Label14"), QString());
}

void TestHerbWindow::searchEntriesAreReadBackByTheirField()
{
    reopenWithOwnHerb(QStringLiteral("Sheng Di (fresh)"), QStringLiteral("Radix (recens)"));
    QListWidget* found = searchFor(QStringLiteral("Pinyin Name"), QStringLiteral("fresh"));
    QCOMPARE(entries(found), QStringList({"Sheng Di (fresh)"}));
    doubleClick(found, QStringLiteral("Sheng Di (fresh)"));
    QVERIFY(MessageBox::takeShown().isEmpty());
    QCOMPARE(m_tabs->currentIndex(), 1);
    QCOMPARE(textOf(m_window.get(), "Label14"), QStringLiteral("Sheng Di (fresh)"));

    found = searchFor(QStringLiteral("Latin Name"), QStringLiteral("recens"));
    QCOMPARE(entries(found), QStringList({"Radix (recens) (Sheng Di (fresh))"}));
    doubleClick(found, found->item(0)->text());
    QVERIFY(MessageBox::takeShown().isEmpty());
    QCOMPARE(textOf(m_window.get(), "Label1"), QStringLiteral("Radix (recens)"));
}

void TestHerbWindow::storedMarkupIsShownAsText()
{
    const QString marked = QStringLiteral("<b>Bold</b> Herb");
    reopenWithOwnHerb(marked, QStringLiteral("<i>Radix</i>"));
    m_tabs->setCurrentIndex(3);
    doubleClick(control<QListWidget>(m_window.get(), "List3"), marked);
    for (const char* heading : {"Label14", "Label1"}) {
        auto* label = control<QLabel>(m_window.get(), heading);
        QCOMPARE(label->textFormat(), Qt::PlainText);
    }
    QCOMPARE(textOf(m_window.get(), "Label14"), marked);

    // Messages quote names and error texts; they are never read as markup either.
    const auto box = MessageBox::build(m_window.get(), marked, MessageBox::Icon::Information,
                                       MessageBox::Buttons::Ok);
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QCOMPARE(box->text(), marked);
}

void TestHerbWindow::failedSearchIsReported()
{
    // Another program holds the own database locked past the wait.
    tavirel::data::Database other;
    QVERIFY(other.open(m_program->folder().file(QStringLiteral("yourown.MDB")),
                       tavirel::data::Database::Mode::ReadWrite));
    QVERIFY(other.exec(QStringLiteral("BEGIN EXCLUSIVE")));
    searchFor(QStringLiteral("All Category"), QStringLiteral("cough"));
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().text.startsWith(QStringLiteral("The search could not be run: ")) &&
                 shown.first().text.contains(QStringLiteral("locked")),
             qPrintable(shown.first().text));
    QCOMPARE(shown.first().icon, MessageBox::Icon::Exclamation);

    QVERIFY(other.exec(QStringLiteral("ROLLBACK")));
    QCOMPARE(entries(searchFor(QStringLiteral("All Category"), QStringLiteral("cough"))),
             QStringList({"Ma Huang", "Own Beta"}));
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void TestHerbWindow::enterOpensWhatTheDoubleClickOpens()
{
    const auto enterOn = [](QAbstractItemView* view, int row) {
        view->setFocus();
        view->setCurrentIndex(view->model()->index(row, 0));
        QTest::keyClick(view, Qt::Key_Return);
    };
    auto* names = control<QListWidget>(m_window.get(), "List1");
    enterOn(names, 1); // Gui Zhi
    QCOMPARE(m_tabs->currentIndex(), 1);
    QCOMPARE(textOf(m_window.get(), "Label14"), QStringLiteral("Gui Zhi"));

    m_tabs->setCurrentIndex(0);
    auto* view = control<QTreeWidget>(m_window.get(), "TreeView1");
    QTreeWidgetItem* maHuang = view->topLevelItem(0)->child(0)->child(0);
    view->expandAll();
    view->setFocus();
    view->setCurrentItem(maHuang);
    QTest::keyClick(view, Qt::Key_Enter);
    QCOMPARE(m_tabs->currentIndex(), 1);
    QCOMPARE(textOf(m_window.get(), "Label14"), QStringLiteral("Ma Huang"));

    // Entering the search tab puts the focus in the key word box.
    m_tabs->setCurrentIndex(2);
    QCOMPARE(m_window->focusWidget(), control<QLineEdit>(m_window.get(), "Text1"));
    QListWidget* found = searchFor(QStringLiteral("Pinyin Name"), QStringLiteral("mai"));
    enterOn(found, 0);
    QCOMPARE(textOf(m_window.get(), "Label14"), QStringLiteral("Mai Men Dong"));

    m_tabs->setCurrentIndex(3);
    enterOn(control<QListWidget>(m_window.get(), "List3"), 0);
    QCOMPARE(m_tabs->currentIndex(), 1);
    QCOMPARE(textOf(m_window.get(), "Label14"), QStringLiteral("Own Alpha"));
    QVERIFY(MessageBox::takeShown().isEmpty());
}

QTEST_MAIN(TestHerbWindow)
#include "tst_herbwindow.moc"
