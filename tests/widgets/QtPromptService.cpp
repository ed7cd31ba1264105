// QtPromptService: real message boxes answer with the button the user pressed, and closing a box
// without a choice answers Cancel (No when there is no Cancel).
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "widgets/DatePicker.h"
#include "widgets/QtPromptService.h"

namespace {

using base::PromptAnswer;
using base::PromptButtons;
using base::PromptIcon;

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;
};

// Answers the next message box by pressing `key` (or clicking the button `button`).
SeenBox AnswerNextBox(std::function<base::PromptAnswer()> ask, QMessageBox::StandardButton button,
                      PromptAnswer* answer) {
    SeenBox seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon(),
                static_cast<int>(box->buttons().size())};
        if (button == QMessageBox::NoButton)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->button(button)->click();
    });
    *answer = ask();
    return seen;
}

class QtPromptServiceTest : public ::testing::Test {
protected:
    QPrinter printer;
    widgets::QtPromptService prompts{printer};
};

TEST_F(QtPromptServiceTest, MessageShowsCaptionTextIconAndButtons) {
    PromptAnswer answer{};
    const SeenBox seen = AnswerNextBox(
        [&] {
            return prompts.Message("Please Confirm", "Exit anyway?", PromptIcon::Warning,
                                   PromptButtons::YesNoCancel);
        },
        QMessageBox::No, &answer);
    EXPECT_EQ(seen.caption, "Please Confirm");
    EXPECT_EQ(seen.text, "Exit anyway?");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttonCount, 3);
    EXPECT_EQ(answer, PromptAnswer::No);
}

TEST_F(QtPromptServiceTest, EachButtonGivesItsAnswer) {
    PromptAnswer answer{};
    AnswerNextBox(
        [&] { return prompts.Message("c", "t", PromptIcon::Question, PromptButtons::YesNo); },
        QMessageBox::Yes, &answer);
    EXPECT_EQ(answer, PromptAnswer::Yes);
    AnswerNextBox(
        [&] { return prompts.Message("c", "t", PromptIcon::None, PromptButtons::OkCancel); },
        QMessageBox::Ok, &answer);
    EXPECT_EQ(answer, PromptAnswer::Ok);
}

TEST_F(QtPromptServiceTest, EscapeAnswersCancelOrNoWithoutCancel) {
    PromptAnswer answer{};
    AnswerNextBox(
        [&] { return prompts.Message("c", "t", PromptIcon::Information, PromptButtons::YesNo); },
        QMessageBox::NoButton, &answer);
    EXPECT_EQ(answer, PromptAnswer::No);
    AnswerNextBox(
        [&] {
            return prompts.Message("c", "t", PromptIcon::Information, PromptButtons::YesNoCancel);
        },
        QMessageBox::NoButton, &answer);
    EXPECT_EQ(answer, PromptAnswer::Cancel);
    AnswerNextBox(
        [&] { return prompts.Message("c", "t", PromptIcon::Error, PromptButtons::OkCancel); },
        QMessageBox::NoButton, &answer);
    EXPECT_EQ(answer, PromptAnswer::Cancel);
}

TEST_F(QtPromptServiceTest, PickDateUsesTheSharedDatePicker) {
    QTimer::singleShot(0, [&] {
        QTest::mouseClick(prompts.datePicker().findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
    });
    EXPECT_EQ(prompts.PickDate("Due Date", {2025, 3, 9}), (base::Date{2025, 3, 9}));
    EXPECT_EQ(prompts.datePicker().windowTitle(), "Date Selection");
}

}  // namespace
