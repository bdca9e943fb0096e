#include "HelpWindow.h"

#include "CenterForm.h"
#include "ChmFile.h"
#include "HelpSearch.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace tavirel::app {

namespace {

// Pages are addressed as "chm:/page.html" so that relative links, style sheets and pictures
// resolve against the page's own place inside the help file.
const QString helpScheme = QStringLiteral("chm");
constexpr int topicRole = Qt::UserRole;
// A found page is shown with its words marked; an index entry just opens its page.
constexpr int foundRole = Qt::UserRole + 1;

QUrl pageUrl(const QString& local)
{
    QUrl url;
    url.setScheme(helpScheme);
    const qsizetype hash = local.indexOf(u'#');
    url.setPath(hash < 0 ? local : local.left(hash));
    if (hash >= 0)
        url.setFragment(local.mid(hash + 1));
    return url;
}

QString messagePage(const QString& heading, const QString& text)
{
    return QStringLiteral("<html><body><h2>%1</h2><p>%2</p></body></html>").arg(heading, text);
}

// The page view: everything it shows comes out of the help file.
class HelpBrowser : public QTextBrowser
{
public:
    HelpBrowser(std::unique_ptr<ChmFile> file, QWidget* parent)
        : QTextBrowser(parent), m_file(std::move(file))
    {
    }

    QVariant loadResource(int type, const QUrl& name) override
    {
        const QUrl url = name.isRelative() ? source().resolved(name) : name;
        if (url.scheme() == helpScheme) {
            if (std::optional<QByteArray> data = m_file->read(url.path()))
                return *data;
        }
        if (type == QTextDocument::HtmlResource)
            return messagePage(
                tr("Page not found"),
                tr("The page %1 is not in the help file.").arg(url.path().toHtmlEscaped()));
        return {};
    }

protected:
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override
    {
        // A link out of the help (web site, e-mail) goes to the system, not into the viewer.
        const QUrl url = name.isRelative() ? source().resolved(name) : name;
        if (!url.isRelative() && url.scheme() != helpScheme) {
            QDesktopServices::openUrl(url);
            return;
        }
        QTextBrowser::doSetSource(name, type);
    }

private:
    std::unique_ptr<ChmFile> m_file;
};

} // namespace

HelpWindow::HelpWindow(const QString& helpFile, QWidget* parent, const QString& page)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Tavirel 1.0 Help"));
    setProperty("helpFile", helpFile);

    auto file = std::make_unique<ChmFile>(helpFile);
    const std::vector<HelpTopic> topics = file->contents();
    const std::vector<HelpTopic> keywords = file->index();
    const QString start = file->defaultPage();
    const bool readable = file->isOpen() && !start.isEmpty() && file->read(start).has_value();
    const QString first =
        !page.isEmpty() && file->contains(page) ? ChmFile::normalisePath(page) : start;
    m_search = std::make_unique<HelpSearch>(*file);

    m_back = new QPushButton(tr("&Back"), this);
    m_back->setObjectName(QStringLiteral("helpBack"));
    m_back->setEnabled(false);
    m_forward = new QPushButton(tr("&Forward"), this);
    m_forward->setObjectName(QStringLiteral("helpForward"));
    m_forward->setEnabled(false);
    for (QPushButton* button : {m_back, m_forward})
        button->setAutoDefault(false); // Enter in the contents must not press them

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    m_navigation = new QTabWidget(splitter);
    m_navigation->setObjectName(QStringLiteral("helpNavigation"));
    m_contents = new QTreeWidget;
    m_contents->setObjectName(QStringLiteral("helpContents"));
    m_contents->setAccessibleName(tr("Contents"));
    m_contents->setHeaderHidden(true);
    m_contents->setColumnCount(1);
    m_navigation->addTab(m_contents, tr("&Contents"));
    m_navigation->addTab(buildIndexTab(), tr("&Index"));
    m_navigation->addTab(buildSearchTab(), tr("&Search"));
    m_page = new HelpBrowser(std::move(file), splitter);
    m_page->setObjectName(QStringLiteral("helpPage"));
    m_page->setAccessibleName(tr("Help page"));
    splitter->addWidget(m_navigation);
    splitter->addWidget(m_page);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);

    connect(m_page, &QTextBrowser::backwardAvailable, m_back, &QPushButton::setEnabled);
    connect(m_page, &QTextBrowser::forwardAvailable, m_forward, &QPushButton::setEnabled);
    connect(m_back, &QPushButton::clicked, m_page, &QTextBrowser::backward);
    connect(m_forward, &QPushButton::clicked, m_page, &QTextBrowser::forward);
    connect(m_contents, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { showTopic(item); });
    connect(m_contents, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { showTopic(item); });
    connect(m_page, &QTextBrowser::sourceChanged, this, &HelpWindow::markTopic);

    resize(900, 640);
    CenterForm(this);

    if (!readable) {
        showFailure(helpFile);
        return;
    }
    addTopics(topics, nullptr);
    m_contents->expandToDepth(0);
    addKeywords(keywords, {});
    m_index->sortItems();
    m_page->setSource(pageUrl(first));
}

HelpWindow::~HelpWindow() = default;

QWidget* HelpWindow::buildIndexTab()
{
    auto* tab = new QWidget;
    auto* caption = new QLabel(tr("&Type the keyword to find:"), tab);
    m_keyword = new QLineEdit(tab);
    m_keyword->setObjectName(QStringLiteral("helpIndexWord"));
    caption->setBuddy(m_keyword);
    m_index = new QListWidget(tab);
    m_index->setObjectName(QStringLiteral("helpIndex"));
    m_index->setAccessibleName(tr("Index"));
    connect(m_keyword, &QLineEdit::textChanged, this, &HelpWindow::lookUpKeyword);
    connect(m_keyword, &QLineEdit::returnPressed, this,
            [this] { showEntry(m_index->currentItem()); });
    connect(m_index, &QListWidget::itemClicked, this, &HelpWindow::showEntry);
    connect(m_index, &QListWidget::itemActivated, this, &HelpWindow::showEntry);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(caption);
    layout->addWidget(m_keyword);
    layout->addWidget(m_index, 1);
    return tab;
}

QWidget* HelpWindow::buildSearchTab()
{
    auto* tab = new QWidget;
    auto* caption = new QLabel(tr("&Words to search for:"), tab);
    m_query = new QLineEdit(tab);
    m_query->setObjectName(QStringLiteral("helpSearchWords"));
    caption->setBuddy(m_query);
    auto* go = new QPushButton(tr("Search"), tab);
    go->setObjectName(QStringLiteral("helpSearchButton"));
    go->setAutoDefault(false);
    m_results = new QListWidget(tab);
    m_results->setObjectName(QStringLiteral("helpResults"));
    m_results->setAccessibleName(tr("Pages found"));
    connect(m_query, &QLineEdit::returnPressed, this, &HelpWindow::search);
    connect(go, &QPushButton::clicked, this, &HelpWindow::search);
    connect(m_results, &QListWidget::itemClicked, this, &HelpWindow::showEntry);
    connect(m_results, &QListWidget::itemActivated, this, &HelpWindow::showEntry);
    auto* row = new QHBoxLayout;
    row->addWidget(m_query, 1);
    row->addWidget(go);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(caption);
    layout->addLayout(row);
    layout->addWidget(m_results, 1);
    return tab;
}

void HelpWindow::addTopics(const std::vector<HelpTopic>& topics, QTreeWidgetItem* parent)
{
    for (const HelpTopic& topic : topics) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_contents);
        item->setText(0, topic.title.isEmpty() ? topic.local : topic.title);
        if (!topic.local.isEmpty())
            item->setData(0, topicRole, pageUrl(topic.local));
        addTopics(topic.children, item);
    }
}

void HelpWindow::addKeywords(const std::vector<HelpTopic>& keywords, const QString& parentWord)
{
    // A sub-keyword is listed under its own words after its parent's, so it sorts beside it.
    for (const HelpTopic& keyword : keywords) {
        const QString word = parentWord.isEmpty()
                                 ? keyword.title
                                 : parentWord + QStringLiteral(", ") + keyword.title;
        if (!keyword.local.isEmpty()) {
            auto* item = new QListWidgetItem(word, m_index);
            item->setData(topicRole, pageUrl(keyword.local));
        }
        addKeywords(keyword.children, word);
    }
}

void HelpWindow::showTopic(QTreeWidgetItem* item)
{
    const QUrl page = item ? item->data(0, topicRole).toUrl() : QUrl();
    if (page.isEmpty()) // a heading without a page of its own
        return;
    m_page->setSource(page);
}

void HelpWindow::showEntry(QListWidgetItem* item)
{
    const QUrl page = item ? item->data(topicRole).toUrl() : QUrl();
    if (page.isEmpty()) // the line saying that nothing was found
        return;
    m_page->setSource(page);
    if (item->data(foundRole).toBool())
        highlight(m_highlighted);
}

void HelpWindow::markTopic(const QUrl& page)
{
    // Marks found on one page mean nothing on the next.
    m_page->setExtraSelections({});
    // The entry for the exact place if there is one, else the entry for the page.
    QTreeWidgetItem* pageEntry = nullptr;
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
        const QUrl entry = (*it)->data(0, topicRole).toUrl();
        if (entry == page) {
            m_contents->setCurrentItem(*it);
            return;
        }
        if (!pageEntry && !entry.hasFragment() && entry.matches(page, QUrl::RemoveFragment))
            pageEntry = *it;
    }
    if (pageEntry)
        m_contents->setCurrentItem(pageEntry);
}

void HelpWindow::lookUpKeyword(const QString& typed)
{
    if (typed.isEmpty())
        return;
    // The first keyword that starts with what was typed, else the first that contains it.
    for (const bool start : {true, false}) {
        for (int row = 0; row < m_index->count(); ++row) {
            const QString word = m_index->item(row)->text();
            if (start ? word.startsWith(typed, Qt::CaseInsensitive)
                      : word.contains(typed, Qt::CaseInsensitive)) {
                m_index->setCurrentRow(row);
                m_index->scrollToItem(m_index->item(row), QAbstractItemView::PositionAtTop);
                return;
            }
        }
    }
}

void HelpWindow::search()
{
    m_results->clear();
    m_highlighted = HelpSearch::words(m_query->text());
    if (m_highlighted.isEmpty())
        return;
    const QList<HelpSearch::Hit> hits = m_search->find(m_query->text());
    for (const HelpSearch::Hit& hit : hits) {
        auto* item =
            new QListWidgetItem(QStringLiteral("%1 (%2)").arg(hit.title).arg(hit.count), m_results);
        item->setData(topicRole, pageUrl(hit.path));
        item->setData(foundRole, true);
    }
    if (hits.isEmpty()) {
        auto* none = new QListWidgetItem(tr("No page holds all of these words."), m_results);
        none->setFlags(Qt::ItemIsEnabled);
        return;
    }
    m_results->setCurrentRow(0);
}

void HelpWindow::highlight(const QStringList& words)
{
    QTextCharFormat marked;
    marked.setBackground(QColor(0xFF, 0xE0, 0x60));
    marked.setForeground(Qt::black);
    QList<QTextEdit::ExtraSelection> marks;
    QTextCursor first;
    QTextDocument* document = m_page->document();
    for (const QString& word : words) {
        for (QTextCursor at = document->find(word); !at.isNull(); at = document->find(word, at)) {
            marks.append({at, marked});
            if (first.isNull() || at.selectionStart() < first.selectionStart())
                first = at;
        }
    }
    m_page->setExtraSelections(marks);
    if (!first.isNull()) { // the first hit in view
        first.setPosition(first.selectionStart());
        m_page->setTextCursor(first);
        m_page->ensureCursorVisible();
    }
}

void HelpWindow::showFailure(const QString& helpFile)
{
    m_navigation->setEnabled(false);
    const QString path = QDir::toNativeSeparators(QFileInfo(helpFile).absoluteFilePath());
    m_page->setHtml(messagePage(
        tr("The help file could not be opened"),
        tr("The help file <b>%1</b> is missing or damaged, so the help cannot be shown. "
           "It belongs in the program folder next to the program; installing the program "
           "again restores it.")
            .arg(path.toHtmlEscaped())));
}

} // namespace tavirel::app
