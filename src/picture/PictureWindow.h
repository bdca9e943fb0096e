#pragma once

#include <QDialog>
#include <QSize>

class QLabel;
class QImage;

namespace tavirel::app {
struct AppContext;
}

namespace tavirel::picture {

// The picture of one herb at its own size (window "grph"). The opener sets PictureNumber,
// PictureSource and CurrentHerbName or FormulaHerbName in the shared values first.
class PictureWindow : public QDialog
{
    Q_OBJECT

public:
    explicit PictureWindow(app::AppContext& context, QWidget* parent = nullptr);

    // The window's outer size (frame and title bar included) once a picture is shown;
    // invalid while the window keeps its design size.
    QSize outerSize() const { return m_outerSize; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showPicture(const QImage& image);
    void fitOuterSize();

    QWidget* m_picture1 = nullptr;
    QLabel* m_image1 = nullptr;
    QWidget* m_exit = nullptr;
    QSize m_outerSize;
};

} // namespace tavirel::picture
