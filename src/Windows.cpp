#include "Windows.h"

#include "app/PlaceholderWindow.h"
#include "herbs/HerbWindow.h"

namespace tavirel {

app::MenuWindows programWindows(app::AppContext& context)
{
    const auto placeholder = [](QString name, QString caption) {
        return [name, caption](QWidget* parent) -> std::unique_ptr<QDialog> {
            return std::make_unique<app::PlaceholderWindow>(name, caption, parent);
        };
    };
    const auto herbs = [&context](QWidget* parent) -> std::unique_ptr<QDialog> {
        return std::make_unique<herbs::HerbWindow>(context, parent);
    };
    return {herbs,
            placeholder(QStringLiteral("Pres"), QStringLiteral("Formulas")),
            placeholder(QStringLiteral("addHerb"), QStringLiteral("Add Herbs")),
            placeholder(QStringLiteral("addPres"), QStringLiteral("Add Your Own Formulas"))};
}

} // namespace tavirel
