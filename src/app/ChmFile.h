#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

struct chmFile;

namespace tavirel::app {

// One entry of a help file's contents: the title shown, the page it opens (an absolute path
// inside the help file, possibly with a "#fragment"; empty for a heading without a page) and
// the entries nested under it.
struct HelpTopic
{
    QString title;
    QString local;
    std::vector<HelpTopic> children;
};

// Read access to a compiled help file. The file stays open for the object's lifetime; every
// call on a file that failed to open returns an empty answer instead of failing.
class ChmFile
{
public:
    explicit ChmFile(const QString& fileName);
    ~ChmFile();
    ChmFile(const ChmFile&) = delete;
    ChmFile& operator=(const ChmFile&) = delete;

    bool isOpen() const { return m_handle != nullptr; }
    QString fileName() const { return m_fileName; }

    // Paths are absolute inside the file ("/index.html"); a missing leading "/" is added and
    // a "#fragment" is ignored. Letter case does not matter, as in the file's own directory.
    bool contains(const QString& path) const;
    std::optional<QByteArray> read(const QString& path) const;

    // The user-visible files held, as absolute paths (the compiler's own "#" and "$" entries
    // are left out).
    QStringList files() const;

    QString contentsFile() const;
    std::vector<HelpTopic> contents() const;
    // The keyword index: each keyword with the page it opens, sub-keywords as children.
    QString indexFile() const;
    std::vector<HelpTopic> index() const;
    QString defaultPage() const;

    // Parses sitemap contents text; relative page paths are taken relative to the file root.
    static std::vector<HelpTopic> parseSitemap(const QByteArray& text);
    // Makes an absolute path inside the file from a sitemap or link reference.
    static QString normalisePath(const QString& path);

private:
    struct Closer
    {
        void operator()(chmFile* handle) const;
    };

    QString systemEntry(int code) const;

    QString m_fileName;
    std::unique_ptr<chmFile, Closer> m_handle;
    bool m_directoryEnds = false; // the file's listing can be walked to its end
};

} // namespace tavirel::app
