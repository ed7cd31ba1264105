#pragma once
// The main window's client area: the company's background picture tiled from the top-left
// corner, or the plain button-face colour when the picture is off.

#include <QPixmap>
#include <QWidget>

namespace shell::ui {

class BackgroundArea : public QWidget {
    Q_OBJECT
public:
    explicit BackgroundArea(QWidget* parent = nullptr);

    void SetPicture(const QPixmap& picture);  // a null picture: plain colour
    const QPixmap& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

}  // namespace shell::ui
