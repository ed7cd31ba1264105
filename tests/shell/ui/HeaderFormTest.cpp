#include "shell/ui/HeaderForm.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "support/ScriptedPrompts.h"

namespace shell::ui {
namespace {

TEST(HeaderForm, FontButtonsChangeOnlyTheirBlockAndItsSample) {
    testsupport::ScriptedPrompts prompts;
    THeaderForm form(prompts, [](const QString&) {});
    const FontSpec body{"Arial", 10, kBlack, 0};
    const FontSpec captions{"Arial", 12, kBlue, kBold};
    form.fonts() = {body, captions, body, body, body, body};
    form.show();
    QApplication::processEvents();
    auto* sample = form.findChild<QLabel*>("FontSample2");
    EXPECT_TRUE(sample->font().bold());

    // Cancelled: the block stays as it was.
    prompts.ExpectFont(std::nullopt);
    QTest::mouseClick(form.findChild<QPushButton*>("FontBtn2"), Qt::LeftButton);
    EXPECT_EQ(form.fonts()[1], captions);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].initialFont, captions.ToChoice());
    EXPECT_FALSE(prompts.shown()[0].fixedPitchOnly);

    const base::FontChoice chosen{std::string(40, 'F'), 14, false, true, false, false, 0x0000FF};
    prompts.ExpectFont(chosen);
    QTest::mouseClick(form.findChild<QPushButton*>("FontBtn2"), Qt::LeftButton);
    EXPECT_EQ(form.fonts()[1], (FontSpec{std::string(32, 'F'), 14, 0x0000FF, kItalic}));
    EXPECT_EQ(form.fonts()[0], body);
    EXPECT_TRUE(sample->font().italic());
    EXPECT_EQ(sample->font().pointSize(), 14);
    EXPECT_EQ(sample->palette().color(QPalette::WindowText), QColor(255, 0, 0));

    QTest::mouseClick(form.findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace shell::ui
