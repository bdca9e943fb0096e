#include "TestSupport.h"

#include "Builder.h"
#include "app/ModalOpener.h"
#include "data/Database.h"
#include "data/Statement.h"

#include <QDir>

namespace tavirel::test {

ProgramFolder::ProgramFolder(const QString& fixture)
{
    databuild::BuildRequest request;
    request.dataFolder = QDir(QStringLiteral(TAVIREL_FIXTURES)).filePath(fixture);
    request.outFolder = m_dir.path();
    request.mode = databuild::ContentLoader::Mode::Lenient;
    request.pictures.plateWidth = 120; // small plates keep fixtures quick
    request.sound = false;
    m_ok = m_dir.isValid() && databuild::build(request, &m_errors);
}

OpenProgram::OpenProgram(const QString& fixture)
    : m_folder(fixture), m_context{m_folder.path(), m_store, {}, {}}
{
    if (!m_folder.isValid()) {
        m_error = m_folder.errors();
        return;
    }
    m_ok = m_store.open(m_folder.path());
    if (!m_ok)
        m_error = m_store.failedFile() + QStringLiteral(": ") + m_store.errorString();
}

ModalRecorder::ModalRecorder(Driver driver)
{
    app::ModalOpener::setHandler([this, driver](QDialog& window) {
        opened.append({window.objectName(), window.windowTitle(), window.pos(), window.size()});
        return driver ? driver(window) : int(QDialog::Rejected);
    });
}

ModalRecorder::~ModalRecorder()
{
    app::ModalOpener::setHandler({});
}

QStringList columnValues(const QString& databaseFile, const QByteArray& key, const QString& sql)
{
    data::Database db;
    QStringList values;
    if (!db.open(databaseFile, data::Database::Mode::ReadOnly, key))
        return {QStringLiteral("<%1>").arg(db.errorString())};
    data::Statement statement(db, sql);
    while (statement.next())
        values << statement.value(0).toString();
    return values;
}

} // namespace tavirel::test
