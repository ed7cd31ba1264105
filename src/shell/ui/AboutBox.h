#pragma once
// The About box: program name, version and what the program is for.

#include <QDialog>

namespace shell::ui {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

}  // namespace shell::ui
