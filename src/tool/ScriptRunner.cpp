#include "tool/ScriptRunner.h"

#include <algorithm>
#include <span>
#include <vector>

#include "tool/ScriptArgs.h"
#include "tool/ScriptSyntax.h"

namespace tool {
namespace {

constexpr int kTextOffset = 4;  // records begin with the engine's 4-byte deletion mark

std::string Number(int64_t value) {
    return std::to_string(value);
}

std::string Entry(int32_t recordNumber, const std::string& key) {
    return Number(recordNumber) + " " + QuoteBytes(key);
}

}  // namespace

struct ScriptRunner::Command {
    std::string_view name;
    std::string (ScriptRunner::*run)(ArgReader&);
};

const ScriptRunner::Command ScriptRunner::kCommands[] = {
    {"init", &ScriptRunner::Init},         {"exit", &ScriptRunner::Exit},
    {"create", &ScriptRunner::Create},     {"open", &ScriptRunner::Open},
    {"close", &ScriptRunner::Close},       {"drop", &ScriptRunner::Drop},
    {"add", &ScriptRunner::Add},           {"put", &ScriptRunner::Put},
    {"get", &ScriptRunner::Get},           {"del", &ScriptRunner::Del},
    {"test", &ScriptRunner::Test},         {"nextused", &ScriptRunner::NextUsed},
    {"prevused", &ScriptRunner::PrevUsed}, {"used", &ScriptRunner::Used},
    {"length", &ScriptRunner::Length},     {"reclen", &ScriptRunner::RecLen},
    {"addkey", &ScriptRunner::AddKey},     {"delkey", &ScriptRunner::DelKey},
    {"search", &ScriptRunner::Search},     {"nextkey", &ScriptRunner::NextKey},
    {"prevkey", &ScriptRunner::PrevKey},   {"usedkeys", &ScriptRunner::UsedKeys},
    {"keypos", &ScriptRunner::KeyPos},     {"poskey", &ScriptRunner::PosKey},
    {"recpos", &ScriptRunner::RecPos},     {"posrec", &ScriptRunner::PosRec},
    {"rebuild", &ScriptRunner::Rebuild},
};

std::string ScriptRunner::Run(std::string_view line) {
    const SplitResult split = SplitWords(line);
    if (!split.error.empty()) return "bad " + split.error;
    if (split.words.empty()) return "bad empty command";
    const Word& command = split.words.front();
    for (const Command& candidate : kCommands) {
        if (!command.quoted && candidate.name == command.text) {
            ArgReader args(split.words);
            return (this->*candidate.run)(args);
        }
    }
    return "bad unknown command " + QuoteBytes(command.text);
}

engine::FileBlockHandle ScriptRunner::Block(const std::string& name) const {
    const auto found = blocks_.find(name);
    return found == blocks_.end() ? nullptr : found->second;
}

std::string ScriptRunner::Reply(std::string_view results) const {
    if (!engine_.ok()) return "err " + Number(engine_.error());
    if (results.empty()) return "ok";
    return "ok " + std::string(results);
}

bool ScriptRunner::BuildRecord(engine::FileBlockHandle fb, std::string_view text,
                               std::string& record) {
    const int32_t length = engine_.RecordLength(fb);
    if (!engine_.ok()) return false;
    record.assign(static_cast<size_t>(std::max(length, kTextOffset)), '\0');
    const size_t room = record.size() - kTextOffset;
    text.copy(record.data() + kTextOffset, room);
    return true;
}

// ---- engine and file blocks ---------------------------------------------------------------------

std::string ScriptRunner::Init(ArgReader& args) {
    const int32_t buffers = args.Number();
    if (!args.Complete()) return args.Complaint();
    engine_.InitEngine(0, buffers);
    return Reply();
}

std::string ScriptRunner::Exit(ArgReader& args) {
    if (!args.Complete()) return args.Complaint();
    engine_.ExitEngine();
    const engine::Status status = engine_.status();
    // Blocks the exit closed are gone; their handles must never reach the engine again.
    std::erase_if(blocks_, [this](const auto& entry) {
        return !engine_.IsInitialised() || !engine_.IsFileBlockOpen(entry.second);
    });
    return status.ok ? "ok" : "err " + Number(status.error);
}

std::string ScriptRunner::Create(ArgReader& args) {
    const std::string name = args.Name();
    const int32_t recordLength = args.Number();
    std::vector<engine::KeyDescriptor> keys;
    while (args.More()) keys.push_back(args.Key(false).descriptor);
    if (!args.Complete()) return args.Complaint();
    engine_.CreateFileBlock(name, recordLength, static_cast<int>(keys.size()), keys.data());
    return Reply();
}

std::string ScriptRunner::Open(ArgReader& args) {
    const std::string name = args.Name();
    const bool readOnly = args.Optional("ro");
    if (!args.Complete()) return args.Complaint();
    engine::FileBlockHandle fb = nullptr;
    engine_.OpenFileBlock(fb, name, {.readOnly = readOnly});
    if (engine_.ok()) blocks_[name] = fb;
    return Reply();
}

std::string ScriptRunner::Close(ArgReader& args) {
    const std::string name = args.Name();
    if (!args.Complete()) return args.Complaint();
    engine::FileBlockHandle fb = Block(name);
    engine_.CloseFileBlock(fb);
    if (engine_.ok()) blocks_.erase(name);
    return Reply();
}

std::string ScriptRunner::Drop(ArgReader& args) {
    const std::string name = args.Name();
    if (!args.Complete()) return args.Complaint();
    engine_.DeleteFileBlock(name);
    return Reply();
}

// ---- records ------------------------------------------------------------------------------------

std::string ScriptRunner::Add(ArgReader& args) {
    const std::string name = args.Name();
    const std::string text = args.Text();
    if (!args.Complete()) return args.Complaint();
    const engine::FileBlockHandle fb = Block(name);
    std::string record;
    int32_t recordNumber = 0;
    if (BuildRecord(fb, text, record))
        engine_.AddRecord(fb, recordNumber, std::as_bytes(std::span(record)));
    return Reply(Number(recordNumber));
}

std::string ScriptRunner::Put(ArgReader& args) {
    const std::string name = args.Name();
    const int32_t recordNumber = args.Number();
    const std::string text = args.Text();
    if (!args.Complete()) return args.Complaint();
    const engine::FileBlockHandle fb = Block(name);
    std::string record;
    if (BuildRecord(fb, text, record))
        engine_.PutRecord(fb, recordNumber, std::as_bytes(std::span(record)));
    return Reply();
}

std::string ScriptRunner::Get(ArgReader& args) {
    const std::string name = args.Name();
    const int32_t recordNumber = args.Number();
    if (!args.Complete()) return args.Complaint();
    const engine::FileBlockHandle fb = Block(name);
    std::string record;
    if (!BuildRecord(fb, {}, record)) return Reply();
    engine_.GetRecord(fb, recordNumber, std::as_writable_bytes(std::span(record)));
    const size_t end = record.find_last_not_of('\0');
    const size_t textEnd = end == std::string::npos ? 0 : end + 1;
    return Reply(QuoteBytes(
        textEnd > kTextOffset ? record.substr(kTextOffset, textEnd - kTextOffset) : std::string()));
}

std::string ScriptRunner::Del(ArgReader& args) {
    const std::string name = args.Name();
    const int32_t recordNumber = args.Number();
    if (!args.Complete()) return args.Complaint();
    engine_.DeleteRecord(Block(name), recordNumber);
    return Reply();
}

std::string ScriptRunner::Test(ArgReader& args) {
    const std::string name = args.Name();
    int32_t recordNumber = args.Number();
    const int32_t direction = args.Number();
    if (!args.Complete()) return args.Complaint();
    engine_.TestRecord(Block(name), recordNumber, direction);
    return Reply(Number(recordNumber));
}

std::string ScriptRunner::NextUsed(ArgReader& args) {
    const std::string name = args.Name();
    int32_t recordNumber = args.Number();
    if (!args.Complete()) return args.Complaint();
    engine_.NextUsedRecord(Block(name), recordNumber);
    return Reply(Number(recordNumber));
}

std::string ScriptRunner::PrevUsed(ArgReader& args) {
    const std::string name = args.Name();
    int32_t recordNumber = args.Number();
    if (!args.Complete()) return args.Complaint();
    engine_.PrevUsedRecord(Block(name), recordNumber);
    return Reply(Number(recordNumber));
}

std::string ScriptRunner::Used(ArgReader& args) {
    const std::string name = args.Name();
    if (!args.Complete()) return args.Complaint();
    const int32_t used = engine_.UsedRecords(Block(name));
    return Reply(Number(used));
}

std::string ScriptRunner::Length(ArgReader& args) {
    const std::string name = args.Name();
    if (!args.Complete()) return args.Complaint();
    const int32_t length = engine_.FileLength(Block(name));
    return Reply(Number(length));
}

std::string ScriptRunner::RecLen(ArgReader& args) {
    const std::string name = args.Name();
    if (!args.Complete()) return args.Complaint();
    const int32_t length = engine_.RecordLength(Block(name));
    return Reply(Number(length));
}

std::string ScriptRunner::RecPos(ArgReader& args) {
    const std::string name = args.Name();
    const int32_t recordNumber = args.Number();
    const int32_t scale = args.Number();
    if (!args.Complete()) return args.Complaint();
    const int32_t position = engine_.RecordToPosition(Block(name), recordNumber, scale);
    return Reply(Number(position));
}

std::string ScriptRunner::PosRec(ArgReader& args) {
    const std::string name = args.Name();
    const int32_t position = args.Number();
    const int32_t scale = args.Number();
    if (!args.Complete()) return args.Complaint();
    const int32_t recordNumber = engine_.PositionToRecord(Block(name), position, scale);
    return Reply(Number(recordNumber));
}

// ---- keys ---------------------------------------------------------------------------------------

std::string ScriptRunner::AddKey(ArgReader& args) {
    const std::string name = args.Name();
    const int32_t keyNumber = args.Number();
    const int32_t recordNumber = args.Number();
    const std::string key = args.Text();
    if (!args.Complete()) return args.Complaint();
    engine_.AddKey(Block(name), keyNumber, recordNumber, key);
    return Reply();
}

std::string ScriptRunner::DelKey(ArgReader& args) {
    const std::string name = args.Name();
    const int32_t keyNumber = args.Number();
    const int32_t recordNumber = args.Number();
    const std::string key = args.Text();
    if (!args.Complete()) return args.Complaint();
    engine_.DeleteKey(Block(name), keyNumber, recordNumber, key);
    return Reply();
}

std::string ScriptRunner::Search(ArgReader& args) {
    const std::string name = args.Name();
    const int32_t keyNumber = args.Number();
    std::string key = args.Text();
    if (!args.Complete()) return args.Complaint();
    int32_t recordNumber = 0;
    engine_.SearchKey(Block(name), keyNumber, recordNumber, key);
    return Reply(Entry(recordNumber, key));
}

std::string ScriptRunner::NextKey(ArgReader& args) {
    const std::string name = args.Name();
    const int32_t keyNumber = args.Number();
    int32_t recordNumber = args.Number();
    std::string key = args.Text();
    if (!args.Complete()) return args.Complaint();
    engine_.NextKey(Block(name), keyNumber, recordNumber, key);
    return Reply(Entry(recordNumber, key));
}

std::string ScriptRunner::PrevKey(ArgReader& args) {
    const std::string name = args.Name();
    const int32_t keyNumber = args.Number();
    int32_t recordNumber = args.Number();
    std::string key = args.Text();
    if (!args.Complete()) return args.Complaint();
    engine_.PrevKey(Block(name), keyNumber, recordNumber, key);
    return Reply(Entry(recordNumber, key));
}

std::string ScriptRunner::UsedKeys(ArgReader& args) {
    const std::string name = args.Name();
    const int32_t keyNumber = args.Number();
    if (!args.Complete()) return args.Complaint();
    const int32_t used = engine_.UsedKeys(Block(name), keyNumber);
    return Reply(Number(used));
}

std::string ScriptRunner::KeyPos(ArgReader& args) {
    const std::string name = args.Name();
    const int32_t keyNumber = args.Number();
    const int32_t recordNumber = args.Number();
    const std::string key = args.Text();
    const int32_t scale = args.Number();
    if (!args.Complete()) return args.Complaint();
    const int32_t position =
        engine_.KeyToPosition(Block(name), keyNumber, recordNumber, key, scale);
    return Reply(Number(position));
}

std::string ScriptRunner::PosKey(ArgReader& args) {
    const std::string name = args.Name();
    const int32_t keyNumber = args.Number();
    const int32_t position = args.Number();
    const int32_t scale = args.Number();
    if (!args.Complete()) return args.Complaint();
    int32_t recordNumber = 0;
    std::string key;
    engine_.PositionToKey(Block(name), keyNumber, position, scale, recordNumber, key);
    return Reply(Entry(recordNumber, key));
}

// ---- rebuild ------------------------------------------------------------------------------------

std::string ScriptRunner::Rebuild(ArgReader& args) {
    const std::string name = args.Name();
    const int32_t recordLength = args.Number();
    std::vector<KeyDefinition> keys;
    while (args.More()) keys.push_back(args.Key(true));
    if (!args.Complete()) return args.Complaint();

    engine_.RebuildDataFile(name, recordLength, recordLength, engine::KeepLiveRecord);
    if (!engine_.ok()) return Reply();

    std::vector<engine::KeyDescriptor> descriptors;
    for (const KeyDefinition& key : keys) descriptors.push_back(key.descriptor);
    const auto buildKey = [&keys](std::span<const std::byte> record, int keyNumber) {
        const KeyDefinition& key = keys[static_cast<size_t>(keyNumber - 1)];
        const size_t begin = std::min(static_cast<size_t>(key.offset), record.size());
        const size_t end =
            std::min(static_cast<size_t>(key.offset + key.descriptor.length), record.size());
        std::string text(reinterpret_cast<const char*>(record.data()) + begin, end - begin);
        text.erase(text.find_last_not_of('\0') + 1);
        return text;
    };
    bool logWritten = false;
    engine_.RebuildIndex(name, static_cast<int>(descriptors.size()), descriptors.data(), buildKey,
                         true, logWritten);
    return Reply();
}

}  // namespace tool
