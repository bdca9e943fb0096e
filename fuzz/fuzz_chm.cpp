// The help file reader on damaged help files: directory, contents, default page, every page.
#include "FuzzSupport.h"
#include "app/ChmFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const tavirel::app::ChmFile help(tavirel::fuzz::asFile(QStringLiteral("velm.chm"), data, size));
    if (!help.isOpen())
        return 0;
    for (const QString& file : help.files())
        (void)help.read(file);
    (void)help.contents();
    (void)help.defaultPage();
    (void)help.contains(QStringLiteral("/index.html"));
    // The contents text on its own, as the sitemap parser meets it.
    (void)tavirel::app::ChmFile::parseSitemap(
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
