#include "HelpWindow.h"

#include "CenterForm.h"
#include "ChmFile.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSplitter>
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

HelpWindow::HelpWindow(const QString& helpFile, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Tavirel 1.0 Help"));
    setProperty("helpFile", helpFile);

    auto file = std::make_unique<ChmFile>(helpFile);
    const std::vector<HelpTopic> topics = file->contents();
    const QString start = file->defaultPage();
    const bool readable = file->isOpen() && !start.isEmpty() && file->read(start).has_value();

    m_back = new QPushButton(tr("Back"), this);
    m_back->setObjectName(QStringLiteral("helpBack"));
    m_back->setEnabled(false);
    m_forward = new QPushButton(tr("Forward"), this);
    m_forward->setObjectName(QStringLiteral("helpForward"));
    m_forward->setEnabled(false);
    for (QPushButton* button : {m_back, m_forward})
        button->setAutoDefault(false); // Enter in the contents must not press them

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    m_contents = new QTreeWidget(splitter);
    m_contents->setObjectName(QStringLiteral("helpContents"));
    m_contents->setHeaderHidden(true);
    m_contents->setColumnCount(1);
    m_page = new HelpBrowser(std::move(file), splitter);
    m_page->setObjectName(QStringLiteral("helpPage"));
    splitter->addWidget(m_contents);
    splitter->addWidget(m_page);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({230, 570});

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

    resize(820, 600);
    CenterForm(this);

    if (!readable) {
        showFailure(helpFile);
        return;
    }
    addTopics(topics, nullptr);
    m_contents->expandToDepth(0);
    m_page->setSource(pageUrl(start));
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

void HelpWindow::showTopic(QTreeWidgetItem* item)
{
    const QUrl page = item ? item->data(0, topicRole).toUrl() : QUrl();
    if (page.isEmpty()) // a heading without a page of its own
        return;
    m_page->setSource(page);
}

void HelpWindow::markTopic(const QUrl& page)
{
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

void HelpWindow::showFailure(const QString& helpFile)
{
    m_contents->setEnabled(false);
    const QString path = QDir::toNativeSeparators(QFileInfo(helpFile).absoluteFilePath());
    m_page->setHtml(messagePage(
        tr("The help file could not be opened"),
        tr("The help file <b>%1</b> is missing or damaged, so the help cannot be shown. "
           "It belongs in the program folder next to the program; installing the program "
           "again restores it.")
            .arg(path.toHtmlEscaped())));
}

} // namespace tavirel::app
