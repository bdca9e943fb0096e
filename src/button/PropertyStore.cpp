#include "PropertyStore.h"

#include "SkinButton.h"

#include <QPixmap>

#include <cmath>
#include <limits>

namespace tavirel::button {

PropertyBag::PropertyBag(const QVariantMap& values)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        setValue(it.key(), it.value());
}

bool PropertyBag::contains(const QString& key) const
{
    return m_values.contains(key.toLower());
}

QVariant PropertyBag::value(const QString& key) const
{
    return m_values.value(key.toLower());
}

void PropertyBag::setValue(const QString& key, const QVariant& value)
{
    m_values.insert(key.toLower(), value);
}

void PropertyBag::remove(const QString& key)
{
    m_values.remove(key.toLower());
}

const QStringList& settingKeys()
{
    static const QStringList keys{
        QStringLiteral("BTYPE"), QStringLiteral("TX"),      QStringLiteral("ENAB"),
        QStringLiteral("FONT"),  QStringLiteral("COLTYPE"), QStringLiteral("FOCUSR"),
        QStringLiteral("BCOL"),  QStringLiteral("BCOLO"),   QStringLiteral("FCOL"),
        QStringLiteral("FCOLO"), QStringLiteral("MCOL"),    QStringLiteral("MPTR"),
        QStringLiteral("MICON"), QStringLiteral("PICN"),    QStringLiteral("PICH"),
        QStringLiteral("UMCOL"), QStringLiteral("SOFT"),    QStringLiteral("PICPOS"),
        QStringLiteral("NGREY"), QStringLiteral("FX"),      QStringLiteral("HAND"),
        QStringLiteral("CHECK"), QStringLiteral("VALUE")};
    return keys;
}

namespace {

// Reads typed values out of a bag, remembering the first value that does not fit.
class Reader
{
public:
    explicit Reader(const PropertyBag& bag) : m_bag(bag) {}

    QString error() const { return m_error; }

    qint64 integer(const QString& key, qint64 fallback, qint64 low, qint64 high)
    {
        if (!m_bag.contains(key))
            return fallback;
        const QVariant v = m_bag.value(key);
        bool ok = false;
        qint64 n = 0;
        if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) {
            const double d = v.toDouble();
            ok = std::isfinite(d) && d == std::trunc(d) && std::abs(d) < 1e18;
            n = ok ? qint64(d) : 0;
        } else if (v.typeId() != QMetaType::Bool) {
            n = v.toLongLong(&ok);
        }
        if (!ok || n < low || n > high) {
            fail(key, v, QStringLiteral("a whole number from %1 to %2").arg(low).arg(high));
            return fallback;
        }
        return n;
    }

    int int32(const QString& key, int fallback)
    {
        return int(integer(key, fallback, std::numeric_limits<qint32>::min(),
                           std::numeric_limits<qint32>::max()));
    }

    // Colours are 32-bit values; system colour references are negative when held signed.
    Rgb colour(const QString& key, Rgb fallback)
    {
        const qint64 n = integer(key, qint64(fallback), std::numeric_limits<qint32>::min(),
                                 std::numeric_limits<quint32>::max());
        return Rgb(quint32(n & 0xFFFFFFFFll));
    }

    bool boolean(const QString& key, bool fallback)
    {
        if (!m_bag.contains(key))
            return fallback;
        const QVariant v = m_bag.value(key);
        if (v.typeId() == QMetaType::Bool)
            return v.toBool();
        if (v.typeId() == QMetaType::QString) {
            const QString text = v.toString().trimmed().toLower();
            if (text == u"true" || text == u"-1")
                return true;
            if (text == u"false" || text == u"0")
                return false;
        } else {
            bool ok = false;
            const qint64 n = v.toLongLong(&ok);
            if (ok)
                return n != 0;
        }
        fail(key, v, QStringLiteral("True or False"));
        return fallback;
    }

    QString text(const QString& key, const QString& fallback)
    {
        if (!m_bag.contains(key))
            return fallback;
        const QVariant v = m_bag.value(key);
        if (v.typeId() == QMetaType::QString)
            return v.toString();
        fail(key, v, QStringLiteral("text"));
        return fallback;
    }

    QFont font(const QString& key, const QFont& fallback)
    {
        if (!m_bag.contains(key))
            return fallback;
        const QVariant v = m_bag.value(key);
        if (v.typeId() == QMetaType::QFont)
            return v.value<QFont>();
        QFont parsed;
        if (v.typeId() == QMetaType::QString && parsed.fromString(v.toString()))
            return parsed;
        fail(key, v, QStringLiteral("a font"));
        return fallback;
    }

    // A picture: an image, or the bytes of an image file. An empty value is no picture.
    QImage picture(const QString& key, bool failQuietly = false)
    {
        if (!m_bag.contains(key))
            return {};
        const QVariant v = m_bag.value(key);
        if (!v.isValid() || v.isNull())
            return {};
        if (v.typeId() == QMetaType::QImage)
            return v.value<QImage>();
        if (v.typeId() == QMetaType::QPixmap)
            return v.value<QPixmap>().toImage();
        if (v.typeId() == QMetaType::QByteArray) {
            const QByteArray bytes = v.toByteArray();
            QImage image;
            if (bytes.isEmpty() || image.loadFromData(bytes))
                return image;
        }
        if (!failQuietly)
            fail(key, v, QStringLiteral("a picture"));
        return {};
    }

private:
    void fail(const QString& key, const QVariant& v, const QString& expected)
    {
        if (!m_error.isEmpty())
            return;
        QString shown = v.canConvert<QString>() ? v.toString() : QString::fromLatin1(v.typeName());
        if (shown.size() > 40)
            shown = shown.left(40) + QStringLiteral("...");
        m_error = QStringLiteral("The button setting \"%1\" holds \"%2\", but it must be %3.")
                      .arg(key, shown, expected);
    }

    const PropertyBag& m_bag;
    QString m_error;
};

} // namespace

ReadResult parseSettings(const PropertyBag& bag, Rgb systemFace, Rgb systemText,
                         const QFont& currentFont)
{
    Reader r(bag);
    ButtonSettings s;
    s.buttonType = r.int32(QStringLiteral("BTYPE"), 2);
    s.caption = r.text(QStringLiteral("TX"), QString());
    s.enabled = r.boolean(QStringLiteral("ENAB"), true);
    s.font = r.font(QStringLiteral("FONT"), currentFont);
    s.colorScheme = r.int32(QStringLiteral("COLTYPE"), 1);
    s.showFocusRect = r.boolean(QStringLiteral("FOCUSR"), true);
    s.backColor = r.colour(QStringLiteral("BCOL"), systemFace);
    s.backOver = r.colour(QStringLiteral("BCOLO"), s.backColor);
    s.foreColor = r.colour(QStringLiteral("FCOL"), systemText);
    s.foreOver = r.colour(QStringLiteral("FCOLO"), s.foreColor);
    s.maskColor = r.colour(QStringLiteral("MCOL"), 0xC0C0C0);
    s.mousePointer = qint16(r.integer(QStringLiteral("MPTR"), 0, -32768, 32767));
    s.mouseIcon = r.picture(QStringLiteral("MICON"), true); // an unusable icon is ignored
    s.pictureNormal = r.picture(QStringLiteral("PICN"));
    s.pictureOver = r.picture(QStringLiteral("PICH"));
    s.useMaskColor = r.boolean(QStringLiteral("UMCOL"), true);
    s.softBevel = r.boolean(QStringLiteral("SOFT"), false);
    s.picturePosition = r.int32(QStringLiteral("PICPOS"), 0);
    s.useGreyscale = r.boolean(QStringLiteral("NGREY"), false);
    s.specialEffect = r.int32(QStringLiteral("FX"), 0);
    s.handPointer = r.boolean(QStringLiteral("HAND"), false);
    s.checkBoxBehaviour = r.boolean(QStringLiteral("CHECK"), false);
    s.value = r.boolean(QStringLiteral("VALUE"), false);
    if (!r.error().isEmpty())
        return {std::nullopt, r.error()};
    return {s, QString()};
}

std::optional<QString> readButton(SkinButton& button, const PropertyBag& bag)
{
    const ReadResult result =
        parseSettings(bag, systemColor(button.palette(), colorButtonFace),
                      systemColor(button.palette(), colorButtonText), button.font());
    if (!result.settings)
        return result.error;
    button.ReadProperties(*result.settings);
    return std::nullopt;
}

void writeButton(const SkinButton& button, PropertyBag& bag)
{
    const ButtonSettings s = button.WriteProperties();
    const auto colour = [](Rgb c) { return QVariant(qint32(c)); };
    bag.setValue(QStringLiteral("BTYPE"), s.buttonType);
    bag.setValue(QStringLiteral("TX"), s.caption);
    bag.setValue(QStringLiteral("ENAB"), s.enabled);
    bag.setValue(QStringLiteral("FONT"), s.font);
    bag.setValue(QStringLiteral("COLTYPE"), s.colorScheme);
    bag.setValue(QStringLiteral("FOCUSR"), s.showFocusRect);
    bag.setValue(QStringLiteral("BCOL"), colour(s.backColor));
    bag.setValue(QStringLiteral("BCOLO"), colour(s.backOver));
    bag.setValue(QStringLiteral("FCOL"), colour(s.foreColor));
    bag.setValue(QStringLiteral("FCOLO"), colour(s.foreOver));
    bag.setValue(QStringLiteral("MCOL"), colour(s.maskColor));
    bag.setValue(QStringLiteral("MPTR"), int(s.mousePointer));
    bag.setValue(QStringLiteral("MICON"), s.mouseIcon); // the pointer's icon always exists
    if (!s.pictureNormal.isNull())
        bag.setValue(QStringLiteral("PICN"), s.pictureNormal);
    else
        bag.remove(QStringLiteral("PICN"));
    if (!s.pictureOver.isNull())
        bag.setValue(QStringLiteral("PICH"), s.pictureOver);
    else
        bag.remove(QStringLiteral("PICH"));
    bag.setValue(QStringLiteral("UMCOL"), s.useMaskColor);
    bag.setValue(QStringLiteral("SOFT"), s.softBevel);
    bag.setValue(QStringLiteral("PICPOS"), s.picturePosition);
    bag.setValue(QStringLiteral("NGREY"), s.useGreyscale);
    bag.setValue(QStringLiteral("FX"), s.specialEffect);
    bag.setValue(QStringLiteral("HAND"), s.handPointer);
    bag.setValue(QStringLiteral("CHECK"), s.checkBoxBehaviour);
    bag.setValue(QStringLiteral("VALUE"), s.value);
}

} // namespace tavirel::button
