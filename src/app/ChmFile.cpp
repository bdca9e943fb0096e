#include "ChmFile.h"

#include <chm_lib.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

namespace tavirel::app {

namespace {

// Codes of the records in the compiler's "/#SYSTEM" object.
constexpr int systemContentsFile = 0;
constexpr int systemIndexFile = 1;
constexpr int systemDefaultTopic = 2;

QString decodeText(const QByteArray& bytes)
{
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    if (!decoder.isValid()) // a code page this Qt cannot decode: keep the bytes readable
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QString decodeEntities(const QString& text)
{
    if (!text.contains(u'&'))
        return text;
    static const QRegularExpression entity(
        QStringLiteral("&(#[0-9]+|#[xX][0-9a-fA-F]+|[a-zA-Z]+);"));
    QString result;
    qsizetype last = 0;
    for (auto it = entity.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result += QStringView(text).mid(last, match.capturedStart() - last);
        last = match.capturedEnd();
        const QString name = match.captured(1);
        if (name.startsWith(u'#')) {
            bool ok = false;
            const uint code = name.startsWith(QLatin1String("#x"), Qt::CaseInsensitive)
                                  ? name.mid(2).toUInt(&ok, 16)
                                  : name.mid(1).toUInt(&ok, 10);
            if (ok && code > 0 && code <= 0x10FFFF) {
                const char32_t character = code;
                result += QString::fromUcs4(&character, 1);
                continue;
            }
        } else if (name == QLatin1String("amp")) {
            result += u'&';
            continue;
        } else if (name == QLatin1String("lt")) {
            result += u'<';
            continue;
        } else if (name == QLatin1String("gt")) {
            result += u'>';
            continue;
        } else if (name == QLatin1String("quot")) {
            result += u'"';
            continue;
        } else if (name == QLatin1String("apos")) {
            result += u'\'';
            continue;
        } else if (name == QLatin1String("nbsp")) {
            result += QChar(0xA0);
            continue;
        }
        result += match.captured(0); // unknown: left as written
    }
    result += QStringView(text).mid(last);
    return result;
}

QString attribute(const QString& attributes, const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral(
        R"re(([A-Za-z_:][-A-Za-z0-9_:.]*)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s"'>]+)))re"));
    for (auto it = pattern.globalMatch(attributes); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.captured(1).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        for (int group = 2; group <= 4; ++group) {
            if (match.capturedStart(group) >= 0)
                return decodeEntities(match.captured(group));
        }
    }
    return {};
}

// Drops a "#place" from a page reference. The compiler's own objects ("/#SYSTEM") start with
// "#", so only a "#" inside a name starts a place.
QString withoutPlace(const QString& path)
{
    for (qsizetype i = 1; i < path.size(); ++i) {
        if (path[i] == u'#' && path[i - 1] != u'/')
            return path.left(i);
    }
    return path;
}

struct Collected
{
    QStringList paths;
    QSet<QString> seen;
};

// A damaged directory can lead the walk round in a circle: the first name met twice ends it.
int collectFile(chmFile*, chmUnitInfo* info, void* context)
{
    auto* collected = static_cast<Collected*>(context);
    const QString path = QString::fromUtf8(info->path);
    if (collected->seen.contains(path))
        return CHM_ENUMERATOR_SUCCESS;
    collected->seen.insert(path);
    collected->paths.append(path);
    return CHM_ENUMERATOR_CONTINUE;
}

template <typename T> T little(const QByteArray& bytes, qsizetype at)
{
    T value = 0;
    for (qsizetype i = qsizetype(sizeof(T)) - 1; i >= 0; --i)
        value = T(value << 8) | T(quint8(bytes.at(at + i)));
    return value;
}

// The walk through the file's directory follows each listing block to the next one; a damaged
// file whose blocks lead round in a circle would keep the reader walking for ever. True when the
// chain from the first block ends, every block of it inside the directory, none met twice.
bool directoryEnds(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(0x58);
    if (header.size() < 0x58 || !header.startsWith("ITSF"))
        return false;
    const quint64 directory = little<quint64>(header, 0x48);
    if (!file.seek(qint64(directory)))
        return false;
    const QByteArray listing = file.read(0x2C);
    if (listing.size() < 0x2C || !listing.startsWith("ITSP"))
        return false;
    const quint32 headerLength = little<quint32>(listing, 0x08);
    const quint32 blockLength = little<quint32>(listing, 0x10);
    const qint32 first = little<qint32>(listing, 0x20);
    const quint32 blocks = little<quint32>(listing, 0x28);
    QSet<qint32> visited;
    for (qint32 block = first; block != -1;) {
        if (block < 0 || quint32(block) >= blocks || visited.contains(block))
            return false;
        visited.insert(block);
        const quint64 at = directory + headerLength + quint64(block) * blockLength;
        if (!file.seek(qint64(at)))
            return false;
        const QByteArray chunk = file.read(20);
        if (chunk.size() < 20 || !chunk.startsWith("PMGL"))
            return false;
        block = little<qint32>(chunk, 16);
    }
    return true;
}

} // namespace

void ChmFile::Closer::operator()(chmFile* handle) const
{
    chm_close(handle);
}

ChmFile::ChmFile(const QString& fileName)
    : m_fileName(fileName), m_handle(chm_open(QFile::encodeName(fileName).constData())),
      m_directoryEnds(m_handle && directoryEnds(fileName))
{
}

ChmFile::~ChmFile() = default;

QString ChmFile::normalisePath(const QString& path)
{
    QString result = path.trimmed();
    // A fully qualified reference names the page after "::".
    const qsizetype separator = result.indexOf(QLatin1String("::"));
    if (separator >= 0)
        result = result.mid(separator + 2);
    result.replace(u'\\', u'/');
    if (!result.startsWith(u'/'))
        result.prepend(u'/');
    return result;
}

bool ChmFile::contains(const QString& path) const
{
    if (!m_handle)
        return false;
    const QString bare = normalisePath(withoutPlace(path));
    chmUnitInfo info{};
    return chm_resolve_object(m_handle.get(), bare.toUtf8().constData(), &info) ==
           CHM_RESOLVE_SUCCESS;
}

std::optional<QByteArray> ChmFile::read(const QString& path) const
{
    if (!m_handle)
        return std::nullopt;
    const QString bare = normalisePath(withoutPlace(path));
    chmUnitInfo info{};
    if (chm_resolve_object(m_handle.get(), bare.toUtf8().constData(), &info) != CHM_RESOLVE_SUCCESS)
        return std::nullopt;
    // A damaged file can claim any length; refuse what cannot be a help page or picture.
    constexpr LONGUINT64 largest = 64 * 1024 * 1024;
    if (info.length > largest)
        return std::nullopt;
    QByteArray data(qsizetype(info.length), Qt::Uninitialized);
    LONGUINT64 done = 0;
    while (done < info.length) {
        const LONGINT64 got = chm_retrieve_object(
            m_handle.get(), &info, reinterpret_cast<unsigned char*>(data.data()) + done, done,
            LONGINT64(info.length - done));
        if (got <= 0)
            return std::nullopt;
        done += LONGUINT64(got);
    }
    return data;
}

QStringList ChmFile::files() const
{
    Collected collected;
    if (m_handle && m_directoryEnds)
        chm_enumerate(m_handle.get(), CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collectFile,
                      &collected);
    QStringList result;
    for (const QString& path : std::as_const(collected.paths)) {
        if (path.startsWith(u'/') && !path.startsWith(QLatin1String("/#")) &&
            !path.startsWith(QLatin1String("/$")))
            result.append(path);
    }
    return result;
}

QString ChmFile::systemEntry(int code) const
{
    const std::optional<QByteArray> system = read(QStringLiteral("/#SYSTEM"));
    if (!system)
        return {};
    const auto* bytes = reinterpret_cast<const unsigned char*>(system->constData());
    const qsizetype size = system->size();
    qsizetype pos = 4; // after the format version
    while (pos + 4 <= size) {
        const int entryCode = bytes[pos] | (bytes[pos + 1] << 8);
        const qsizetype length = bytes[pos + 2] | (bytes[pos + 3] << 8);
        pos += 4;
        if (pos + length > size)
            break;
        if (entryCode == code) {
            QByteArray value(system->constData() + pos, length);
            const qsizetype end = value.indexOf('\0');
            if (end >= 0)
                value.truncate(end);
            return QString::fromUtf8(value).trimmed();
        }
        pos += length;
    }
    return {};
}

QString ChmFile::contentsFile() const
{
    if (!m_handle)
        return {};
    const QString named = systemEntry(systemContentsFile);
    if (!named.isEmpty() && contains(named))
        return normalisePath(named);
    for (const QString& path : files()) {
        if (path.endsWith(QLatin1String(".hhc"), Qt::CaseInsensitive))
            return path;
    }
    return {};
}

QString ChmFile::indexFile() const
{
    if (!m_handle)
        return {};
    const QString named = systemEntry(systemIndexFile);
    if (!named.isEmpty() && contains(named))
        return normalisePath(named);
    for (const QString& path : files()) {
        if (path.endsWith(QLatin1String(".hhk"), Qt::CaseInsensitive))
            return path;
    }
    return {};
}

std::vector<HelpTopic> ChmFile::index() const
{
    const QString file = indexFile();
    if (file.isEmpty())
        return {};
    const std::optional<QByteArray> text = read(file);
    return text ? parseSitemap(*text) : std::vector<HelpTopic>{};
}

std::vector<HelpTopic> ChmFile::contents() const
{
    const QString file = contentsFile();
    if (file.isEmpty())
        return {};
    const std::optional<QByteArray> text = read(file);
    return text ? parseSitemap(*text) : std::vector<HelpTopic>{};
}

QString ChmFile::defaultPage() const
{
    if (!m_handle)
        return {};
    const QString named = systemEntry(systemDefaultTopic);
    if (!named.isEmpty() && contains(named))
        return normalisePath(named);
    const QString index = QStringLiteral("/index.html");
    if (contains(index))
        return index;
    // No start page named: the first page of the contents, else the first page held.
    std::vector<HelpTopic> topics = contents();
    while (!topics.empty()) {
        if (!topics.front().local.isEmpty())
            return topics.front().local;
        topics = std::move(topics.front().children);
    }
    for (const QString& path : files()) {
        if (path.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
            path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
            return path;
    }
    return {};
}

std::vector<HelpTopic> ChmFile::parseSitemap(const QByteArray& bytes)
{
    QString text = decodeText(bytes);
    static const QRegularExpression comment(QStringLiteral("<!--.*?-->"),
                                            QRegularExpression::DotMatchesEverythingOption);
    text.remove(comment);
    static const QRegularExpression tag(
        QStringLiteral(R"re(<(/?)([A-Za-z]+)((?:[^>"']|"[^"]*"|'[^']*')*)>)re"));

    std::vector<HelpTopic> root;
    // The lists being filled, innermost last. Only the innermost one grows, so the pointers
    // to the outer ones stay valid.
    std::vector<std::vector<HelpTopic>*> levels{&root};
    bool inTopic = false;
    HelpTopic topic;

    for (auto it = tag.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const bool closing = !match.captured(1).isEmpty();
        const QString name = match.captured(2).toLower();
        const QString attributes = match.captured(3);
        if (name == QLatin1String("ul")) {
            if (!closing) {
                std::vector<HelpTopic>* current = levels.back();
                // A list straight after an entry holds its children; a stray list keeps the level.
                levels.push_back(current->empty() ? current : &current->back().children);
            } else if (levels.size() > 1) {
                levels.pop_back();
            }
        } else if (name == QLatin1String("object")) {
            if (!closing) {
                inTopic = attribute(attributes, QStringLiteral("type"))
                              .compare(QLatin1String("text/sitemap"), Qt::CaseInsensitive) == 0;
                topic = HelpTopic{};
            } else if (inTopic) {
                inTopic = false;
                if (!topic.title.isEmpty() || !topic.local.isEmpty())
                    levels.back()->push_back(std::move(topic));
            }
        } else if (name == QLatin1String("param") && inTopic && !closing) {
            const QString key = attribute(attributes, QStringLiteral("name"));
            const QString value = attribute(attributes, QStringLiteral("value"));
            // Only the first name and page count: an entry may list several of each.
            if (key.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0) {
                if (topic.title.isEmpty())
                    topic.title = value.trimmed();
            } else if (key.compare(QLatin1String("Local"), Qt::CaseInsensitive) == 0) {
                if (topic.local.isEmpty() && !value.trimmed().isEmpty())
                    topic.local = normalisePath(value);
            }
        }
    }
    return root;
}

} // namespace tavirel::app
