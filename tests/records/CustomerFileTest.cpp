// Customers written with their keys into a real customer file.

#include <gtest/gtest.h>

#include "engine/RecordFile.h"
#include "records/RecordTypes.h"
#include "support/Samples.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace records {
namespace {

TEST(CustomerFile, NamesAgreeingInThirtyCharactersCannotBothBeStored) {
    testsupport::TempDir dir;
    testsupport::ScopedChdir inDir(dir.path());
    engine::Engine engine;
    engine.InitEngine(0, 30);
    testsupport::ScriptedPrompts prompts;
    prompts.ExpectInform("New Company",
                         "I am going to create a new, empty customer file for this company.");
    engine::RecordFile file(engine, RecordTypeOf(RecordKind::Customer).Describe("1"), prompts);
    ASSERT_TRUE(file.Open());

    const std::string prefix = "Consolidated Widget Distributors";  // 32 characters
    const CustomerRecord first = testsupport::SampleCustomer("a12", prefix + " Ltd");
    const CustomerRecord second = testsupport::SampleCustomer("B7", prefix + " Inc");
    int32_t recordNumber = 0;
    ASSERT_TRUE(file.Add(first.data(), recordNumber));
    EXPECT_FALSE(file.Add(second.data(), recordNumber));
    EXPECT_EQ(engine.UsedRecords(file.handle()), 1);
    EXPECT_EQ(engine.UsedKeys(file.handle(), 2), 1);

    // "A12 " finds the customer typed as "a12".
    CustomerRecord wanted;
    wanted.setNumber("A12 ");
    std::string key = wanted.key(2);
    int32_t found = 0;
    ASSERT_TRUE(file.SearchKey(2, found, key));
    EXPECT_EQ(key, "A12     ");
    CustomerRecord stored;
    engine.GetRecord(file.handle(), found, stored.data());
    EXPECT_EQ(stored.number(), "a12");
    file.Close();
}

}  // namespace
}  // namespace records
