#pragma once
// TSelStmnt: "Statement Selection", the first step of batch statements: which customers (by
// balance or by how old what they owe is) and which of their records.

#include <QDialog>
#include <functional>
#include <optional>

#include "statements/StatementBatch.h"

class QRadioButton;

namespace statements::ui {

class TSelStmnt : public QDialog {
    Q_OBJECT
public:
    // `showHelp` opens the help window on a topic.
    explicit TSelStmnt(std::function<void(const QString& topic)> showHelp,
                       QWidget* parent = nullptr);

    // The choice made; nothing when cancelled. The choices stay as they were left.
    std::optional<BatchChoice> Execute();

private:
    QRadioButton* all_;
    QRadioButton* over30_;
    QRadioButton* over60_;
    QRadioButton* over90_;
    QRadioButton* unpaid_;
};

}  // namespace statements::ui
