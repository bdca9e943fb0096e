// Dose parsing: an own formula whose composition and dosages are arbitrary text (split at the
// first NUL byte) is shown by the formula window, which splits both lists and fills its grid.
#include "Builder.h"
#include "FuzzSupport.h"
#include "app/AppContext.h"
#include "app/MessageBox.h"
#include "data/DataStore.h"
#include "formulas/FormulaWindow.h"

#include <QDir>
#include <QListWidget>

namespace {

tavirel::data::DataStore& store()
{
    static const int opened = [] {
        tavirel::databuild::BuildRequest request;
        request.dataFolder =
            QDir(QStringLiteral(TAVIREL_FIXTURES)).filePath(QStringLiteral("basic"));
        request.outFolder = tavirel::fuzz::scratch().path();
        request.mode = tavirel::databuild::ContentLoader::Mode::Lenient;
        request.pictures.plateWidth = 60;
        request.sound = false;
        QStringList errors;
        if (!tavirel::databuild::build(request, &errors))
            std::abort();
        return 0;
    }();
    (void)opened;
    static tavirel::data::DataStore s;
    return s;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    tavirel::fuzz::application();
    if (!store().open(tavirel::fuzz::scratch().path()))
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    const QString herbs = QString::fromUtf8(split < 0 ? input : input.first(split));
    const QString dosages = QString::fromUtf8(split < 0 ? QByteArray() : input.mid(split + 1));
    if (!store().ownDb().exec(QStringLiteral("UPDATE ownpres SET construction = ?, dosage = ?"),
                              {herbs, dosages}))
        std::abort();
    static tavirel::app::AppContext context{tavirel::fuzz::scratch().path(), store(), {}, {}};
    tavirel::app::MessageBox::setTestMode(true); // "Can not find the herb" boxes just count
    tavirel::formulas::FormulaWindow window(context);
    auto* own = window.findChild<QListWidget*>(QStringLiteral("List1"));
    if (own && own->count() > 0) {
        own->setCurrentRow(0);
        Q_EMIT own->itemDoubleClicked(own->item(0));
    }
    tavirel::app::MessageBox::takeShown();
    return 0;
}
