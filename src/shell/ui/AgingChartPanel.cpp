#include "shell/ui/AgingChartPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace shell::ui {

namespace {
const char* const kBarColours[] = {"aqua", "lime", "yellow", "red"};
}

AgingChartPanel::AgingChartPanel(QWidget* parent) : QFrame(parent), bevel_(new QFrame(this)) {
    setObjectName("Panel2");
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setFixedWidth(120);

    auto* aging = new QLabel("Aging", this);
    auto* chart = new QLabel("Chart", this);
    for (QLabel* label : {aging, chart}) {
        label->setAlignment(Qt::AlignCenter);
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }

    bevel_->setObjectName("Bevel2");
    bevel_->setFrameShape(QFrame::Panel);
    bevel_->setFrameShadow(QFrame::Sunken);
    bevel_->setMinimumHeight(160);
    for (int i = 0; i < 4; ++i) {
        bars_[i] = new QFrame(bevel_);
        bars_[i]->setObjectName(QString("Shape%1").arg(i + 1));
        bars_[i]->setStyleSheet(
            QString("background-color: %1; border: 1px solid black;").arg(kBarColours[i]));
    }

    auto* close = new QToolButton(this);
    close->setObjectName("SpeedButton1");
    close->setText("X");
    close->setToolTip("Close Chart");
    auto* help = new QToolButton(this);
    help->setObjectName("AgeChartBtn");
    help->setText("?");
    help->setToolTip("Help");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(close);
    buttons->addStretch();
    buttons->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(aging);
    layout->addWidget(chart);
    layout->addWidget(bevel_, 1);
    layout->addLayout(buttons);

    connect(close, &QToolButton::clicked, this, &AgingChartPanel::closeRequested);
    connect(help, &QToolButton::clicked, this, &AgingChartPanel::helpRequested);
}

void AgingChartPanel::SetShares(const std::array<double, 4>& shares) {
    shares_ = shares;
    PlaceBars();
}

void AgingChartPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    PlaceBars();
}

// Category 1 at the bottom, each next category stacked on top of it.
void AgingChartPanel::PlaceBars() {
    const QRect inside = bevel_->contentsRect().adjusted(16, 4, -16, -4);
    int bottom = inside.bottom() + 1;
    for (int i = 0; i < 4; ++i) {
        const double share = std::clamp(shares_[i], 0.0, 1.0);
        const int height = static_cast<int>(share * inside.height() + 0.5);
        bars_[i]->setGeometry(inside.left(), bottom - height, inside.width(), height);
        bars_[i]->setVisible(height > 0);
        bottom -= height;
    }
}

}  // namespace shell::ui
