#pragma once
// The proof that a killed process loses nothing it acknowledged: random adds, updates and deletes
// with keys on three file blocks, driven through `kt-invorra-tool script` one command at a time
// and killed with SIGKILL at a random command; then each block is opened (which must refuse with
// 10010 once it was changed), rebuilt and compared with what the tool acknowledged.
//
// Records are known by their content (an id in the record and in key 1), since a rebuild
// renumbers them. Only the single operation whose record command was in flight may differ.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace tooltest {

struct CrashBlock {
    std::string name;
    int recordLength = 0;
    std::map<std::string, std::string> rows;       // id -> record text (bytes from offset 4)
    std::map<std::string, int32_t> recordNumbers;  // id -> record number while the block is open
    bool changed = false;  // an acknowledged command set the in-use flag since the last open
};

// The record operation that was under way when the process died.
struct InFlight {
    CrashBlock* block = nullptr;
    std::string id;
    std::optional<std::string> before, after;  // nothing: the record does not exist
};

class CrashWorkload {
public:
    CrashWorkload(std::filesystem::path dir, uint32_t seed);

    // Runs random operations in a fresh script process and kills it after a random number of
    // commands (at most `maxCommands`).
    void RunAndKill(int maxCommands);
    // Opens, rebuilds and verifies every block; failures are reported through gtest. Afterwards the
    // model holds what the files hold, so the next round continues from there.
    void RecoverAndVerify();

    static std::string RebuildCommand(const CrashBlock& block);

private:
    class Driver;
    void Add(Driver& driver, CrashBlock& block);
    void Update(Driver& driver, CrashBlock& block);
    void Delete(Driver& driver, CrashBlock& block);
    std::string NewText(const CrashBlock& block, const std::string& id);
    void VerifyBlock(CrashBlock& block);

    std::filesystem::path dir_;
    std::mt19937 random_;
    std::vector<CrashBlock> blocks_;
    std::optional<InFlight> inFlight_;
    int nextId_ = 1;
    bool created_ = false;
};

// Parses "RECNO HEX" lines of `dump NAME` into record number -> record bytes.
std::map<int32_t, std::string> ParseRecordDump(const std::string& out);

}  // namespace tooltest
