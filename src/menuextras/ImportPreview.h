#pragma once

#include "owndata/ImportPlan.h"

#include <QDialog>

namespace tavirel::menuextras {

// Shows what an import will add and what it skips, before anything is written. "Import"
// accepts; it is offered only when there is something to add.
class ImportPreview : public QDialog
{
    Q_OBJECT

public:
    ImportPreview(const owndata::ImportPlan& plan, const QString& file, QWidget* parent = nullptr);
};

} // namespace tavirel::menuextras
