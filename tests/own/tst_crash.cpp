// The own database survives being killed in the middle of saves: after every kill the file is
// whole and every save the helper had confirmed is there, column for column.
#include "CrashRows.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "data/Statement.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QRandomGenerator>

using namespace tavirel::test;
using namespace tavirel::test::crash;
using tavirel::data::Database;
using tavirel::data::Statement;

class TestCrash : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void confirmedSavesSurviveKills();
};

namespace {

// Reads the helper's confirmations ("herb N", "formula N") that have arrived.
void readConfirmed(QProcess& helper, QList<int>& herbs, QList<int>& formulas)
{
    while (helper.canReadLine()) {
        const QList<QByteArray> words = helper.readLine().trimmed().split(' ');
        if (words.size() != 2)
            continue;
        (words[0] == "herb" ? herbs : formulas) << words[1].toInt();
    }
}

// Every confirmed row, whole; false with the first difference in *why.
bool allPresent(Database& db, const QString& table, const QStringList& columns,
                const QList<int>& numbers, QString (*value)(int, const QString&), QString* why)
{
    for (const int n : numbers) {
        Statement row(db,
                      QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                          .arg(columns.join(','), table, columns.first()),
                      {value(n, columns.first())});
        if (!row.next()) {
            *why = QStringLiteral("%1 %2 is missing %3").arg(table).arg(n).arg(row.errorString());
            return false;
        }
        for (int c = 0; c < columns.size(); ++c) {
            if (row.value(c).toString() != value(n, columns.at(c))) {
                *why = QStringLiteral("%1 %2: %3 differs").arg(table).arg(n).arg(columns.at(c));
                return false;
            }
        }
    }
    return true;
}

} // namespace

void TestCrash::confirmedSavesSurviveKills()
{
    const int kills = qEnvironmentVariableIsSet("TAVIREL_KILLS")
                          ? qEnvironmentVariableIntValue("TAVIREL_KILLS")
                          : 20;
    const quint32 seed = QRandomGenerator::global()->generate();
    qInfo("seed %u", seed);
    QRandomGenerator random(seed);
    ProgramFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errors()));
    const QString own = folder.file(tavirel::data::schema::ownFileName);

    QList<int> herbs, formulas;
    for (int kill = 0; kill < kills; ++kill) {
        QProcess helper;
        helper.setProcessChannelMode(QProcess::SeparateChannels);
        helper.start(QStringLiteral(TAVIREL_CRASHSAVER),
                     {folder.path(), QString::number(kill * 100000)});
        QVERIFY2(helper.waitForStarted(), qPrintable(helper.errorString()));
        // Killed after a random number of confirmed saves: the next save is then anywhere
        // between its first write and its commit.
        const int wanted = herbs.size() + 1 + int(random.bounded(12));
        while (herbs.size() < wanted) {
            QVERIFY2(helper.state() == QProcess::Running || helper.canReadLine(),
                     helper.readAllStandardError().constData());
            if (!helper.canReadLine())
                QVERIFY2(helper.waitForReadyRead(30000), helper.readAllStandardError().constData());
            readConfirmed(helper, herbs, formulas);
        }
        helper.kill(); // SIGKILL
        QVERIFY(helper.waitForFinished(30000));
        QCOMPARE(helper.exitStatus(), QProcess::CrashExit);
        readConfirmed(helper, herbs, formulas); // printed before the kill: confirmed too

        Database db;
        QVERIFY2(db.open(own, Database::Mode::ReadWrite), qPrintable(db.errorString()));
        QCOMPARE(db.scalar(QStringLiteral("PRAGMA integrity_check")).toString(),
                 QStringLiteral("ok"));
        QString why;
        QVERIFY2(allPresent(db, "ownherb", herbColumns, herbs, herbValue, &why), qPrintable(why));
        QVERIFY2(allPresent(db, "ownpres", formulaColumns, formulas, formulaValue, &why),
                 qPrintable(why));
    }
    qInfo("%d kills; %lld herbs and %lld formulas confirmed, all present and whole after every "
          "kill",
          kills, qlonglong(herbs.size()), qlonglong(formulas.size()));
}

QTEST_MAIN(TestCrash)
#include "tst_crash.moc"
