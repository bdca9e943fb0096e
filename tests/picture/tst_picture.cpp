#include "Builder.h"
#include "app/AppContext.h"
#include "app/Buttons.h"
#include "app/CenterForm.h"
#include "app/MessageBox.h"
#include "data/DataStore.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "data/Statement.h"
#include "picture/PictureWindow.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>

using tavirel::app::MessageBox;
using tavirel::picture::PictureWindow;
using tavirel::test::control;

namespace {

int px(int twips)
{
    return qRound(twips / 15.0);
}

const QSize designClient(px(5310), px(3585));
const QRect exitDesignPlace(px(3720), px(3000), px(1095), px(300));
const QString sorry =
    QStringLiteral("Sorry! Tavirel 1.0 do not include the informations of the herb.");

struct Photo
{
    QString picno;
    QSize size;
    const char* format;
};

// A program folder built from the picture fixture, its databases open. Photos made here replace
// the drawn plates of chosen herbs, so pictures of any size and format are stored for real.
class PictureProgram
{
public:
    PictureProgram(int plateWidth, const QList<Photo>& photos)
        : m_context{m_dir.path(), m_store, {}, {}}
    {
        const QDir dir(m_dir.path());
        dir.mkdir(QStringLiteral("photos"));
        for (const Photo& photo : photos) {
            QImage image(photo.size, QImage::Format_RGB32);
            image.fill(QColor(0x8a, 0x9a, 0x5b));
            if (!image.save(dir.filePath(QStringLiteral("photos/%1.jpg").arg(photo.picno)),
                            photo.format))
                m_error = QStringLiteral("can not write the photo %1").arg(photo.picno);
        }
        tavirel::databuild::BuildRequest request;
        request.dataFolder = QStringLiteral(TAVIREL_FIXTURES "/picture-plates");
        request.outFolder = dir.filePath(QStringLiteral("program"));
        request.mode = tavirel::databuild::ContentLoader::Mode::Lenient;
        request.pictures.plateWidth = plateWidth;
        request.pictures.photosFolder = dir.filePath(QStringLiteral("photos"));
        request.sound = false;
        QStringList errors;
        if (!tavirel::databuild::build(request, &errors))
            m_error += errors.join(QLatin1Char('\n'));
        else if (!m_store.open(request.outFolder))
            m_error = m_store.errorString();
        m_context.programFolder = request.outFolder;
    }

    QString error() const { return m_error; }
    tavirel::app::AppContext& context() { return m_context; }
    QString file(const QString& name) const { return QDir(m_context.programFolder).filePath(name); }
    QString temporaryFile() const { return file(QStringLiteral("Image2.bmp")); }

    // The size of the picture stored under a picture number, read straight from the file.
    QSize storedSize(const QString& picno) const
    {
        tavirel::data::Database db;
        if (!db.open(file(tavirel::data::schema::picFileName),
                     tavirel::data::Database::Mode::ReadOnly, tavirel::data::schema::picPassword))
            return {};
        return QImage::fromData(db.scalar(QStringLiteral("SELECT Image FROM images WHERE Name = ?"),
                                          {picno + QStringLiteral(".jpg")})
                                    .toByteArray())
            .size();
    }

    // Opens the window as a browser would after picking a herb.
    std::unique_ptr<PictureWindow> open(const QString& picno, qint16 source = 0)
    {
        auto& values = m_context.values;
        values.pictureNumber = picno;
        values.pictureSource = source;
        values.currentHerbName = QStringLiteral("Herb of the herb window");
        values.formulaHerbName = QStringLiteral("Herb of the formula window");
        return std::make_unique<PictureWindow>(m_context);
    }

private:
    QTemporaryDir m_dir;
    tavirel::data::DataStore m_store;
    tavirel::app::AppContext m_context;
    QString m_error;
};

QPoint centredPlace(QSize client)
{
    QWidget probe;
    probe.resize(client);
    tavirel::app::CenterForm(&probe);
    return probe.pos();
}

} // namespace

class TestPicture : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void showsThePictureAtItsOwnSize_data();
    void showsThePictureAtItsOwnSize();
    void failuresLeaveTheDesignSize_data();
    void failuresLeaveTheDesignSize();
    void staleTemporaryFileIsReplaced_data();
    void staleTemporaryFileIsReplaced();
    void screenshots();

private:
    std::unique_ptr<PictureProgram> m_program;
};

void TestPicture::initTestCase()
{
    m_program = std::make_unique<PictureProgram>(
        120, QList<Photo>{{QStringLiteral("0305"), QSize(420, 180), "JPG"},
                          {QStringLiteral("0306"), QSize(60, 30), "PNG"}});
    QVERIFY2(m_program->error().isEmpty(), qPrintable(m_program->error()));
}

void TestPicture::init()
{
    MessageBox::setTestMode(true);
}

void TestPicture::cleanupTestCase()
{
    m_program.reset();
}

void TestPicture::showsThePictureAtItsOwnSize_data()
{
    QTest::addColumn<QString>("picno");
    QTest::addColumn<qint16>("source");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QString>("title");

    const QSize plate = m_program->storedSize(QStringLiteral("0301"));
    QVERIFY(plate.width() == 120 && plate.height() > 120);
    QTest::newRow("drawn plate, from the herb window")
        << QStringLiteral("0301") << qint16(0) << plate
        << QStringLiteral("Herb of the herb window");
    QTest::newRow("drawn plate, from the formula window")
        << QStringLiteral("0301") << qint16(1) << plate
        << QStringLiteral("Herb of the formula window");
    QTest::newRow("apostrophe in the picture number")
        << QStringLiteral("03'04") << qint16(0) << m_program->storedSize(QStringLiteral("03'04"))
        << QStringLiteral("Herb of the herb window");
    QTest::newRow("landscape photograph") << QStringLiteral("0305") << qint16(0) << QSize(420, 180)
                                          << QStringLiteral("Herb of the herb window");
    // Stored PNG bytes under a ".jpg" key, through a file named ".bmp": the content decides.
    // Smaller than the button's inset, so "Exit" starts left of and above the window.
    QTest::newRow("small PNG") << QStringLiteral("0306") << qint16(0) << QSize(60, 30)
                               << QStringLiteral("Herb of the herb window");
}

void TestPicture::showsThePictureAtItsOwnSize()
{
    QFETCH(QString, picno);
    QFETCH(qint16, source);
    QFETCH(QSize, picture);
    QFETCH(QString, title);

    auto window = m_program->open(picno, source);
    QCOMPARE(MessageBox::takeShown().size(), 0);
    QCOMPARE(window->objectName(), QStringLiteral("grph"));
    QCOMPARE(window->windowTitle(), title);
    QVERIFY(
        !(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));

    auto* image = control<QLabel>(window.get(), QStringLiteral("Image1"));
    auto* exit = control<QWidget>(window.get(), QStringLiteral("Command2"));
    QVERIFY(image && exit);
    QCOMPARE(image->pixmap().size(), picture);
    QCOMPARE(image->geometry(), QRect(QPoint(0, 0), picture));
    // "Exit" 1400 twips left of the picture's right edge and 600 twips above its bottom.
    QCOMPARE(exit->parentWidget(), image->parentWidget());
    QCOMPARE(exit->pos() - image->pos(),
             QPoint(picture.width() - px(1400), picture.height() - px(600)));
    QCOMPARE(exit->size(), exitDesignPlace.size());
    QCOMPARE(tavirel::app::buttonCaption(exit), QStringLiteral("Exit"));

    // Centred at the design size, then grown from that top left corner.
    QCOMPARE(window->pos(), centredPlace(designClient));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->pos(), centredPlace(designClient));
    // Outer size = picture + 50 x 400 twips; the client area is that less the frame.
    const QSize outer = picture + QSize(px(50), px(400));
    QCOMPARE(window->outerSize(), outer);
    QTRY_COMPARE(window->frameGeometry().size(), outer);
    const QSize frame = window->frameGeometry().size() - window->size();
    QCOMPARE(window->size(), picture + QSize(px(50), px(400)) - frame);

    QVERIFY(!QFileInfo::exists(m_program->temporaryFile()));
    QTest::mouseClick(exit, Qt::LeftButton);
    QVERIFY(!window->isVisible());
}

void TestPicture::failuresLeaveTheDesignSize_data()
{
    QTest::addColumn<QString>("picno");
    QTest::addColumn<bool>("temporaryFileBlocked");

    QTest::newRow("no picture stored") << QStringLiteral("0302") << false;
    QTest::newRow("damaged bytes") << QStringLiteral("0303") << false;
    QTest::newRow("unknown picture number") << QStringLiteral("9999") << false;
    // A folder of that name can not be deleted, so the picture file can not be written.
    QTest::newRow("temporary file can not be written") << QStringLiteral("0301") << true;
}

void TestPicture::failuresLeaveTheDesignSize()
{
    QFETCH(QString, picno);
    QFETCH(bool, temporaryFileBlocked);

    const QString temporary = m_program->temporaryFile();
    if (temporaryFileBlocked) {
        QVERIFY(QDir().mkpath(temporary + QStringLiteral("/inside")));
    }
    {
        auto window = m_program->open(picno, 1);
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().text, sorry);
        QCOMPARE(shown.first().icon, MessageBox::Icon::Information);
        QCOMPARE(shown.first().buttons, MessageBox::Buttons::Ok);

        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(window->windowTitle(), QStringLiteral("Herb of the formula window"));
        QCOMPARE(window->size(), designClient);
        QCOMPARE(window->pos(), centredPlace(designClient));
        QVERIFY(!window->outerSize().isValid());
        auto* image = control<QLabel>(window.get(), QStringLiteral("Image1"));
        auto* exit = control<QWidget>(window.get(), QStringLiteral("Command2"));
        QVERIFY(image && exit);
        QVERIFY(image->pixmap().isNull());
        QCOMPARE(QRect(exit->mapTo(window.get(), QPoint(0, 0)), exit->size()), exitDesignPlace);
        QTest::mouseClick(exit, Qt::LeftButton);
        QVERIFY(!window->isVisible());
    }
    if (temporaryFileBlocked) {
        QVERIFY(QFileInfo(temporary).isDir()); // what is not ours stays
        QVERIFY(QDir(temporary).removeRecursively());
    }
    QVERIFY(!QFileInfo::exists(temporary));

    // The next opening starts afresh.
    auto next = m_program->open(QStringLiteral("0301"));
    QCOMPARE(MessageBox::takeShown().size(), 0);
    QCOMPARE(control<QLabel>(next.get(), QStringLiteral("Image1"))->pixmap().size(),
             m_program->storedSize(QStringLiteral("0301")));
}

void TestPicture::staleTemporaryFileIsReplaced_data()
{
    QTest::addColumn<QString>("picno");
    QTest::addColumn<bool>("shown");

    QTest::newRow("picture shown") << QStringLiteral("0301") << true;
    QTest::newRow("damaged picture") << QStringLiteral("0303") << false;
    QTest::newRow("no picture stored") << QStringLiteral("0302") << false;
}

void TestPicture::staleTemporaryFileIsReplaced()
{
    QFETCH(QString, picno);
    QFETCH(bool, shown);

    QFile stale(m_program->temporaryFile());
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray(100000, 'x')); // longer than the picture: no leftover tail decodes
    stale.close();

    auto window = m_program->open(picno);
    QCOMPARE(MessageBox::takeShown().size(), shown ? 0 : 1);
    QCOMPARE(control<QLabel>(window.get(), QStringLiteral("Image1"))->pixmap().isNull(), !shown);
    QVERIFY(!QFileInfo::exists(m_program->temporaryFile()));
}

void TestPicture::screenshots()
{
    const QString folder = qEnvironmentVariable("TAVIREL_SHOTS");
    if (folder.isEmpty())
        QSKIP("set TAVIREL_SHOTS to a folder to save screenshots");
    PictureProgram program(420, {});
    QVERIFY2(program.error().isEmpty(), qPrintable(program.error()));
    QDir().mkpath(folder);

    auto plate = program.open(QStringLiteral("0301"));
    plate->setWindowTitle(QStringLiteral("Dang Gui"));
    plate->show();
    QVERIFY(QTest::qWaitForWindowExposed(plate.get()));
    QVERIFY(plate->grab().save(QDir(folder).filePath(QStringLiteral("grph.png"))));

    auto missing = program.open(QStringLiteral("0302"));
    missing->show();
    QVERIFY(QTest::qWaitForWindowExposed(missing.get()));
    QVERIFY(missing->grab().save(QDir(folder).filePath(QStringLiteral("grph-missing.png"))));
}

QTEST_MAIN(TestPicture)
#include "tst_picture.moc"
