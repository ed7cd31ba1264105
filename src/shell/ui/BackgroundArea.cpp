#include "shell/ui/BackgroundArea.h"

#include <QPainter>

namespace shell::ui {

BackgroundArea::BackgroundArea(QWidget* parent) : QWidget(parent) {
    setObjectName("BackgroundArea");
}

void BackgroundArea::SetPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void BackgroundArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (picture_.isNull())
        painter.fillRect(rect(), palette().color(QPalette::Button));
    else
        painter.drawTiledPixmap(rect(), picture_);
}

}  // namespace shell::ui
