#include "Windows.h"

#include "app/AppContext.h"
#include "app/ModalOpener.h"
#include "editors/AddFormulaWindow.h"
#include "editors/AddHerbWindow.h"
#include "formulas/FormulaWindow.h"
#include "herbs/HerbWindow.h"
#include "menuextras/MenuExtras.h"
#include "printsheet/SheetCommands.h"
#include "printsheet/SheetReader.h"

#include <QLabel>
#include <QTabWidget>

namespace tavirel {

namespace {

template <typename Window> std::unique_ptr<QDialog> make(app::AppContext& context, QWidget* parent)
{
    return std::make_unique<Window>(context, parent);
}

template <typename Window> app::WindowFactory window(app::AppContext& context)
{
    return [&context](QWidget* parent) { return make<Window>(context, parent); };
}

QWidget* tabPage(QDialog& window, const QString& tabs, int index)
{
    auto* widget = window.findChild<QTabWidget*>(tabs);
    return widget ? widget->widget(index) : nullptr;
}

// Print, PDF and copy for the herb a details tab shows, found by the Pinyin heading there.
void attachHerbSheet(app::AppContext& context, QWidget* page)
{
    auto* heading = page ? page->findChild<QLabel*>(QStringLiteral("Label14")) : nullptr;
    if (!heading)
        return;
    printsheet::attachSheetCommands(page, [&context, heading] {
        return printsheet::herbSheet(context.refDb(), context.ownDb(), heading->text());
    });
}

} // namespace

app::MenuWindows programWindows(app::AppContext& context)
{
    // The print commands are attached from here, outside the windows, so the windows' own
    // files stay about what the windows show.
    const auto herbWindow = [&context](QWidget* parent) {
        std::unique_ptr<QDialog> w = make<herbs::HerbWindow>(context, parent);
        attachHerbSheet(context, tabPage(*w, QStringLiteral("SSTab1"), 1));
        return w;
    };
    const auto formulaWindow = [&context](QWidget* parent) {
        std::unique_ptr<QDialog> w = make<formulas::FormulaWindow>(context, parent);
        auto* name = w->findChild<QLabel*>(QStringLiteral("Label2"));
        if (QWidget* display = tabPage(*w, QStringLiteral("SSTab2"), 0); display && name) {
            printsheet::attachSheetCommands(display, [&context, name] {
                return printsheet::formulaSheet(context.refDb(), context.ownDb(), name->text());
            });
        }
        attachHerbSheet(context, tabPage(*w, QStringLiteral("SSTab2"), 1));
        return w;
    };
    // A formula opened from a herb's list of formulas: the same window, shown at that formula.
    context.openFormula = [formulaWindow](QWidget* parent, const QString& formula, bool own) {
        std::unique_ptr<QDialog> opened = formulaWindow(parent);
        static_cast<formulas::FormulaWindow*>(opened.get())->showFormulaNamed(formula, own);
        app::ModalOpener::open(std::move(opened));
    };
    return {herbWindow, formulaWindow, window<editors::AddHerbWindow>(context),
            window<editors::AddFormulaWindow>(context), menuextras::installMenuExtras};
}

} // namespace tavirel
