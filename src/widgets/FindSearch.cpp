#include "widgets/FindSearch.h"

#include <algorithm>
#include <optional>

#include "base/Text.h"
#include "base/Windows1252.h"

namespace widgets {

namespace {

constexpr size_t kSearchLength = 10;

bool Matches(const std::vector<std::string>& texts, const std::string& searchText) {
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& text) {
        return base::Win1252Upper(text).find(searchText) != std::string::npos;
    });
}

}  // namespace

std::string FindSearchText(std::string_view typedUtf8) {
    const std::optional<std::string> text = base::Utf8ToWin1252(base::Trim(typedUtf8));
    if (!text) return {};
    return base::Win1252Upper(text->substr(0, kSearchLength));
}

FindResult SearchRecords(engine::Engine& engine, engine::FileBlockHandle fb,
                         const records::RecordType& type, const std::string& searchText) {
    FindResult result;
    if (searchText.empty() || type.find.captions.empty()) return result;
    // A buffer of the larger of the file's and the layout's length: a short record reads as zeros.
    std::vector<std::byte> record(
        static_cast<size_t>(std::max(engine.RecordLength(fb), type.recordLength())));
    int32_t n = 0;
    for (;;) {
        engine.NextUsedRecord(fb, n);
        if (!engine.ok()) break;
        engine.GetRecord(fb, n, record);
        if (!engine.ok()) break;
        const std::vector<std::string> texts = type.find.texts(record);
        if (!Matches(texts, searchText)) continue;
        std::vector<std::string> item;
        for (const std::string& text : texts) item.push_back(base::Win1252ToUtf8(text));
        result.items.push_back(std::move(item));
    }
    if (engine.error() != engine::err::kNoLiveRecord) {
        result.errorClass = engine.errorClass();
        result.error = engine.error();
    }
    return result;
}

}  // namespace widgets
