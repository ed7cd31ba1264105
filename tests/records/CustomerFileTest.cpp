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
    engine::RecordFile<CustomerRecord> file(engine, RecordTypeOf(RecordKind::Customer).Describe("1"),
                                            prompts);
    ASSERT_TRUE(file.Open());

    const std::string prefix = "Consolidated Widget Distributors";  // 32 characters
    const CustomerRecord first = testsupport::SampleCustomer("a12", prefix + " Ltd");
    const CustomerRecord second = testsupport::SampleCustomer("B7", prefix + " Inc");
    int32_t recordNumber = 0;
    ASSERT_TRUE(file.Add(first, recordNumber));
    EXPECT_FALSE(file.Add(second, recordNumber));
    EXPECT_EQ(engine.UsedRecords(file.handle()), 1);
    EXPECT_EQ(engine.UsedKeys(file.handle(), 2), 1);

    // "A12 " finds the customer typed as "a12".
    CustomerRecord wanted;
    wanted.setNumber("A12 ");
    engine::KeyEntry<CustomerRecord> found;
    ASSERT_EQ(file.Search(2, wanted.key(2), found), engine::ErrorClass::None);
    EXPECT_EQ(found.key, "A12     ");
    EXPECT_EQ(found.record.number(), "a12");
    EXPECT_TRUE(file.Close());
}

}  // namespace
}  // namespace records
