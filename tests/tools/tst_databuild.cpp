#include "Builder.h"
#include "data/Schema.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace tavirel;
namespace schema = data::schema;

namespace {

QByteArray digest(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

void writeJson(const QString& file, const QJsonArray& array)
{
    QDir().mkpath(QFileInfo(file).path());
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(QJsonDocument(array).toJson());
}

QJsonObject herb(const QString& name, const QString& picno)
{
    return {{"name1", name},
            {"name2", "Radix Testi"},
            {"source", QJsonValue()},
            {"used", "Root"},
            {"taste", "Sweet, warm"},
            {"meridians", "Spleen"},
            {"functions", "Tonifies"},
            {"indications", "Fatigue"},
            {"coutions", QJsonValue()},
            {"dosage", "3-9 g"},
            {"kind1", 1},
            {"kind2", 101},
            {"picno", picno},
            {"part", "root"},
            {"colour", "#c8a165"}};
}

QJsonObject formula(const QString& name, const QJsonArray& herbs)
{
    return {
        {"prename", name},          {"prekind1", 1},      {"prekind2", 101},     {"herbs", herbs},
        {"premethod", "Decoction"}, {"prefunction", "F"}, {"preindication", "I"}};
}

} // namespace

class TestDataBuild : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rebuildingNeverTouchesTheOwnDatabase();
    void strictContentRefusesWhatCouldNotBeRead_data();
    void strictContentRefusesWhatCouldNotBeRead();
    void photographsReplaceDrawnPlates();
    void referenceFactsGoToAddedColumns();
};

void TestDataBuild::rebuildingNeverTouchesTheOwnDatabase()
{
    test::ProgramFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errors()));
    const QString own = folder.file(schema::ownFileName);
    {
        data::Database db;
        QVERIFY(db.open(own, data::Database::Mode::ReadWrite));
        QVERIFY(db.exec(QStringLiteral("INSERT INTO ownherb (name1) VALUES ('Kept')")));
    }
    const QByteArray before = digest(own);
    const QByteArray referenceBefore = digest(folder.file(schema::refFileName));

    databuild::BuildRequest request;
    request.dataFolder = QStringLiteral(TAVIREL_FIXTURES "/basic");
    request.outFolder = folder.path();
    request.mode = databuild::ContentLoader::Mode::Lenient;
    request.pictures.plateWidth = 120;
    QStringList errors;
    QVERIFY2(databuild::build(request, &errors), qPrintable(errors.join('\n')));
    request.reference = false; // the "own database only" build
    QVERIFY(databuild::build(request, &errors));

    QCOMPARE(digest(own), before);
    QVERIFY(digest(folder.file(schema::refFileName)) != referenceBefore); // rebuilt, encrypted anew
    QVERIFY(QFile::exists(folder.file(QStringLiteral("Tada.wav"))));
    QCOMPARE(test::columnValues(own, {}, "SELECT name1 FROM ownherb ORDER BY rowid"),
             QStringList({"My Herb", "Kept"}));
}

void TestDataBuild::strictContentRefusesWhatCouldNotBeRead_data()
{
    QTest::addColumn<QJsonArray>("herbs");
    QTest::addColumn<QJsonArray>("formulas");
    QTest::addColumn<QString>("error");

    const QJsonArray two{herb("Ren Shen", "0101"), herb("Gan Cao", "0102")};
    const QJsonObject renShen{{"herb", "Ren Shen"}, {"grams", "9"}};
    QTest::newRow("sound") << two << QJsonArray{formula("Du Shen Tang", {renShen})} << "";
    QTest::newRow("same name ignoring case")
        << QJsonArray{herb("Ren Shen", "0101"), herb("REN SHEN", "0102")} << QJsonArray()
        << "used twice";
    QTest::newRow("comma in a name")
        << QJsonArray{herb("Ren, Shen", "0101")} << QJsonArray() << "comma";
    QTest::newRow("same picno") << QJsonArray{herb("Ren Shen", "0101"), herb("Gan Cao", "0101")}
                                << QJsonArray() << "picno";
    QTest::newRow("unknown herb in a formula")
        << two << QJsonArray{formula("X Tang", {QJsonObject{{"herb", "Huang Qi"}, {"grams", "9"}}})}
        << "unknown herb";
    QTest::newRow("empty dosage") << two
                                  << QJsonArray{formula("X Tang", {QJsonObject{{"herb", "Gan Cao"},
                                                                               {"grams", ""}}})}
                                  << "empty dosage";
    QJsonObject aliased = herb("Ren Shen", "0101");
    aliased.insert("aliases", QJsonArray{"Ginseng; Radix"});
    QTest::newRow("alias holding the separator")
        << QJsonArray{aliased, herb("Gan Cao", "0102")} << QJsonArray() << "alias";
    QTest::newRow("role holding a comma")
        << two
        << QJsonArray{formula("X Tang",
                              {QJsonObject{{"herb", "Gan Cao"}, {"grams", "3"}, {"role", "a,b"}}})}
        << "role";
    QJsonArray many;
    for (int i = 0; i < 41; ++i)
        many.append(renShen);
    QTest::newRow("41 herbs") << two << QJsonArray{formula("Big Tang", many)} << "more than 40";
}

void TestDataBuild::strictContentRefusesWhatCouldNotBeRead()
{
    QFETCH(QJsonArray, herbs);
    QFETCH(QJsonArray, formulas);
    QFETCH(QString, error);
    QTemporaryDir content, out;
    const QJsonArray categories{
        QJsonObject{{"no1", 1},
                    {"kind1", "Tonics"},
                    {"subcategories", QJsonArray{QJsonObject{{"no2", 101}, {"kind2", "Qi"}}}}}};
    writeJson(content.filePath("herbs/categories.json"), categories);
    writeJson(content.filePath("formulas/categories.json"), categories);
    writeJson(content.filePath("herbs/01-test.json"), herbs);
    writeJson(content.filePath("formulas/01-test.json"), formulas);
    // A reference database from an earlier build must survive a refused build.
    QFile earlier(out.filePath(schema::refFileName));
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier build");
    earlier.close();

    databuild::BuildRequest request;
    request.dataFolder = content.path();
    request.outFolder = out.path();
    request.pictures.plateWidth = 120;
    request.sound = false;
    QStringList errors;
    const bool built = databuild::build(request, &errors);
    QCOMPARE(built, error.isEmpty());
    if (built) {
        QCOMPARE(test::columnValues(out.filePath(schema::refFileName), schema::refPassword,
                                    "SELECT precons || '|' || predosage FROM pres"),
                 QStringList({"0101|9"}));
        return;
    }
    QVERIFY2(errors.join('\n').contains(error), qPrintable(errors.join('\n')));
    QVERIFY(QFile::exists(out.filePath(schema::refFileName)));
    QCOMPARE(digest(out.filePath(schema::refFileName)),
             QCryptographicHash::hash("earlier build", QCryptographicHash::Sha256));
}

void TestDataBuild::photographsReplaceDrawnPlates()
{
    QTemporaryDir photos, out;
    QImage photo(64, 48, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    QVERIFY(photo.save(photos.filePath("0101.jpg"), "JPG"));
    QFile photoFile(photos.filePath("0101.jpg"));
    QVERIFY(photoFile.open(QIODevice::ReadOnly));
    const QByteArray photoBytes = photoFile.readAll();

    databuild::BuildRequest request;
    request.dataFolder = QStringLiteral(TAVIREL_FIXTURES "/basic");
    request.outFolder = out.path();
    request.mode = databuild::ContentLoader::Mode::Lenient;
    request.pictures = {photos.path(), 120};
    request.sound = false;
    QStringList errors;
    QVERIFY2(databuild::build(request, &errors), qPrintable(errors.join('\n')));

    data::Database pictures;
    QVERIFY(pictures.open(out.filePath(schema::picFileName), data::Database::Mode::ReadOnly,
                          schema::picPassword));
    QCOMPARE(pictures.scalar("SELECT Image FROM images WHERE Name = ?", {"0101.jpg"}).toByteArray(),
             photoBytes);
    const QImage plate = QImage::fromData(
        pictures.scalar("SELECT Image FROM images WHERE Name = ?", {"0102.jpg"}).toByteArray());
    QCOMPARE(plate.width(), 120);
    // The herb without a picture number has no picture row.
    QCOMPARE(pictures.scalar("SELECT count(*) FROM images").toInt(), 4);
}

// The facts sit in columns after the prescribed ones, which keep their order; a key the content
// leaves out is Null, an empty list or word is empty text; roles stay parallel to the herbs.
void TestDataBuild::referenceFactsGoToAddedColumns()
{
    QTemporaryDir out;
    databuild::BuildRequest request;
    request.dataFolder = QStringLiteral(TAVIREL_FIXTURES "/facts");
    request.outFolder = out.path();
    request.mode = databuild::ContentLoader::Mode::Lenient;
    request.pictures.plateWidth = 120;
    request.sound = false;
    QStringList errors;
    QVERIFY2(databuild::build(request, &errors), qPrintable(errors.join('\n')));
    const QString ref = out.filePath(schema::refFileName);
    const auto values = [&](const QString& sql) {
        return test::columnValues(ref, schema::refPassword, sql);
    };

    // The table definitions begin with the prescribed columns, in their order.
    const QStringList tables = values("SELECT sql FROM sqlite_master WHERE name IN ('tavirel', "
                                      "'pres') ORDER BY name DESC");
    QCOMPARE(tables.size(), 2);
    QVERIFY2(tables.at(0).startsWith(
                 "CREATE TABLE tavirel (name1 TEXT COLLATE NOCASE UNIQUE, name2 TEXT, source TEXT, "
                 "used TEXT, taste TEXT, meridians TEXT, functions TEXT, indications TEXT, "
                 "coutions TEXT, dosage TEXT, kind1 INTEGER, kind2 INTEGER, picno TEXT, "),
             qPrintable(tables.at(0)));
    QVERIFY2(tables.at(1).startsWith(
                 "CREATE TABLE pres (prename TEXT COLLATE NOCASE UNIQUE, prekind1 INTEGER, "
                 "prekind2 INTEGER, precons TEXT, predosage TEXT, premethod TEXT, prefunction "
                 "TEXT, preindication TEXT, "),
             qPrintable(tables.at(1)));

    const QString herbFacts =
        "SELECT name1 || '|' || ifnull(chinese, '<null>') || '|' || ifnull(chinesetrad, '<null>') "
        "|| '|' || ifnull(pinyintones, '<null>') || '|' || ifnull(english, '<null>') || '|' || "
        "ifnull(origin, '<null>') || '|' || ifnull(pregnancy, '<null>') || '|' || "
        "ifnull(toxicity, '<null>') || '|' || ifnull(aliases, '<null>') FROM tavirel ORDER BY "
        "rowid";
    QCOMPARE(values(herbFacts),
             QStringList({"Ma Huang|麻黄|麻黃|Má Huáng|Ephedra stem|Ephedra sinica "
                          "Stapf|caution||Ephedra; Long Sha",
                          "Fu Zi|附子|<null>|Fù Zǐ|Aconite root|Aconitum carmichaelii "
                          "Debx.|contraindicated|toxic|",
                          "Ban Xia|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>"}));

    const QString formulaFacts =
        "SELECT prename || '|' || ifnull(chinese, '<null>') || '|' || ifnull(chinesetrad, "
        "'<null>') || '|' || ifnull(pinyintones, '<null>') || '|' || ifnull(english, '<null>') "
        "|| '|' || ifnull(presource, '<null>') || '|' || ifnull(precautions, '<null>') || '|' || "
        "preroles || '|' || ifnull(prealiases, '<null>') FROM pres ORDER BY rowid";
    QCOMPARE(
        values(formulaFacts),
        QStringList({"Ma Huang Tang|麻黄汤|麻黃湯|Má Huáng Tāng|Ephedra Decoction|Shang Han Lun "
                     "(Zhang Zhong-Jing, Eastern Han, c. 220)|Not where sweating comes from "
                     "deficiency|chief,,envoy|Ephedra Tang; Four Herbs",
                     "Plain Tang|<null>|<null>|<null>|<null>|<null>|<null>|,|<null>"}));
    QCOMPARE(values("SELECT herb1 || '|' || herb2 || '|' || kind FROM incompat ORDER BY rowid"),
             QStringList({"Fu Zi|Ban Xia|antagonism", "Ma Huang|Fu Zi|counteraction"}));
}

QTEST_MAIN(TestDataBuild)
#include "tst_databuild.moc"
