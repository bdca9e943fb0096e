#include "ImportPreview.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavirel::menuextras {

using owndata::ImportPlan;

namespace {

QString kindText(ImportPlan::Kind kind)
{
    return kind == ImportPlan::Kind::Herb ? QStringLiteral("Herb") : QStringLiteral("Formula");
}

QListWidget* list(QWidget* parent, const QString& name, const QString& accessible)
{
    auto* l = new QListWidget(parent);
    l->setObjectName(name);
    l->setAccessibleName(accessible);
    return l;
}

} // namespace

ImportPreview::ImportPreview(const ImportPlan& plan, const QString& file, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ImportPreview"));
    setWindowTitle(QStringLiteral("Import Your Own Entries"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* added = list(this, QStringLiteral("ImportAdded"), QStringLiteral("Will be added"));
    for (const auto& row : plan.herbs)
        added->addItem(kindText(ImportPlan::Kind::Herb) + QStringLiteral(": ") + row.name());
    for (const auto& row : plan.formulas)
        added->addItem(kindText(ImportPlan::Kind::Formula) + QStringLiteral(": ") + row.name());
    auto* skipped =
        list(this, QStringLiteral("ImportSkipped"), QStringLiteral("Already there, skipped"));
    for (const auto& s : plan.skipped)
        skipped->addItem(QStringLiteral("%1: %2 (%3)")
                             .arg(kindText(s.kind), s.name, owndata::reasonText(s.reason)));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* importButton =
        buttons->addButton(QStringLiteral("Import"), QDialogButtonBox::AcceptRole);
    importButton->setObjectName(QStringLiteral("ImportButton"));
    importButton->setEnabled(!plan.isEmpty());
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        QStringLiteral("From \"%1\". Nothing that is already there is changed; a backup of your "
                       "own entries is made before the import.")
            .arg(QFileInfo(file).fileName()),
        this);
    intro->setWordWrap(true);
    intro->setTextFormat(Qt::PlainText);
    layout->addWidget(intro);
    auto* addedCaption = new QLabel(
        plan.isEmpty()
            ? QStringLiteral("Nothing new to add.")
            : QStringLiteral("Will be added (%1):").arg(plan.herbs.size() + plan.formulas.size()),
        this);
    addedCaption->setBuddy(added);
    layout->addWidget(addedCaption);
    layout->addWidget(added, 1);
    auto* skippedCaption =
        new QLabel(QStringLiteral("Already there, skipped (%1):").arg(plan.skipped.size()), this);
    skippedCaption->setBuddy(skipped);
    layout->addWidget(skippedCaption);
    layout->addWidget(skipped, 1);
    layout->addWidget(buttons);
    resize(520, 440);
}

} // namespace tavirel::menuextras
