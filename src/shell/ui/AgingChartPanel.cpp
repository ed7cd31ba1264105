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

void AgingChartPanel::SetAging(const receivables::AgingSums& sums, base::Decimal total,
                               const std::array<QString, 4>& hints) {
    sums_ = sums;
    total_ = total;
    for (int i = 0; i < 4; ++i) bars_[i]->setToolTip(hints[i]);
    PlaceBars();
}

void AgingChartPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    PlaceBars();
}

// Category 1 at the top of the frame, each next category below the one before.
void AgingChartPanel::PlaceBars() {
    const QRect inside = bevel_->contentsRect();
    const std::array<int, 4> heights =
        total_.IsZero() ? std::array<int, 4>{}
                        : receivables::ChartBarHeights(sums_, total_, inside.height());
    int top = inside.top();
    for (int i = 0; i < 4; ++i) {
        bars_[i]->setGeometry(inside.left(), top, inside.width(), heights[i]);
        bars_[i]->setVisible(heights[i] > 0);
        top += heights[i];
    }
}

}  // namespace shell::ui
