#include "correspondence/LabelWizardFlow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "correspondence/LabelSheet.h"
#include "support/CompanyOneFixture.h"
#include "support/RecordingCanvas.h"

namespace correspondence {
namespace {

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

class LabelWizardFlowTest : public testsupport::CompanyOneFixture {
protected:
    LabelWizardFlowTest() : CompanyOneFixture([](records::CompanyRecord&) {}) {
        testsupport::AddRecords(engine, File(records::RecordKind::Customer),
                                std::vector{testsupport::SampleCustomer("A1", "Able"),
                                            testsupport::SampleCustomer("B1", "Baker"),
                                            testsupport::SampleCustomer("C1", "Cole")});
    }

    static LabelLayout Sheet(std::string columns, std::string rows) {
        LabelLayout layout;
        layout.description = "Test sheet";
        layout.leftMargin = "100";
        layout.topMargin = "100";
        layout.columnsAcross = std::move(columns);
        layout.rowsDown = std::move(rows);
        layout.labelWidth = "1600";
        layout.labelHeight = "600";
        layout.font = {"Arial", 10, 0, 0};
        layout.lineWidth = "1";
        return layout;
    }

    void QueueAll() {
        for (const char* number : {"A1", "B1", "C1"}) state.printQueue.Add({number, "", "", ""});
    }

    LabelWizardFlow flow{{engine, prompts, state}};
};

TEST_F(LabelWizardFlowTest, TheLayoutOpenedIsRememberedAndCopied) {
    EXPECT_EQ(flow.Start(), kOpenLayoutText);
    const std::string path = (dir.path() / "sheet.LBL").string();
    std::ofstream(path, std::ios::binary) << LabelLayoutBytes(Sheet("3", "10"));
    ASSERT_TRUE(flow.OpenLayout(path));
    EXPECT_EQ(ReadLastLayout(FileBytes("Lastlbl.DAT")), path);
    EXPECT_EQ(FileBytes("Label.Dat"), FileBytes(path));

    LabelWizardFlow next{{engine, prompts, state}};
    EXPECT_EQ(next.Start(), kLabelReadyText);
    EXPECT_EQ(next.loaded(), StoredForm(Sheet("3", "10")));

    std::filesystem::remove(path);
    LabelWizardFlow after{{engine, prompts, state}};
    EXPECT_EQ(after.Start(), kOpenLayoutText);
    EXPECT_FALSE(std::filesystem::exists("Lastlbl.DAT"));
}

TEST_F(LabelWizardFlowTest, AFileThatIsNoLayoutChangesNothing) {
    const std::string path = (dir.path() / "short.LBL").string();
    std::ofstream(path, std::ios::binary) << std::string(100, '\0');
    prompts.ExpectWarn("Label Wizard", NotALayoutText(path));
    EXPECT_FALSE(flow.OpenLayout(path));
    EXPECT_FALSE(flow.loaded());
    EXPECT_FALSE(std::filesystem::exists("Lastlbl.DAT"));
    EXPECT_FALSE(std::filesystem::exists("Label.Dat"));
}

TEST_F(LabelWizardFlowTest, AListFileKeepsEveryColumnExactlyAndSettlesTheQueue) {
    const company::QueuedCustomer long_name{"A1", std::string(35, 'N'), "ZONE-7", "Wholesale"};
    state.printQueue.Add(long_name);
    state.printQueue.Add({"B1", "Baker", "", ""});
    const std::string path = (dir.path() / "q.LST").string();
    EXPECT_EQ(flow.SaveQueue(path), "Records saved to file: " + path + ".");
    EXPECT_FALSE(state.printQueue.pending());
    state.printQueue.Clear();
    EXPECT_EQ(flow.LoadQueue(path), "2 records are selected.");
    EXPECT_EQ(state.printQueue.items()[0], long_name);
    EXPECT_TRUE(state.printQueue.pending());
}

TEST_F(LabelWizardFlowTest, QueueCommandsSayWhatTheyDid) {
    prompts.ExpectInform("Save Records", "You do not have any customer records to save.");
    EXPECT_FALSE(flow.SaveQueue("x.LST"));
    EXPECT_FALSE(flow.ClearAll());  // an empty queue only beeps
    prompts.ExpectInform("Delete Record",
                         "You have not selected a record for deletion. To select a record, click "
                         "on column 1 (Customer Number) of that record to hilite it and then "
                         "select the delete option.");
    EXPECT_FALSE(flow.Delete(std::nullopt));
    EXPECT_EQ(flow.LoadAll(), "3 records were added.");
    EXPECT_EQ(flow.Delete(1), "2 records are selected.");
    prompts.ExpectYesNo("Please Confirm",
                        "This will clear all records in the print queue. Continue?", true);
    EXPECT_EQ(flow.ClearAll(), "All records were removed from the queue.");
    EXPECT_FALSE(state.printQueue.pending());
}

TEST_F(LabelWizardFlowTest, AnAgingLoadFindingNobodyKeepsTheQueueAsItWas) {
    prompts.ExpectInform("31-60:", "No records were found.");  // the caption, as set
    EXPECT_FALSE(flow.LoadOwing(2));
    EXPECT_TRUE(state.printQueue.empty());
    EXPECT_FALSE(state.printQueue.pending());
}

TEST_F(LabelWizardFlowTest, PrintingAChangedLayoutOffersToSaveItFirst) {
    prompts.ExpectInform("Print Labels",
                         "You do not have any customer records listed in the print queue.");
    testsupport::RecordingCanvas unused;
    EXPECT_FALSE(flow.PrintLabels(unused, Sheet("1", "2"), "1", "2"));

    QueueAll();
    LabelLayout empty = Sheet("1", "2");
    empty.rowsDown = "";
    prompts.ExpectWarn("Print Labels", kEmptyLayoutFieldText);
    EXPECT_FALSE(flow.PrintLabels(unused, empty, "1", "2"));
    EXPECT_TRUE(unused.documents().empty());

    const std::string path = (dir.path() / "saved.LBL").string();
    prompts.ExpectYesNo("Print Labels",
                        "Your layout settings have changed. Do you want to save the changes "
                        "before printing?",
                        true);
    prompts.ExpectSaveFile(path);
    testsupport::RecordingCanvas canvas;
    EXPECT_EQ(flow.PrintLabels(canvas, Sheet("1", "2"), "1", "2"),
              "Complete. 6 label(s) sent to printer.");
    EXPECT_EQ(canvas.pages(), 3);
    EXPECT_EQ(FileBytes(path), LabelLayoutBytes(Sheet("1", "2")));
    EXPECT_FALSE(state.printQueue.pending());
    EXPECT_FALSE(flow.LayoutChanged(Sheet("1", "2")));
}

TEST_F(LabelWizardFlowTest, ADeletedQueuedCustomerGetsNoLabelAndIsNamed) {
    state.printQueue.Add({"A1", "", "", ""});
    state.printQueue.Add({"ZZ", "", "", ""});
    prompts.ExpectYesNo("Print Labels",
                        "Your layout settings have changed. Do you want to save the changes "
                        "before printing?",
                        false);
    prompts.ExpectWarn("Print Labels",
                       "These queued customers got no label:\nCustomer ZZ is no longer on file.");
    testsupport::RecordingCanvas canvas;
    EXPECT_EQ(flow.PrintLabels(canvas, Sheet("1", "1"), "", ""),
              "Complete. 1 label(s) sent to printer.");
    EXPECT_EQ(canvas.pages(), 1);
}

}  // namespace
}  // namespace correspondence
