#pragma once
// THeaderForm: the headers dialog ("Headers, Fonts and Colors"). It edits the captions and column
// headers printed on a company's forms and the six form fonts. The texts live in its edits and
// the fonts in its working area; the Company Options dialog fills both from the company record
// before it shows itself and reads them back when it is saved. Nothing here touches a file.

#include <QDialog>
#include <array>

#include <QString>
#include <functional>
#include "records/FontSpec.h"

class QLabel;

namespace base {
class PromptService;
}

namespace company::ui {

// The six form fonts, in record order: body text, caption headers, company address, customer
// address, aging analysis, sales message.
using FormFonts = std::array<records::FontSpec, 6>;

class THeaderForm : public QDialog {
    Q_OBJECT
public:
    THeaderForm(base::PromptService& prompts, std::function<void(const QString& topic)> showHelp,
                QWidget* parent = nullptr);

    // The working area of the six fonts.
    FormFonts& fonts() { return fonts_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void FontBtnClick(int block);
    void ShowSample(int block);

    base::PromptService& prompts_;
    std::function<void(const QString&)> showHelp_;
    FormFonts fonts_{};
    std::array<QLabel*, 6> samples_{};
};

}  // namespace company::ui
