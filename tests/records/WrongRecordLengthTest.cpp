// Every file of the program whose data header announces another record length than its records
// have (an old or damaged file) is refused as defective, and its rebuild turns it into a file of
// the right length that keeps its live records.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "engine/BlockFile.h"
#include "engine/Errors.h"
#include "records/RecordTypes.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace records {
namespace {

constexpr const char* kRebuildQuestion = "Index file is defective.  Rebuild?";

// A live record of `length` bytes whose every byte after the deletion mark is set.
std::vector<std::byte> PatternRecord(int length) {
    std::vector<std::byte> record(static_cast<size_t>(length));
    for (size_t i = 4; i < record.size(); ++i) record[i] = std::byte(0x41 + i % 26);
    return record;
}

struct WrongLength {
    int description;  // index into RecordTypes(): Company, C, I, D, M, P
    int delta;        // what the header's record length differs by
    friend void PrintTo(const WrongLength& c, std::ostream* out) {
        *out << RecordTypes()[static_cast<size_t>(c.description)].rebuildCaption() << " "
             << std::showpos << c.delta;
    }
};

class WrongRecordLengthTest : public ::testing::TestWithParam<WrongLength> {
protected:
    WrongRecordLengthTest() { engine_.InitEngine(0, 30); }

    // The file as a program with another layout would have left it: `length`-byte records, one
    // of them live, and the description's keys.
    void WriteFileWithLength(int length) {
        engine_.CreateFileBlock(file_.name, length, file_.keyCount(), file_.keys.data());
        ASSERT_TRUE(engine_.ok()) << engine_.error();
        engine::FileBlockHandle fb = nullptr;
        engine_.OpenFileBlock(fb, file_.name);
        int32_t recordNumber = 0;
        engine_.AddRecord(fb, recordNumber, PatternRecord(length));
        ASSERT_TRUE(engine_.ok()) << engine_.error();
        engine_.CloseFileBlock(fb);
        ASSERT_TRUE(engine_.ok()) << engine_.error();
    }

    testsupport::TempDir dir_;
    testsupport::ScopedChdir inDir_{dir_.path()};
    engine::Engine engine_;
    testsupport::ScriptedPrompts prompts_;
    engine::FileDescription file_ =
        RecordTypes()[static_cast<size_t>(GetParam().description)].Describe("1");
};

TEST_P(WrongRecordLengthTest, IsRefusedAsDefectiveAndItsRebuildKeepsTheRecord) {
    SCOPED_TRACE(file_.name);
    const int storedLength = file_.recordLength + GetParam().delta;
    WriteFileWithLength(storedLength);

    engine::BlockFile file(engine_, file_, prompts_);
    EXPECT_FALSE(file.OpenReadOnly());
    EXPECT_EQ(engine_.error(), engine::err::kIndexUnusable);

    prompts_.ExpectYesNo("Information", kRebuildQuestion, false, base::PromptIcon::Information);
    EXPECT_FALSE(file.Open());
    EXPECT_FALSE(file.IsOpen());

    prompts_.ExpectYesNo("Information", kRebuildQuestion, true, base::PromptIcon::Information);
    ASSERT_TRUE(file.Open()) << engine_.error();
    EXPECT_EQ(engine_.RecordLength(file.handle()), file_.recordLength);
    EXPECT_EQ(engine_.UsedRecords(file.handle()), 1);
    for (int key = 1; key <= file_.keyCount(); ++key)
        EXPECT_EQ(engine_.UsedKeys(file.handle(), key), 1) << "key " << key;

    // The record keeps the bytes both lengths share; a longer layout pads it with zeros.
    std::vector<std::byte> expected = PatternRecord(storedLength);
    expected.resize(static_cast<size_t>(file_.recordLength));
    std::vector<std::byte> stored(static_cast<size_t>(file_.recordLength));
    ASSERT_TRUE(file.GetRecord(1, stored));
    EXPECT_TRUE(std::ranges::equal(stored, expected));
    EXPECT_TRUE(file.Close());
}

std::vector<WrongLength> EveryFileLongerAndShorter() {
    std::vector<WrongLength> cases;
    for (int description = 0; description < 6; ++description)
        for (int delta : {+1264, -1}) cases.push_back({description, delta});
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<WrongLength>& info) {
    static const char* const kNames[] = {"Company", "C", "I", "D", "M", "P"};
    return std::string(kNames[info.param.description]) +
           (info.param.delta > 0 ? "Longer" : "Shorter");
}

INSTANTIATE_TEST_SUITE_P(CompanyAndItsFiles, WrongRecordLengthTest,
                         ::testing::ValuesIn(EveryFileLongerAndShorter()), CaseName);

}  // namespace
}  // namespace records
