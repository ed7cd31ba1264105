#include "widgets/DataBrowser.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/FaultInjectingFileSystem.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace {

using engine::FaultInjectingFileSystem;
using widgets::RowRec;
using widgets::TFvcBrowser;
using widgets::TFvcDataSource;

constexpr int kRecordLength = 40;

class DataBrowserTest : public ::testing::Test {
protected:
    DataBrowserTest() : chdir_(dir_.path()), faults_(engine::PosixFileSystem()), engine_(faults_) {
        engine_.InitEngine(0, 30);
        const engine::KeyDescriptor key{10, true};
        engine_.CreateFileBlock("BR", kRecordLength, 1, &key);
        engine_.OpenFileBlock(fb_, "BR");
        browser_.resize(320, 200);
        browser_.show();  // lays out the viewport, which decides the rows of a page
        browser_.OnBuildRow = [this](TFvcBrowser&, RowRec& row) {
            row.text = Name() + " #" + std::to_string(row.recordNumber);
        };
        browser_.OnRowChanged = [this](TFvcBrowser&) { ++rowChanges_; };
    }

    std::string Name() const { return reinterpret_cast<const char*>(buffer_.data()) + 4; }

    int32_t Add(const std::string& name) {
        std::vector<uint8_t> record(kRecordLength, 0);
        std::memcpy(record.data() + 4, name.data(), name.size());
        int32_t n = 0;
        engine_.AddRecord(fb_, n, std::as_bytes(std::span(record)));
        engine_.AddKey(fb_, 1, n, name);
        EXPECT_TRUE(engine_.ok());
        return n;
    }

    void AddNumbered(int count) {
        for (int i = 1; i <= count; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "N%05d", i);
            Add(name);
        }
    }

    void Attach(int keyNumber = 1, std::string low = {}, std::string high = {}) {
        auto source = std::make_unique<TFvcDataSource>(engine_, fb_, keyNumber, std::move(low),
                                                       std::move(high),
                                                       std::as_writable_bytes(std::span(buffer_)));
        source->SetRetryPause([this](std::chrono::milliseconds) { ++pauses_; });
        browser_.AttachDataSource(std::move(source));
    }

    std::vector<int32_t> Numbers() const {
        std::vector<int32_t> numbers;
        for (const RowRec& row : browser_.rows()) numbers.push_back(row.recordNumber);
        return numbers;
    }

    void Press(int key, const QString& text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(&browser_, &press);
    }

    testsupport::TempDir dir_;
    testsupport::ScopedChdir chdir_;
    FaultInjectingFileSystem faults_;
    engine::Engine engine_;
    engine::FileBlockHandle fb_ = nullptr;
    testsupport::ScriptedPrompts prompts_;
    std::vector<uint8_t> buffer_ = std::vector<uint8_t>(kRecordLength, 0);
    int rowChanges_ = 0;
    int pauses_ = 0;
    TFvcBrowser browser_{prompts_};
};

TEST_F(DataBrowserTest, EmptyBlockShowsNoRowsAndNoCurrentRecord) {
    EXPECT_EQ(browser_.CurrentKeyNumber(), 65535);
    bool found = true;
    EXPECT_EQ(browser_.RereadCurrentRecord(found), 5);
    Attach();
    EXPECT_TRUE(browser_.rows().empty());
    EXPECT_EQ(browser_.CurrentRecordNumber(), 0);
    EXPECT_EQ(browser_.CurrentKeyNumber(), 1);
    Press(Qt::Key_Down);
    Press(Qt::Key_End);
    Press(Qt::Key_A, "A");
    EXPECT_EQ(browser_.CurrentRecordNumber(), 0);
    EXPECT_EQ(rowChanges_, 0);
}

TEST_F(DataBrowserTest, RowsFollowTheKeyAndFillThePage) {
    Add("CHARLIE");
    Add("ALPHA");
    Add("BRAVO");
    Attach();
    ASSERT_EQ(browser_.rows().size(), 3u);
    EXPECT_EQ(browser_.rows()[0].text, "ALPHA #2");
    EXPECT_EQ(browser_.rows()[2].key, "CHARLIE");
    EXPECT_EQ(browser_.CurrentRecordNumber(), 2);
    EXPECT_EQ(browser_.RowCount(), 3);
}

TEST_F(DataBrowserTest, FilterHidesRowsAndRejectingEverythingShowsNone) {
    AddNumbered(10);
    std::vector<int> states;
    browser_.OnShowFilterWorking = [&](TFvcBrowser&, int state, bool&) { states.push_back(state); };
    bool rejectAll = false;
    browser_.OnPerformFilter = [&](TFvcBrowser&, RowRec& row, bool& useIt) {
        useIt = !rejectAll && row.recordNumber % 2 == 0;
    };
    Attach();
    browser_.SetFilterEnabled(true);
    EXPECT_EQ(Numbers(), (std::vector<int32_t>{2, 4, 6, 8, 10}));
    EXPECT_EQ(states.front(), 0);
    EXPECT_EQ(states.back(), 2);
    rejectAll = true;
    browser_.Refresh();
    EXPECT_TRUE(browser_.rows().empty());
    EXPECT_EQ(browser_.CurrentRecordNumber(), 0);
    browser_.SetFilterEnabled(false);
    EXPECT_EQ(browser_.rows().size(), std::min<size_t>(10, browser_.visibleRowCount()));
}

TEST_F(DataBrowserTest, RecordOrderSkipsDeletedSlots) {
    AddNumbered(6);
    engine_.DeleteRecord(fb_, 2);
    engine_.DeleteRecord(fb_, 4);
    Attach(0);
    EXPECT_EQ(Numbers(), (std::vector<int32_t>{1, 3, 5, 6}));
    browser_.Last();
    EXPECT_EQ(browser_.CurrentRecordNumber(), 6);
    EXPECT_EQ(browser_.RowCount(), 4);
}

TEST_F(DataBrowserTest, TypedCharacterLandsOnTheFirstKeyStartingWithItOrAfter) {
    for (const char* name : {"1ST", "ADAMS", "BAKER", "DAVIS", "EVANS", "\xC4RGER"}) Add(name);
    Attach();
    Press(Qt::Key_D, "D");
    EXPECT_EQ(browser_.CurrentKey(), "DAVIS");
    Press(Qt::Key_C, "C");  // no key starts with C: the next one
    EXPECT_EQ(browser_.CurrentKey(), "DAVIS");
    Press(Qt::Key_1, "1");
    EXPECT_EQ(browser_.CurrentKey(), "1ST");
    Press(Qt::Key_Adiaeresis, QString::fromUtf8("Ä"));
    EXPECT_EQ(browser_.CurrentKey(), "\xC4RGER");
    Press(Qt::Key_Z, "Z");  // nothing at or after Z: the last row
    EXPECT_EQ(browser_.CurrentKey(), "\xC4RGER");
    // Typed as is: a small letter sorts after every capital, unless the window upper-cases it.
    Press(Qt::Key_B, "b");
    EXPECT_EQ(browser_.CurrentKey(), "\xC4RGER");
    browser_.OnKeyPress = [](TFvcBrowser&, QChar& ch) { ch = ch.toUpper(); };
    Press(Qt::Key_B, "b");
    EXPECT_EQ(browser_.CurrentKey(), "BAKER");
}

TEST_F(DataBrowserTest, NavigationKeysMoveTheCurrentRowAndReportIt) {
    AddNumbered(40);
    Attach();
    const int page = browser_.visibleRowCount();
    ASSERT_GE(page, 3);
    rowChanges_ = 0;

    Press(Qt::Key_Up);  // already on the first row
    EXPECT_EQ(browser_.CurrentRecordNumber(), 1);
    EXPECT_EQ(rowChanges_, 0);
    Press(Qt::Key_Down);
    EXPECT_EQ(browser_.CurrentRecordNumber(), 2);
    EXPECT_EQ(rowChanges_, 1);
    Press(Qt::Key_PageDown);
    EXPECT_EQ(browser_.CurrentRecordNumber(), 2 + page);
    EXPECT_EQ(browser_.currentRow(), 1);
    Press(Qt::Key_End);
    EXPECT_EQ(browser_.CurrentRecordNumber(), 40);
    EXPECT_EQ(browser_.currentRow(), page - 1);
    EXPECT_EQ(static_cast<int>(browser_.rows().size()), page);
    Press(Qt::Key_Down);  // nothing after the last row
    EXPECT_EQ(browser_.CurrentRecordNumber(), 40);
    Press(Qt::Key_PageUp);
    EXPECT_EQ(browser_.CurrentRecordNumber(), 40 - page);
    Press(Qt::Key_Home, {}, Qt::ControlModifier);
    EXPECT_EQ(browser_.CurrentRecordNumber(), 1);
    EXPECT_EQ(rowChanges_, 5);

    // Scrolling beyond the page: the current row stays on the bottom line.
    for (int i = 0; i < page; ++i) Press(Qt::Key_Down);
    EXPECT_EQ(browser_.CurrentRecordNumber(), 1 + page);
    EXPECT_EQ(browser_.currentRow(), page - 1);
    EXPECT_EQ(browser_.rows().front().recordNumber, 2);
}

TEST_F(DataBrowserTest, ScrollBarMapsKeyAndRecordPositionsThroughTheEngine) {
    AddNumbered(3000);
    Attach();
    QScrollBar* bar = browser_.verticalScrollBar();
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 63);

    bar->setSliderPosition(32);
    int32_t n = 0;
    std::string key;
    engine_.PositionToKey(fb_, 1, 32, 63, n, key);
    EXPECT_EQ(browser_.CurrentRecordNumber(), n);
    EXPECT_EQ(browser_.CurrentKey(), key);
    EXPECT_EQ(bar->value(), engine_.KeyToPosition(fb_, 1, n, key, 63));

    browser_.PositionAtKey("N02500");
    EXPECT_EQ(bar->value(), engine_.KeyToPosition(fb_, 1, 2500, "N02500", 63));
    bar->setSliderPosition(63);
    EXPECT_EQ(browser_.CurrentRecordNumber(), 3000);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(browser_.CurrentRecordNumber(), 1);

    // In record order the positions are record positions.
    Attach(0);
    bar->setSliderPosition(20);
    EXPECT_EQ(browser_.CurrentRecordNumber(), engine_.PositionToRecord(fb_, 20, 63));
    EXPECT_EQ(bar->value(), engine_.RecordToPosition(fb_, browser_.CurrentRecordNumber(), 63));
}

TEST_F(DataBrowserTest, LastingLockConflictIsReportedAfterThirtyThreeAttempts) {
    AddNumbered(5);
    faults_.FailRead(1, FaultInjectingFileSystem::Repeat::FromThenOn);
    prompts_.ExpectMessage("KT Invorra Pro", "Class 2 error.  Isam Error 10390",
                           base::PromptAnswer::Ok, base::PromptIcon::Error);
    Attach(0);
    EXPECT_TRUE(browser_.rows().empty());
    EXPECT_EQ(pauses_, 32);
}

}  // namespace
