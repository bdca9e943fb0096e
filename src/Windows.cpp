#include "Windows.h"

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
    return {window<herbs::HerbWindow>(context), window<formulas::FormulaWindow>(context),
            window<editors::AddHerbWindow>(context), window<editors::AddFormulaWindow>(context)};
}

} // namespace tavirel
