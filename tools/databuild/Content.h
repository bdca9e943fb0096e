#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace tavirel::databuild {

struct SubCategory
{
    int no2 = 0;
    QVariant name; // may be Null: a chapter without sub-categories
};

struct Category
{
    int no1 = 0;
    QString name;
    QList<SubCategory> subcategories;
};

struct Herb
{
    QString name1;
    QVariant name2, source, used, taste, meridians, functions, indications, coutions, dosage;
    QVariant kind1, kind2;
    QString picno;
    QString part;
    QColor colour;
    QString
        picture; // "" drawn plate, "none" no picture stored, "damaged" bytes that no loader reads
    // Reference facts; Null where the content does not give them yet.
    QVariant chinese, chineseTrad, pinyinTones, english, species, pregnancy, toxicity;
    QVariant aliases; // joined by "; "
    QString origin;   // file and position, for messages
};

struct Formula
{
    QString prename;
    QVariant prekind1, prekind2;
    QString precons, predosage;
    QString premethod, prefunction, preindication;
    QVariant chinese, chineseTrad, pinyinTones, english, sourceText, cautions;
    QVariant aliases; // joined by "; "
    QString roles;    // one entry per herb of precons, joined by ","; empty where none is given
    QString origin;
};

// One of the classical incompatibilities between two herbs (by name1).
struct Incompatibility
{
    QString herb1, herb2;
    QString kind; // "antagonism" or "counteraction"
    QString origin;
};

// Rows for the own database; only fixtures carry them.
struct OwnHerb
{
    QStringList values; // name1, name2, source, used, taste, meridians, functions, indications,
                        // dosage, coutions
};

struct OwnFormula
{
    QStringList values; // name, construction, dosage, method, function, indication
};

struct Content
{
    QList<Category> herbCategories;
    QList<Category> formulaCategories;
    QList<Herb> herbs;
    QList<Formula> formulas;
    QList<OwnHerb> ownHerbs;
    QList<OwnFormula> ownFormulas;
    QList<Incompatibility> incompatibilities;
};

} // namespace tavirel::databuild
