// QtPromptService: a real message box shows the caption, text, icon and buttons asked for, and
// answers with the button pressed; closing it without a choice answers Cancel, or No when the box
// has no Cancel button.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "widgets/QtPromptService.h"

namespace {

using base::PromptAnswer;
using base::PromptButtons;
using base::PromptIcon;

// Shows a box and answers it by clicking `button`, or by Escape when it is NoButton.
PromptAnswer Answer(widgets::QtPromptService& prompts, PromptIcon icon, PromptButtons buttons,
                    QMessageBox::StandardButton button, QMessageBox* seen = nullptr,
                    std::string_view text = "Exit anyway?") {
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        if (seen) {
            seen->setWindowTitle(box->windowTitle());
            seen->setText(box->text());
            seen->setIcon(box->icon());
            seen->setStandardButtons(box->standardButtons());
        }
        if (button == QMessageBox::NoButton)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->button(button)->click();
    });
    return prompts.Message("Please Confirm", text, icon, buttons);
}

TEST(QtPromptService, MessageBoxesShowWhatWasAskedAndAnswerWithTheButton) {
    QPrinter printer;
    widgets::QtPromptService prompts(printer);
    QMessageBox seen;
    EXPECT_EQ(
        Answer(prompts, PromptIcon::Warning, PromptButtons::YesNoCancel, QMessageBox::No, &seen),
        PromptAnswer::No);
    EXPECT_EQ(seen.windowTitle(), "Please Confirm");
    EXPECT_EQ(seen.text(), "Exit anyway?");
    EXPECT_EQ(seen.icon(), QMessageBox::Warning);
    EXPECT_EQ(seen.standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(Answer(prompts, PromptIcon::Question, PromptButtons::YesNo, QMessageBox::Yes),
              PromptAnswer::Yes);
    EXPECT_EQ(Answer(prompts, PromptIcon::None, PromptButtons::OkCancel, QMessageBox::Ok),
              PromptAnswer::Ok);

    // UTF-8 as it is; record text (Windows-1252) as the letters it holds.
    for (const std::string_view text : {"Caf\xc3\xa9 closed?", "Caf\xe9 closed?"}) {
        Answer(prompts, PromptIcon::None, PromptButtons::Ok, QMessageBox::Ok, &seen, text);
        EXPECT_EQ(seen.text(), QString::fromUtf8("Caf\xc3\xa9 closed?"));
    }

    const auto escape = QMessageBox::NoButton;
    EXPECT_EQ(Answer(prompts, PromptIcon::Information, PromptButtons::YesNo, escape),
              PromptAnswer::No);
    EXPECT_EQ(Answer(prompts, PromptIcon::Information, PromptButtons::YesNoCancel, escape),
              PromptAnswer::Cancel);
    EXPECT_EQ(Answer(prompts, PromptIcon::Error, PromptButtons::OkCancel, escape),
              PromptAnswer::Cancel);
}

}  // namespace
