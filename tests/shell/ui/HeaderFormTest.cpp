#include "shell/ui/HeaderForm.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "support/ScriptedPrompts.h"

namespace shell::ui {
namespace {

TEST(HeaderForm, FontButtonsChangeOnlyTheirBlockAndItsSample) {
    testsupport::ScriptedPrompts prompts;
    QString helpTopic;
    THeaderForm form(prompts, [&](const QString& topic) { helpTopic = topic; });
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

    base::FontChoice chosen;
    chosen.family = std::string(40, 'F');
    chosen.pointSize = 14;
    chosen.italic = true;
    chosen.color = 0x0000FF;
    prompts.ExpectFont(chosen);
    QTest::mouseClick(form.findChild<QPushButton*>("FontBtn2"), Qt::LeftButton);
    EXPECT_EQ(form.fonts()[1], (FontSpec{std::string(32, 'F'), 14, 0x0000FF, kItalic}));
    EXPECT_EQ(form.fonts()[0], body);
    EXPECT_TRUE(sample->font().italic());
    EXPECT_EQ(sample->font().pointSize(), 14);
    EXPECT_EQ(sample->palette().color(QPalette::WindowText), QColor(255, 0, 0));

    QTest::mouseClick(form.findChild<QPushButton*>("HelpBtn"), Qt::LeftButton);
    EXPECT_EQ(helpTopic, "HFC");
    QTest::mouseClick(form.findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
}

TEST(HeaderForm, TextsKeepTheirLimits) {
    testsupport::ScriptedPrompts prompts;
    THeaderForm form(prompts, [](const QString&) {});
    const std::pair<const char*, int> limits[] = {
        {"InvCapData", 25}, {"StmntCapData", 25}, {"PackSHeadData", 25}, {"FCHeadData", 25},
        {"PrCdhead", 15},   {"QuanHead", 15},     {"DescHead", 32},      {"Edit8", 15},
        {"ExtHead", 15},    {"MemoHeadr", 80},    {"StmntNote", 80},     {"EBShipCap", 25}};
    for (const auto& [name, limit] : limits) {
        auto* edit = form.findChild<QLineEdit*>(name);
        ASSERT_NE(edit, nullptr) << name;
        EXPECT_EQ(edit->maxLength(), limit) << name;
    }
}

}  // namespace
}  // namespace shell::ui
