#pragma once
// Panel2 of the main window: the aging chart. Four stacked bars (aqua, lime, yellow, red for the
// aging categories 1..4) in a frame, captions "Aging" and "Chart", a close and a help button. The
// aging run sets the bars and shows the panel.

#include <QFrame>
#include <array>

namespace shell::ui {

class AgingChartPanel : public QFrame {
    Q_OBJECT
public:
    explicit AgingChartPanel(QWidget* parent = nullptr);

    // Each category's share of the total, 0..1; the bars stack from the bottom of the frame.
    void SetShares(const std::array<double, 4>& shares);
    std::array<double, 4> shares() const { return shares_; }

signals:
    void closeRequested();
    void helpRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceBars();

    QFrame* bevel_;
    std::array<QFrame*, 4> bars_{};
    std::array<double, 4> shares_{};
};

}  // namespace shell::ui
