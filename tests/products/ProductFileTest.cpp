// Products written with their keys into a real product file.

#include <gtest/gtest.h>

#include "engine/RecordFile.h"
#include "support/Samples.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace products {
namespace {

TEST(ProductFile, CodesDifferingInCaseAreOneProductButDescriptionsMayRepeat) {
    testsupport::TempDir dir;
    testsupport::ScopedChdir inDir(dir.path());
    engine::Engine engine;
    engine.InitEngine(0, 30);
    testsupport::ScriptedPrompts prompts;
    prompts.ExpectInform("New Company",
                         "I am going to create a new, empty product file for this company.");
    engine::RecordFile file(engine, ProductFileDescription("1"), prompts);
    ASSERT_TRUE(file.Open());

    const std::string description = "Stainless steel hex bolts, 10 mm";  // 32 characters
    int32_t recordNumber = 0;
    ASSERT_TRUE(
        file.Add(testsupport::SampleProduct("abc", description, "1.25").data(), recordNumber));
    EXPECT_FALSE(file.Add(testsupport::SampleProduct("ABC", "Other", "2").data(), recordNumber));
    ASSERT_TRUE(file.Add(testsupport::SampleProduct("abd", description + "!", "1.30").data(),
                         recordNumber));
    EXPECT_EQ(engine.UsedRecords(file.handle()), 2);
    EXPECT_EQ(engine.UsedKeys(file.handle(), 2), 2);
    file.Close();
}

}  // namespace
}  // namespace products
