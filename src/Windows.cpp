#include "Windows.h"

#include "app/PlaceholderWindow.h"

namespace tavirel {

app::MenuWindows programWindows(app::AppContext&)
{
    const auto placeholder = [](QString name, QString caption) {
        return [name, caption](QWidget* parent) -> std::unique_ptr<QDialog> {
            return std::make_unique<app::PlaceholderWindow>(name, caption, parent);
        };
    };
    return {placeholder(QStringLiteral("start"), QStringLiteral("Herbs")),
            placeholder(QStringLiteral("Pres"), QStringLiteral("Formulas")),
            placeholder(QStringLiteral("addHerb"), QStringLiteral("Add Herbs")),
            placeholder(QStringLiteral("addPres"), QStringLiteral("Add Your Own Formulas"))};
}

} // namespace tavirel
