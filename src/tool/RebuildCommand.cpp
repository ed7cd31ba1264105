// rebuild DIR [CODE] [--compact]: rebuilds the company file and then the files of company CODE,
// or of every company in the company file, in the order and with the captions of the program's
// Rebuild Data Files command, using the records' own key builders. Prints a line per file, and the
// counts the status window would show. With --compact each index is built bottom-up from its
// sorted keys instead: smaller, faster trees with the same entries.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/BlockFile.h"
#include "engine/CompactRebuild.h"
#include "engine/Engine.h"
#include "records/CompanyRecord.h"
#include "records/RecordTypes.h"
#include "tool/Commands.h"
#include "tool/ConsolePrompts.h"

namespace tool {
namespace {

// Prints the status window's lines: at the start, every 50 records read, and at the end.
class ProgressPrinter : public engine::RebuildObserver {
public:
    void RebuildStarted(const std::string& statusCaption) override {
        caption_ = statusCaption;
        keyNumber_ = read_ = written_ = 0;
    }
    void RebuildProgress(int keyNumber, int32_t read, int32_t written) override {
        keyNumber_ = keyNumber;
        read_ = read;
        written_ = written;
        if (read % 50 == 0) Print();
    }
    void RebuildFinished() override {}
    void Print() const {
        std::printf("  %s: Key number: %d  Records read: %d  Records written: %d\n",
                    caption_.c_str(), keyNumber_, read_, written_);
    }

private:
    std::string caption_;
    int keyNumber_ = 0;
    int32_t read_ = 0;
    int32_t written_ = 0;
};

// The codes of every company on file, in record order.
std::vector<std::string> CompanyCodes(engine::Engine& engine) {
    std::vector<std::string> codes;
    engine::FileBlockHandle fb = nullptr;
    engine.OpenFileBlock(fb, "Company",
                         {.readOnly = true, .recordLength = records::CompanyRecord::kSize});
    if (!engine.ok()) return codes;
    records::CompanyRecord company;
    for (int32_t recordNumber = 0;;) {
        engine.NextUsedRecord(fb, recordNumber);
        if (!engine.ok()) break;
        engine.GetRecord(fb, recordNumber, company.bytes());
        if (engine.ok() && !company.code().empty()) codes.push_back(company.code());
    }
    engine.CloseFileBlock(fb);  // read only: nothing to write back
    return codes;
}

// The data phase, then every index built compact; the engine error number, 0 when it worked.
int32_t RebuildCompact(engine::Engine& engine, const engine::FileDescription& file) {
    engine.RebuildDataFile(file.name, file.recordLength, file.recordLength, engine::KeepLiveRecord);
    if (!engine.ok()) return engine.error();
    bool logWritten = false;
    return engine::RebuildIndexCompact(engine::PosixFileSystem(), file.name, file.keyCount(),
                                       file.keys.data(), file.buildKey, true, logWritten);
}

// Rebuilds one file; false when it exists and its rebuild failed.
bool RebuildFile(engine::Engine& engine, const engine::FileDescription& file, bool compact) {
    const std::string dataFile = file.name + ".DAT";
    if (!std::filesystem::exists(dataFile) && !std::filesystem::exists(file.name + ".SAV")) {
        std::printf("%s (%s): no file, skipped\n", file.statusCaption.c_str(), file.name.c_str());
        return true;
    }
    std::printf("%s (%s): rebuilding\n", file.statusCaption.c_str(), file.name.c_str());
    if (compact) {
        if (const int32_t error = RebuildCompact(engine, file)) {
            std::printf("%s (%s): failed, err %d\n", file.statusCaption.c_str(), file.name.c_str(),
                        error);
            return false;
        }
        std::printf("%s (%s): rebuilt\n", file.statusCaption.c_str(), file.name.c_str());
        return true;
    }
    ConsolePrompts prompts;
    ProgressPrinter progress;
    engine::BlockFile block(engine, file, prompts, &progress);
    const bool rebuilt = block.Rebuild();
    progress.Print();
    if (!rebuilt) {
        std::printf("%s (%s): failed, err %d\n", file.statusCaption.c_str(), file.name.c_str(),
                    engine.error());
        return false;
    }
    std::printf("%s (%s): rebuilt\n", file.statusCaption.c_str(), file.name.c_str());
    return true;
}

}  // namespace

int RebuildCommand(const Args& given) {
    Args args = given;
    const auto flag = std::find(args.begin(), args.end(), std::string("--compact"));
    const bool compact = flag != args.end();
    if (compact) args.erase(flag);
    if (args.empty() || args.size() > 2) {
        std::fputs("usage: kt-invorra-tool rebuild DIR [CODE] [--compact]\n", stderr);
        return 2;
    }
    std::error_code error;
    std::filesystem::current_path(args[0], error);
    if (error) {
        std::fprintf(stderr, "rebuild: cannot enter %s: %s\n", args[0].c_str(),
                     error.message().c_str());
        return 1;
    }
    engine::Engine engine;
    engine.InitEngine(0, 30);
    bool allRebuilt = RebuildFile(
        engine, records::RecordTypeOf(records::RecordKind::Company).Describe(), compact);
    const std::vector<std::string> codes =
        args.size() == 2 ? std::vector<std::string>{args[1]} : CompanyCodes(engine);
    for (const std::string& code : codes) {
        for (const records::RecordType& type : records::RecordTypes())
            if (type.kind != records::RecordKind::Company)
                allRebuilt = RebuildFile(engine, type.Describe(code), compact) && allRebuilt;
    }
    engine.ExitEngine();
    allRebuilt = allRebuilt && engine.ok();
    std::puts(allRebuilt ? "The data files have been rebuilt."
                         : "Some files could not be rebuilt.");
    return allRebuilt ? 0 : 1;
}

}  // namespace tool
