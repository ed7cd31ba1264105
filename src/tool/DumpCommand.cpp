// dump NAME [--key K]: prints the live records of a file block ("RECNO HEX", in record number
// order), or the entries of key K in key order ("RECNO \"KEY\""). The block is opened read-only.

#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/Errors.h"
#include "tool/Commands.h"
#include "tool/ScriptSyntax.h"

namespace tool {
namespace {

int Fail(const engine::Engine& engine, const std::string& what) {
    std::fprintf(stderr, "%s: err %d\n", what.c_str(), engine.error());
    return 1;
}

void PrintRecords(engine::Engine& engine, engine::FileBlockHandle fb) {
    std::vector<std::byte> record(static_cast<size_t>(engine.RecordLength(fb)));
    std::string line;
    for (int32_t recordNumber = 0;;) {
        engine.NextUsedRecord(fb, recordNumber);
        if (!engine.ok()) return;
        engine.GetRecord(fb, recordNumber, record);
        if (!engine.ok()) return;
        line = std::to_string(recordNumber) + ' ';
        static constexpr char kHex[] = "0123456789abcdef";
        for (const std::byte b : record) {
            const auto c = static_cast<unsigned char>(b);
            line.push_back(kHex[c >> 4]);
            line.push_back(kHex[c & 15]);
        }
        std::puts(line.c_str());
    }
}

void PrintKeys(engine::Engine& engine, engine::FileBlockHandle fb, int keyNumber) {
    int32_t recordNumber = 0;
    std::string key;
    for (;;) {
        engine.NextKey(fb, keyNumber, recordNumber, key);
        if (!engine.ok()) return;
        std::printf("%d %s\n", recordNumber, QuoteBytes(key).c_str());
    }
}

}  // namespace

int DumpCommand(const Args& args) {
    int keyNumber = 0;
    const bool byKey = args.size() == 3 && args[1] == "--key";
    if (byKey) {
        const std::string& text = args[2];
        const auto [end, error] =
            std::from_chars(text.data(), text.data() + text.size(), keyNumber);
        if (error != std::errc() || end != text.data() + text.size()) keyNumber = -1;
    }
    if ((args.size() != 1 && !byKey) || keyNumber < 0) {
        std::fputs("usage: kt-invorra-tool dump NAME [--key K]\n", stderr);
        return 2;
    }
    const std::string& name = args[0];
    engine::Engine engine;
    engine.InitEngine(0, 30);
    if (!engine.ok()) return Fail(engine, "init");
    engine::FileBlockHandle fb = nullptr;
    engine.OpenFileBlock(fb, name, {.readOnly = true});
    if (!engine.ok()) return Fail(engine, name);
    if (byKey)
        PrintKeys(engine, fb, keyNumber);
    else
        PrintRecords(engine, fb);
    const bool ended =
        engine.error() == (byKey ? engine::err::kNoNextKey : engine::err::kNoLiveRecord);
    if (!ended) return Fail(engine, name);
    engine.CloseFileBlock(fb);
    return engine.ok() ? 0 : Fail(engine, name);
}

}  // namespace tool
