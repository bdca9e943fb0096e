#pragma once

#include "Content.h"

#include <QString>
#include <QStringList>

namespace tavirel::databuild {

// Reads a content folder (herbs/, formulas/, antagonisms.json and, for fixtures, own/) into
// memory.
// Strict loading is for the reference content: it refuses anything the program could not show
// or read back (a duplicate name, a comma in a name, a composition naming an unknown herb, ...).
// Fixtures load leniently so tests can hold the odd records the windows must cope with.
class ContentLoader
{
public:
    enum class Mode { Strict, Lenient };

    explicit ContentLoader(Mode mode) : m_mode(mode) {}

    bool load(const QString& folder, Content& content);
    QStringList errors() const { return m_errors; }

private:
    void error(const QString& where, const QString& what);
    bool readArray(const QString& file, QJsonArray& array);
    void loadCategories(const QString& file, QList<Category>& out);
    void loadHerbs(const QString& file, QList<Herb>& out);
    void loadFormulas(const QString& file, const QList<Herb>& herbs, QList<Formula>& out);
    void loadIncompatibilities(const QString& file, QList<Incompatibility>& out);
    void loadOwn(const QString& folder, Content& content);
    void checkHerbs(const Content& content);
    void checkFormulas(const Content& content);

    Mode m_mode;
    QStringList m_errors;
};

} // namespace tavirel::databuild
