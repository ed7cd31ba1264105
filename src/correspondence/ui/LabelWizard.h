#pragma once
// TLblWiz: the "Label Wizard / Print Queue" window. The queue of customers for labels, letters and
// bulk e-mail on the left, the label layout on the right, the start label and copies below. Its
// rules are a correspondence::LabelWizardFlow; the window gathers the fields and shows the texts.

#include <QDialog>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "correspondence/LabelWizardFlow.h"
#include "records/CustomerRecord.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QPushButton;
class QTreeWidget;

namespace correspondence::ui {

struct LabelWizardWindowServices {
    LabelWizardServices flow;
    QPrinter& printer;
    // The Customer Manager in select mode; nothing when no customer was chosen.
    std::function<std::optional<records::CustomerRecord>()> pickCustomer;
    std::function<void(const QString& topic)> showHelp;
};

class TLblWiz : public QDialog {
    Q_OBJECT
public:
    explicit TLblWiz(LabelWizardWindowServices services, QWidget* parent = nullptr);

    // Shows the window modally over the program's print queue.
    void Execute();

    void Open2Click();
    void SaveAs1Click();
    void CalibrationRuler1Click();
    void AddOneClick();
    void Delete2Click();
    void SavetoFile1Click();
    void LoadfromFile1Click();
    void LoadOwingClick(int category);
    void LoadAllRecsClick();
    void ClearAllClick();
    void PrnButnClick();
    void FontButnClick();
    void BitMpButnClick();
    void UseCmpAddClick();

private:
    void FormShow();
    void ShowLayout(const LabelLayout& layout);
    LabelLayout ShownLayout() const;
    void EnableLayoutCommands(bool enabled);
    void ShowQueue();
    void SortBy(int column);
    void Status(const std::optional<std::string>& text);

    LabelWizardWindowServices services_;
    LabelWizardFlow flow_;
    records::FontSpec font_;
    QString savedBitmap_;

    QTreeWidget* list_;
    QLineEdit* description_;
    QLineEdit* leftMargin_;
    QLineEdit* topMargin_;
    QLineEdit* columns_;
    QLineEdit* rows_;
    QLineEdit* width_;
    QLineEdit* height_;
    QLabel* fontName_;
    QCheckBox* shipping_;
    QCheckBox* returnAddress_;
    QCheckBox* printLine_;
    QLineEdit* lineWidth_;
    QLineEdit* caption_;
    QLineEdit* bitmap_;
    QPushButton* bitmapButton_;
    QLineEdit* start_;
    QLineEdit* copies_;
    QLabel* panel0_;
    QLabel* panel1_;
    QMenu* records_;
    QAction* saveAs_;
    std::vector<QWidget*> layoutCommands_;
    std::array<QPushButton*, 4> agingButtons_{};
};

}  // namespace correspondence::ui
