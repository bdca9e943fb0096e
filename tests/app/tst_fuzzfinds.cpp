// Inputs the fuzz targets found trouble with, kept so the trouble stays away.
#include "app/ChmFile.h"
#include "support/TestSupport.h"

#include <QDir>

using tavirel::app::ChmFile;

class TestFuzzFinds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void helpFileWithACircularDirectory();
};

void TestFuzzFinds::helpFileWithACircularDirectory()
{
    // A damaged help file whose listing blocks lead round in a circle kept the reader walking
    // for ever: the help window would never open. It now opens and finds no pages.
    const ChmFile damaged(QDir(QStringLiteral(TAVIREL_FIXTURES))
                              .filePath(QStringLiteral("fuzz/help-circular-directory.chm")));
    QVERIFY(damaged.isOpen());
    QCOMPARE(damaged.files(), QStringList());
    QCOMPARE(damaged.defaultPage(), QString());
    (void)damaged.contents();

    // The whole help file, which it was made from, still lists its pages.
    const ChmFile whole(QDir(QStringLiteral(TAVIREL_PROGRAM_DIR)).filePath("velm.chm"));
    QVERIFY(whole.files().contains(QStringLiteral("/index.html")) || !whole.files().isEmpty());
}

QTEST_MAIN(TestFuzzFinds)
#include "tst_fuzzfinds.moc"
