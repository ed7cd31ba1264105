#pragma once
// TListWindow: the report window of the managers' list commands. It shows a prepared text in a
// fixed-pitch, non-wrapping view in the company's managers font, and prints it, restyles it or
// saves it as rich text, or as comma-separated values when the report comes with them.

#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "base/Canvas.h"
#include "base/PromptService.h"

class QPlainTextEdit;
class QToolButton;

namespace widgets {

class TListWindow : public QDialog {
    Q_OBJECT
public:
    // Gives the canvas a print job draws on (the printer in the program); null when none. Shared,
    // so that a caller (a test) may keep looking at it after the job.
    using CanvasFactory = std::function<std::shared_ptr<base::Canvas>()>;

    TListWindow(base::PromptService& prompts, CanvasFactory printerCanvas,
                QWidget* parent = nullptr);
    ~TListWindow() override;

    // Sets the caption, the kind ("Company", "Customer": it names the proposed save file) and the
    // text (UTF-8), the font the view takes when the window is shown, and the report's
    // comma-separated values (UTF-8; empty when it has none); then shows the window maximised and
    // modally.
    void Prepare(const QString& caption, const std::string& kind, const std::string& text,
                 const base::FontChoice& managersFont, const std::string& csv = {});
    int ShowList(const QString& caption, const std::string& kind, const std::string& text,
                 const base::FontChoice& managersFont, const std::string& csv = {});

    std::string text() const;  // UTF-8
    const base::FontChoice& viewFont() const { return viewFont_; }

    // Handlers of the buttons and of showing the window.
    void FormShow();
    void PrintBtnClick();
    void FontBtnClick();
    void SaveBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ApplyFont(const base::FontChoice& font);

    base::PromptService& prompts_;
    CanvasFactory printerCanvas_;
    std::string kind_;
    std::string csv_;
    base::FontChoice managersFont_;
    base::FontChoice viewFont_;
    QPlainTextEdit* view_;
};

}  // namespace widgets
