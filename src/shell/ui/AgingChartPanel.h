#pragma once
// Panel2 of the main window: the aging chart. Four stacked bars (aqua, lime, yellow, red for the
// aging categories 1..4) in a frame, captions "Aging" and "Chart", a close and a help button. The
// aging run sets the bars and shows the panel.

#include <QFrame>
#include <QString>
#include <array>

#include "base/Decimal.h"
#include "receivables/Aging.h"

namespace shell::ui {

class AgingChartPanel : public QFrame {
    Q_OBJECT
public:
    explicit AgingChartPanel(QWidget* parent = nullptr);

    // The company's category sums and their total (not zero) with each bar's hint: the bars
    // stack from the top of the frame, each as high as its whole percentage of the total.
    void SetAging(const receivables::AgingSums& sums, base::Decimal total,
                  const std::array<QString, 4>& hints);
    QFrame& bar(int category) { return *bars_[category - 1]; }

signals:
    void closeRequested();
    void helpRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceBars();

    QFrame* bevel_;
    std::array<QFrame*, 4> bars_{};
    receivables::AgingSums sums_;
    base::Decimal total_;
};

}  // namespace shell::ui
