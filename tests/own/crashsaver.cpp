// Saves own herbs and formulas in a loop through the program's data layer, printing each save
// once it is committed, until it is killed. Run by tst_crash.
#include "CrashRows.h"
#include "data/DataStore.h"
#include "data/RecordSet.h"

#include <cstdio>

using namespace tavirel::test::crash;
using tavirel::data::RecordSet;

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER FIRST_NUMBER\n", argv[0]);
        return 2;
    }
    tavirel::data::DataStore store;
    if (!store.open(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "%s\n", qPrintable(store.errorString()));
        return 1;
    }
    RecordSet herbs(store.ownDb(), QStringLiteral("ownherb"), RecordSet::Kind::Dynaset);
    RecordSet formulas(store.ownDb(), QStringLiteral("ownpres"), RecordSet::Kind::Dynaset);
    for (int n = QByteArray(argv[2]).toInt();; ++n) {
        RecordSet::Fields herb;
        for (const QString& column : herbColumns)
            herb.append({column, herbValue(n, column)});
        if (!herbs.addNew(herb)) {
            std::fprintf(stderr, "%s\n", qPrintable(store.ownDb().errorString()));
            return 1;
        }
        std::printf("herb %d\n", n);
        std::fflush(stdout);
        if (n % 2 == 0) {
            RecordSet::Fields formula;
            for (const QString& column : formulaColumns)
                formula.append({column, formulaValue(n, column)});
            if (!formulas.addNew(formula)) {
                std::fprintf(stderr, "%s\n", qPrintable(store.ownDb().errorString()));
                return 1;
            }
            std::printf("formula %d\n", n);
            std::fflush(stdout);
        }
    }
}
