#pragma once

#include <QDialog>
#include <QList>

#include <memory>

namespace tavirel::app {
struct AppContext;
}
namespace tavirel::data {
class RecordSet;
}

namespace tavirel::editors {

// The add-herb window ("addHerb"): the user writes one of their own herbs into ownherb, one
// row per "Save", as many as they like until "Exit" or No after a save.
class AddHerbWindow : public QDialog
{
    Q_OBJECT

public:
    explicit AddHerbWindow(app::AppContext& context, QWidget* parent = nullptr);
    ~AddHerbWindow() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Box
    {
        QString column;
        QWidget* widget;
    };

    void buildLayout();
    QString text(const QString& column) const;
    static QString stored(const Box& box);
    void clearBoxes();
    void save();
    bool refuseName(const QString& name);
    void closeWindow();

    app::AppContext& m_context;
    std::unique_ptr<data::RecordSet> m_ownHerbs;
    QList<Box> m_boxes; // in the order the row is written
};

} // namespace tavirel::editors
