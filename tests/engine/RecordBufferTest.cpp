// A record buffer shorter than the block's record length is refused before a byte is read or
// written, by the engine's record calls and by the file convention built on them.

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "engine/BlockFile.h"
#include "engine/Errors.h"
#include "support/ScriptedPrompts.h"

namespace enginetest {
namespace {

constexpr int kLength = 40;

engine::FileDescription OneKeyFile() {
    engine::FileDescription d;
    d.name = "S";
    d.statusCaption = "Short";
    d.recordLength = kLength;
    d.keys = {{6, false}};
    d.buildKey = [](std::span<const std::byte> record, int) {
        return std::string(reinterpret_cast<const char*>(record.data()) + 4, 6);
    };
    d.addOrder = d.updateOrder = {1};
    return d;
}

struct ShortCall {
    const char* name;
    // Runs the call on record 1 with `buffer`; answers whether it reported success.
    std::function<bool(Engine&, engine::BlockFile&, std::span<std::byte> buffer)> run;
};

class RecordBufferTest : public EngineTest, public ::testing::WithParamInterface<ShortCall> {};

TEST_P(RecordBufferTest, BufferOneByteShortIsRefusedAndChangesNothing) {
    engine::FileDescription description = OneKeyFile();
    testsupport::ScriptedPrompts prompts;
    engine::BlockFile file(engine_, description, prompts);
    ASSERT_TRUE(file.Create());
    ASSERT_TRUE(file.Open());
    const std::vector<uint8_t> stored = Record(kLength, "ALPHA1");
    int32_t recordNumber = 0;
    ASSERT_TRUE(file.Add(std::as_bytes(std::span(stored)), recordNumber));
    ASSERT_TRUE(file.Close());
    const std::vector<uint8_t> before = ReadFileBytes(path("S.DAT"));
    ASSERT_TRUE(file.Open());

    // The byte after the short buffer is a guard a read must not reach.
    std::vector<std::byte> buffer(kLength, std::byte{0x5A});
    const std::span<std::byte> shortBuffer = std::span(buffer).first(kLength - 1);
    EXPECT_FALSE(GetParam().run(engine_, file, shortBuffer));
    EXPECT_EQ(engine_.error(), engine::err::kRecordBufferTooShort);
    EXPECT_EQ(engine_.errorClass(), engine::ErrorClass::Fatal);
    EXPECT_EQ(buffer.back(), std::byte{0x5A});

    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadFileBytes(path("S.DAT")), before);
    EXPECT_EQ(CheckBlock("S"), "");
}

const ShortCall kShortCalls[] = {
    {"EngineAdd",
     [](Engine& e, engine::BlockFile& f, std::span<std::byte> b) {
         int32_t n = 0;
         e.AddRecord(f.handle(), n, b);
         return e.ok();
     }},
    {"EngineGet",
     [](Engine& e, engine::BlockFile& f, std::span<std::byte> b) {
         e.GetRecord(f.handle(), 1, b);
         return e.ok();
     }},
    {"EnginePut",
     [](Engine& e, engine::BlockFile& f, std::span<std::byte> b) {
         e.PutRecord(f.handle(), 1, b);
         return e.ok();
     }},
    {"FileAdd",
     [](Engine&, engine::BlockFile& f, std::span<std::byte> b) {
         int32_t n = 0;
         return f.Add(b, n);
     }},
    {"FileUpdate",
     [](Engine&, engine::BlockFile& f, std::span<std::byte> b) {
         const std::vector<uint8_t> whole = Record(kLength, "ALPHA1");
         return f.Update(1, b, std::as_bytes(std::span(whole))) != engine::UpdateOutcome::Failed;
     }},
    {"FileUpdateOriginal",
     [](Engine&, engine::BlockFile& f, std::span<std::byte> b) {
         const std::vector<uint8_t> whole = Record(kLength, "BETA22");
         return f.Update(1, std::as_bytes(std::span(whole)), b) != engine::UpdateOutcome::Failed;
     }},
    {"FileDelete",
     [](Engine&, engine::BlockFile& f, std::span<std::byte> b) { return f.Delete(1, b); }},
    {"FileGet",
     [](Engine&, engine::BlockFile& f, std::span<std::byte> b) { return f.GetRecord(1, b); }},
    {"FilePut",
     [](Engine&, engine::BlockFile& f, std::span<std::byte> b) { return f.PutRecord(1, b); }},
    {"FileAddRecord",
     [](Engine&, engine::BlockFile& f, std::span<std::byte> b) {
         int32_t n = 0;
         return f.AddRecord(n, b);
     }},
};

INSTANTIATE_TEST_SUITE_P(EveryRecordCall, RecordBufferTest, ::testing::ValuesIn(kShortCalls),
                         [](const ::testing::TestParamInfo<ShortCall>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace enginetest
