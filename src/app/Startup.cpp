#include "Startup.h"

#include "CenterForm.h"
#include "HelpLauncher.h"
#include "MessageBox.h"
#include "data/OwnDataLocation.h"

#include <QApplication>
#include <QDir>

namespace tavirel::app {

Startup::Startup(const QString& programFolder, const WindowsFor& windows)
    : m_context{programFolder, m_store, {}, {}}, m_instance(programFolder),
      m_menu(std::make_unique<Menu>(m_context, windows ? windows(m_context) : MenuWindows{}))
{
}

Startup::~Startup()
{
    m_menu.reset();
    if (m_help)
        qApp->removeEventFilter(m_help.get());
}

std::optional<int> Startup::load()
{
    CenterForm(m_menu.get());

    if (!m_instance.acquire()) {
        MessageBox::information(m_menu.get(), QStringLiteral("Tavirel 1.0 already run!"));
        return exitAlreadyRunning;
    }

    m_context.helpFile = QDir(m_context.programFolder).filePath(QStringLiteral("velm.chm"));
    m_help = std::make_unique<HelpLauncher>(m_context.helpFile);
    qApp->installEventFilter(m_help.get());

    // Installed, the own database lives in the user's data folder, made on the first start.
    const auto own = data::OwnDataLocation::decide(m_context.programFolder);
    if (QString error; !own.prepare(&error)) {
        MessageBox::critical(m_menu.get(),
                             QStringLiteral("Can not open the database file \"%1\".\n%2")
                                 .arg(QDir::toNativeSeparators(own.file), error));
        return exitDatabaseFailure;
    }

    if (!m_store.open(m_context.programFolder, own.file)) {
        MessageBox::critical(
            m_menu.get(),
            QStringLiteral("Can not open the database file \"%1\".\n%2")
                .arg(QDir::toNativeSeparators(m_store.failedFile()), m_store.errorString()));
        return exitDatabaseFailure;
    }
    // The program can still be used to read; the user learns now, once, why nothing will save.
    if (!m_store.ownWritable())
        MessageBox::information(
            m_menu.get(),
            MessageBox::failureText(
                QStringLiteral("The own database can not be written, so your own herbs and "
                               "formulas can be read but not saved."),
                m_store.ownDb().fileName(), m_store.ownReadOnlyReason()));

    m_menu->loadExtras();
    m_sound.play(m_context.programFolder);
    return std::nullopt;
}

int Startup::run()
{
    m_menu->show();
    return QApplication::exec();
}

} // namespace tavirel::app
