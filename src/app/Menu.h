#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class QLabel;

namespace tavirel::button {
class SkinButton;
}

namespace tavirel::app {

struct AppContext;

// Makes a freshly loaded window each time the menu opens one.
using WindowFactory = std::function<std::unique_ptr<QDialog>(QWidget* parent)>;

class Menu;

struct MenuWindows
{
    WindowFactory herbs;
    WindowFactory formulas;
    WindowFactory addHerb;
    WindowFactory addFormulas;
    // Commands beyond the prescribed buttons, placed in the menu's free space once the
    // databases are open.
    std::function<void(Menu&)> extras;
};

// The main menu: the program's only top-level window. Closing it ends the program.
class Menu : public QDialog
{
    Q_OBJECT

public:
    Menu(AppContext& context, MenuWindows windows, QWidget* parent = nullptr);

    // As a click on "&Herbs" or "&Formulas".
    void openHerbs() { openWindow(m_windows.herbs); }
    void openFormulas() { openWindow(m_windows.formulas); }
    // Adds the extra commands (start-up calls it after opening the databases).
    void loadExtras();
    AppContext& context() { return m_context; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    button::SkinButton* addButton(const QString& name, const QString& caption);
    QLabel* addLink(const QString& name, const QString& text);
    void openWindow(const WindowFactory& factory);
    void openLink(QLabel* label);
    void setLinkColour(QLabel* label, const QColor& colour);

    AppContext& m_context;
    MenuWindows m_windows;
    QLabel* m_webLink = nullptr;
    QLabel* m_mailLink = nullptr;
};

} // namespace tavirel::app
