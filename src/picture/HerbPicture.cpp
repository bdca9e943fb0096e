#include "HerbPicture.h"

#include "PictureWindow.h"
#include "app/AppContext.h"
#include "app/ModalOpener.h"
#include "data/RecordSet.h"

namespace tavirel::picture {

HerbPicture openHerbPicture(app::AppContext& context, QWidget* parent, const QString& herbName,
                            qint16 pictureSource)
{
    data::RecordSet& herbs = context.herbRecords();
    herbs.moveFirst();
    // Only a herb of the herb table has a picture; no other herb's picture stands in for it.
    if (!herbs.findFirst(QStringLiteral("name1"), herbName))
        return HerbPicture::NoSuchHerb;
    const QVariant picno = herbs.value(QStringLiteral("picno"));
    if (picno.isNull())
        return HerbPicture::NoPictureNumber;
    context.values.pictureNumber = picno.toString();
    if (context.values.pictureNumber.isEmpty())
        return HerbPicture::EmptyPictureNumber;
    context.values.pictureSource = pictureSource;
    app::ModalOpener::open(std::make_unique<PictureWindow>(context, parent));
    return HerbPicture::Opened;
}

} // namespace tavirel::picture
