#pragma once

#include "app/AppContext.h"
#include "data/DataStore.h"

#include <QDialog>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace tavirel::test {

// A temporary program folder with the databases built from a fixture under tests/fixtures.
class ProgramFolder
{
public:
    explicit ProgramFolder(const QString& fixture = QStringLiteral("basic"));

    bool isValid() const { return m_ok; }
    QString errors() const { return m_errors.join(QLatin1Char('\n')); }
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QStringList m_errors;
    bool m_ok = false;
};

// A program folder with its databases open, as the menu leaves them after start-up.
class OpenProgram
{
public:
    explicit OpenProgram(const QString& fixture = QStringLiteral("basic"));

    bool isValid() const { return m_ok; }
    QString errors() const { return m_error; }
    app::AppContext& context() { return m_context; }
    ProgramFolder& folder() { return m_folder; }

private:
    ProgramFolder m_folder;
    data::DataStore m_store;
    app::AppContext m_context;
    bool m_ok = false;
    QString m_error;
};

// Records every window opened through the modal seam, and lets a test drive each one while it
// is open instead of waiting for a user.
class ModalRecorder
{
public:
    struct Opened
    {
        QString name;
        QString caption;
        QPoint position;
        QSize size;
    };
    using Driver = std::function<int(QDialog&)>;

    explicit ModalRecorder(Driver driver = {});
    ~ModalRecorder();

    QList<Opened> opened;
};

// A control of a window by its name; fails the test when it is missing.
template <typename T> T* control(QObject* window, const QString& name)
{
    T* found = window->findChild<T*>(name);
    if (!found)
        qWarning("no control named %s", qPrintable(name));
    return found;
}

// Rows of one column of a table in a database, in stored order.
QStringList columnValues(const QString& databaseFile, const QByteArray& key, const QString& sql);

} // namespace tavirel::test
