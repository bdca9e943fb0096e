#include "Windows.h"

#include "app/AppContext.h"
#include "app/ModalOpener.h"
#include "editors/AddFormulaWindow.h"
#include "editors/AddHerbWindow.h"
#include "formulas/FormulaWindow.h"
#include "herbs/HerbWindow.h"

namespace tavirel {

namespace {

template <typename Window> app::WindowFactory window(app::AppContext& context)
{
    return [&context](QWidget* parent) -> std::unique_ptr<QDialog> {
        return std::make_unique<Window>(context, parent);
    };
}

} // namespace

app::MenuWindows programWindows(app::AppContext& context)
{
    context.openFormula = [&context](QWidget* parent, const QString& formula, bool own) {
        auto window = std::make_unique<formulas::FormulaWindow>(context, parent);
        window->showFormulaNamed(formula, own);
        app::ModalOpener::open(std::move(window));
    };
    return {window<herbs::HerbWindow>(context), window<formulas::FormulaWindow>(context),
            window<editors::AddHerbWindow>(context), window<editors::AddFormulaWindow>(context)};
}

} // namespace tavirel
