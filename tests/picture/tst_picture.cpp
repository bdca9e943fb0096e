#include "Builder.h"
#include "app/AppContext.h"
#include "app/CenterForm.h"
#include "app/MessageBox.h"
#include "data/DataStore.h"
#include "picture/PictureWindow.h"
#include "support/TestSupport.h"
#include "support/WidgetHelpers.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>

using tavirel::app::MessageBox;
using tavirel::picture::PictureWindow;
using namespace tavirel::test;

namespace {

// Sizes as the window was drawn, in twips: 15 to a pixel at 96 dpi.
const auto px = [](int twips) { return qRound(twips / 15.0); };
const QSize designClient(px(5310), px(3585));
const QString herbWindow = "Herb of the herb window";
const QString formulaWindow = "Herb of the formula window";
const QString sorry = "Sorry! Tavirel 1.0 do not include the informations of the herb.";
const QSize landscape(420, 180);
const QSize small(60, 30);
enum Leftover { Nothing, StaleFile, Folder };

// A program folder built from the picture fixture, its databases open. Two photos made here
// replace drawn plates, so a JPEG and a PNG of chosen sizes are stored for real.
class PictureProgram
{
public:
    PictureProgram() : m_context{{}, m_store, {}, {}}
    {
        const QDir dir(m_dir.path());
        QImage photo(landscape, QImage::Format_RGB32);
        photo.fill(QColor(0x8a, 0x9a, 0x5b));
        if (!dir.mkdir("photos") || !photo.save(dir.filePath("photos/0305.jpg"), "JPG") ||
            !photo.scaled(small).save(dir.filePath("photos/0306.jpg"), "PNG"))
            m_error = "can not write the photos";
        tavirel::databuild::BuildRequest request;
        request.dataFolder = TAVIREL_FIXTURES "/picture-plates";
        request.outFolder = m_context.programFolder = dir.filePath("program");
        request.mode = tavirel::databuild::ContentLoader::Mode::Lenient;
        request.pictures.plateWidth = 120;
        request.pictures.photosFolder = dir.filePath("photos");
        request.sound = false;
        QStringList errors;
        if (!tavirel::databuild::build(request, &errors))
            m_error += errors.join('\n');
        else if (!m_store.open(request.outFolder))
            m_error = m_store.errorString();
    }

    QString error() const { return m_error; }
    QString temporaryFile() const { return m_context.programFolder + "/Image2.bmp"; }

    // What an earlier run left under the temporary file's name, longer than any picture here
    // so that no leftover tail of it could decode.
    bool leaveStaleFile() const
    {
        QFile stale(temporaryFile());
        return stale.open(QIODevice::WriteOnly) && stale.write(QByteArray(100000, 'x')) == 100000;
    }

    // The size of the picture stored under a picture number.
    QSize storedSize(const QString& picno)
    {
        const QVariant bytes =
            m_store.picConn().scalar("SELECT Image FROM images WHERE Name = ?", {picno + ".jpg"});
        return QImage::fromData(bytes.toByteArray()).size();
    }

    // Opens the window as a browser would after picking a herb.
    std::unique_ptr<PictureWindow> open(const QString& picno, qint16 source = 0)
    {
        m_context.values.pictureNumber = picno;
        m_context.values.pictureSource = source;
        m_context.values.currentHerbName = herbWindow;
        m_context.values.formulaHerbName = formulaWindow;
        return std::make_unique<PictureWindow>(m_context);
    }

private:
    QTemporaryDir m_dir;
    tavirel::data::DataStore m_store;
    tavirel::app::AppContext m_context;
    QString m_error;
};

} // namespace

class TestPicture : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init() { MessageBox::setTestMode(true); }
    void opensAtThePictureSizeOrTheDesignSize_data();
    void opensAtThePictureSizeOrTheDesignSize();

private:
    std::unique_ptr<PictureProgram> m_program;
};

void TestPicture::initTestCase()
{
    m_program = std::make_unique<PictureProgram>();
    QVERIFY2(m_program->error().isEmpty(), qPrintable(m_program->error()));
}

void TestPicture::opensAtThePictureSizeOrTheDesignSize_data()
{
    QTest::addColumn<QString>("picno");
    QTest::addColumn<qint16>("source");
    QTest::addColumn<int>("leftover");  // under the temporary file's name before opening
    QTest::addColumn<QSize>("picture"); // none when the message is due

    const QSize plate = m_program->storedSize("0301");
    QVERIFY(plate.width() == 120 && plate.height() > 120);
    QTest::newRow("drawn plate, from the herb window")
        << "0301" << qint16(0) << int(Nothing) << plate;
    QTest::newRow("drawn plate, from the formula window, a stale file")
        << "0301" << qint16(1) << int(StaleFile) << plate;
    QTest::newRow("apostrophe in the picture number")
        << "03'04" << qint16(0) << int(StaleFile) << m_program->storedSize("03'04");
    QTest::newRow("landscape photograph") << "0305" << qint16(0) << int(StaleFile) << landscape;
    // PNG bytes stored under a ".jpg" key, through a file named ".bmp": the content decides.
    // Smaller than the button's inset, so "Exit" starts left of and above the window.
    QTest::newRow("small PNG") << "0306" << qint16(0) << int(StaleFile) << small;
    QTest::newRow("no picture stored") << "0302" << qint16(1) << int(StaleFile) << QSize();
    QTest::newRow("damaged bytes") << "0303" << qint16(1) << int(StaleFile) << QSize();
    QTest::newRow("unknown picture number") << "9999" << qint16(0) << int(Nothing) << QSize();
    // A folder of that name can not be deleted, so the picture can not be written.
    QTest::newRow("temporary file can not be written")
        << "0301" << qint16(1) << int(Folder) << QSize();
}

void TestPicture::opensAtThePictureSizeOrTheDesignSize()
{
    QFETCH(QString, picno);
    QFETCH(qint16, source);
    QFETCH(int, leftover);
    QFETCH(QSize, picture);
    const QString temporary = m_program->temporaryFile();
    if (leftover == StaleFile)
        QVERIFY(m_program->leaveStaleFile());
    else if (leftover == Folder)
        QVERIFY(QDir().mkpath(temporary + "/inside"));
    const bool shown = picture.isValid();
    {
        auto window = m_program->open(picno, source);
        QCOMPARE(shownTexts(), shown ? QStringList() : QStringList{sorry});
        QCOMPARE(window->windowTitle(), source == 1 ? formulaWindow : herbWindow);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        // Centred on the screen by its outer size: the picture's and 50 x 400 twips once it
        // has one, else the design size; never left where the design size had put it.
        const QRect screen = window->screen()->geometry();
        QTRY_VERIFY(qAbs(2 * window->frameGeometry().x() + window->frameGeometry().width() -
                         screen.width()) <= 1 &&
                    qAbs(2 * window->frameGeometry().y() + window->frameGeometry().height() -
                         screen.height()) <= 1);
        const QSize outer = shown ? picture + QSize(px(50), px(400)) : QSize();
        QCOMPARE(window->outerSize(), outer);
        if (shown)
            QTRY_COMPARE(window->frameGeometry().size(), outer);
        else
            QCOMPARE(window->size(), designClient);

        auto* image = control<QLabel>(window.get(), "Image1");
        auto* exit = control<QWidget>(window.get(), "Command2");
        QVERIFY(image && exit);
        QCOMPARE(image->pixmap().isNull() ? QSize() : image->pixmap().size(), picture);
        if (shown)
            QCOMPARE(QRect(image->mapTo(window.get(), QPoint(0, 0)), image->size()),
                     QRect(QPoint(0, 0), picture));
        // "Exit" 1400 twips left of the picture's right edge and 600 twips above its bottom, or
        // at its design place.
        QCOMPARE(
            QRect(exit->mapTo(window.get(), QPoint(0, 0)), exit->size()),
            shown ? QRect(picture.width() - px(1400), picture.height() - px(600), px(1095), px(300))
                  : QRect(px(3720), px(3000), px(1095), px(300)));
        QCOMPARE(QFileInfo::exists(temporary), leftover == Folder); // what is not ours stays
        QTest::mouseClick(exit, Qt::LeftButton);
        QVERIFY(!window->isVisible());
    }
    if (leftover == Folder)
        QVERIFY(QDir(temporary).removeRecursively());

    // The next opening starts afresh.
    auto next = m_program->open("0301");
    QCOMPARE(shownTexts(), QStringList());
    QCOMPARE(control<QLabel>(next.get(), "Image1")->pixmap().size(), m_program->storedSize("0301"));
    QVERIFY(!QFileInfo::exists(temporary));
}

QTEST_MAIN(TestPicture)
#include "tst_picture.moc"
