#pragma once
// TStatForm: the small status window of long runs (rebuilds, aging runs, e-mail runs): a caption
// and three centred lines. As a RebuildObserver it follows the engine's rebuild progress.

#include <QDialog>
#include <array>
#include <chrono>
#include <functional>
#include <optional>

#include "engine/BlockFile.h"

class QLabel;

namespace widgets {

class TStatForm : public QDialog, public engine::RebuildObserver {
    Q_OBJECT
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // `now` paces the repaints; tests hand in a clock they move themselves.
    explicit TStatForm(QWidget* parent = nullptr, Clock now = &std::chrono::steady_clock::now);

    // For runs other than rebuilds: show with a caption, change the lines, hide.
    void ShowStatus(const QString& caption);
    void SetLines(const QString& line1, const QString& line2, const QString& line3);
    void HideStatus();

    QString Line(int number) const;  // 1..3, as shown

    void RebuildStarted(const std::string& statusCaption) override;
    void RebuildProgress(int keyNumber, int32_t read, int32_t written) override;
    void RebuildFinished() override;

private:
    void ShowPendingLines();

    Clock now_;
    std::array<QLabel*, 3> labels_;
    // Lines set but not yet shown: a run may change them far more often than a screen can show.
    std::optional<std::array<QString, 3>> pending_;
    // When lines were last shown since the window appeared; none before the first lines.
    std::optional<std::chrono::steady_clock::time_point> shownAt_;
};

}  // namespace widgets
