#include "PictureWindow.h"

#include "PictureFile.h"
#include "app/AppContext.h"
#include "app/Buttons.h"
#include "app/CenterForm.h"
#include "app/MessageBox.h"

#include <QLabel>
#include <QTimer>

namespace tavirel::picture {

namespace {

// Sizes are kept in twips, as the window was drawn: 15 twips to a pixel at 96 dpi.
int px(int twips)
{
    return qRound(twips / 15.0);
}

const QSize designClient(px(5310), px(3585));
const QPoint exitDesignPlace(px(3720), px(3000));
const QSize exitSize(px(1095), px(300));
// Outer size = picture + this (frame and title bar included).
const QSize frameAllowance(px(50), px(400));
// "Exit" sits this far left of the picture's right edge and above its bottom edge.
const QSize exitInset(px(1400), px(600));

const QString noPictureMessage =
    QStringLiteral("Sorry! Tavirel 1.0 do not include the informations of the herb.");

} // namespace

PictureWindow::PictureWindow(app::AppContext& context, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("grph"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Picture"));
    setProperty("helpTopic", QStringLiteral("picture.html"));

    m_picture1 = new QWidget(this);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->setGeometry(QRect(QPoint(0, 0), designClient));
    m_image1 = new QLabel(m_picture1);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setScaledContents(false); // the picture keeps its own size
    m_image1->setGeometry(0, 0, 0, 0);
    m_exit = app::makeButton(m_picture1, QStringLiteral("Command2"), QStringLiteral("Exit"));
    m_exit->setGeometry(QRect(exitDesignPlace, exitSize));
    app::onClick(m_exit, this, [this] { close(); });
    setFixedSize(designClient);

    const app::SharedValues& values = context.values;
    const QString herb =
        values.pictureSource == 1 ? values.formulaHerbName : values.currentHerbName;
    setWindowTitle(herb);
    m_image1->setAccessibleName(herb);
    const QString key = values.pictureNumber + QStringLiteral(".jpg");
    app::CenterForm(this);

    const std::optional<QImage> image =
        readHerbPicture(context.picConn(), context.programFolder, key);
    if (image)
        showPicture(*image);
    else
        app::MessageBox::information(this, noPictureMessage);
}

void PictureWindow::showPicture(const QImage& image)
{
    const QPixmap pixmap = QPixmap::fromImage(image);
    const QSize size = pixmap.size() / pixmap.devicePixelRatio();
    m_image1->setPixmap(pixmap);
    m_image1->setGeometry(QRect(QPoint(0, 0), size));
    m_picture1->setGeometry(QRect(QPoint(0, 0), size));
    m_outerSize = size + frameAllowance;
    fitOuterSize();
    const QRect picture = m_image1->geometry();
    m_exit->move(picture.x() + picture.width() - exitInset.width(),
                 picture.y() + picture.height() - exitInset.height());
    m_exit->raise();
    // Centred at its design size while loading; now that it has the picture's size, centred
    // again so that it grows about the middle of the screen, not from a corner.
    app::CenterForm(this);
}

// Qt sizes a window by its client area; the outer size is reached by taking off the frame the
// window system draws, which is known only once the window exists on screen (none before).
void PictureWindow::fitOuterSize()
{
    if (!m_outerSize.isValid())
        return;
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize client = m_outerSize - frame;
    if (client != size())
        setFixedSize(client.expandedTo(QSize(1, 1)));
}

void PictureWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    fitOuterSize();
    // Some window systems report the frame a moment after showing.
    QTimer::singleShot(0, this, [this] {
        fitOuterSize();
        app::CenterForm(this);
    });
}

} // namespace tavirel::picture
