#pragma once
// TStatForm: the small status window of long runs (rebuilds, aging runs, e-mail runs): a caption
// and three centred lines. As a RebuildObserver it follows the engine's rebuild progress.

#include <QDialog>

#include "engine/BlockFile.h"

class QLabel;

namespace widgets {

class TStatForm : public QDialog, public engine::RebuildObserver {
    Q_OBJECT
public:
    explicit TStatForm(QWidget* parent = nullptr);

    // For runs other than rebuilds: show with a caption, change the lines, hide.
    void ShowStatus(const QString& caption);
    void SetLines(const QString& line1, const QString& line2, const QString& line3);
    void HideStatus();

    QString Line(int number) const;  // 1..3

    void RebuildStarted(const std::string& statusCaption) override;
    void RebuildProgress(int keyNumber, int32_t read, int32_t written) override;
    void RebuildFinished() override;

private:
    void Repaint();

    QLabel* label1_;
    QLabel* label2_;
    QLabel* label3_;
};

}  // namespace widgets
