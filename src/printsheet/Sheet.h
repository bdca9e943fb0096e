#pragma once

#include <QList>
#include <QString>

namespace tavirel::printsheet {

struct SheetField
{
    QString caption; // as the window shows it
    QString text;
};

struct CompositionRow
{
    QString herb;
    QString grams;
    QString meridians;
};

// One entry as it goes onto paper: a heading, the fields in the window's order under the
// window's captions, and for a formula its composition.
struct Sheet
{
    QString title;    // Pinyin name
    QString chinese;  // may be empty
    QString subtitle; // a herb's Latin name
    bool formula = false;
    QList<SheetField> headFields;      // facts shown with the heading
    QList<CompositionRow> composition; // formulas only, in composition order
    QList<SheetField> fields;
};

} // namespace tavirel::printsheet
