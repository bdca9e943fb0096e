#pragma once

#include <QString>

class QWidget;

namespace tavirel::app {
struct AppContext;
}

namespace tavirel::picture {

enum class HerbPicture { Opened, NoSuchHerb, NoPictureNumber, EmptyPictureNumber };

// Opens the picture of a herb of the herb table: finds the herb by name, sets PictureNumber and
// PictureSource and shows the picture window over parent. A herb with an empty picture number
// opens nothing; the caller tells the user in its own words.
HerbPicture openHerbPicture(app::AppContext& context, QWidget* parent, const QString& herbName,
                            qint16 pictureSource);

} // namespace tavirel::picture
