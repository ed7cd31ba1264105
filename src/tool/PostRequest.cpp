#include "tool/PostRequest.h"

#include <algorithm>

#include "base/Windows1252.h"

namespace tool {

const nlohmann::json* PostRequest::Find(std::string_view field) const {
    const auto it = line_.find(field);
    return it == line_.end() || it->is_null() ? nullptr : &*it;
}

bool PostRequest::IsList(std::string_view field) const {
    const nlohmann::json* value = Find(field);
    return value && value->is_array();
}

void PostRequest::Refuse(std::string message) {
    if (!failure_) failure_ = std::move(message);
}

std::optional<std::string> PostRequest::Convert(std::string_view field, const nlohmann::json& value,
                                                int maxLength) {
    const std::string name(field);
    if (!value.is_string()) {
        Refuse("\"" + name + "\" must be a text");
        return std::nullopt;
    }
    const std::optional<std::string> text = base::Utf8ToWin1252(value.get<std::string>());
    if (!text) {
        Refuse("\"" + name + "\" holds a character the data files cannot keep");
        return std::nullopt;
    }
    if (static_cast<int>(text->size()) > maxLength) {
        Refuse("\"" + name + "\" is longer than " + std::to_string(maxLength) + " characters");
        return std::nullopt;
    }
    return text;
}

std::optional<std::string> PostRequest::Text(std::string_view field, int maxLength) {
    const nlohmann::json* value = Find(field);
    return value ? Convert(field, *value, maxLength) : std::nullopt;
}

std::optional<std::string> PostRequest::Path(std::string_view field) {
    const nlohmann::json* value = Find(field);
    if (!value) return std::nullopt;
    if (!value->is_string() || value->get_ref<const std::string&>().empty()) {
        Refuse("\"" + std::string(field) + "\" must be a path");
        return std::nullopt;
    }
    return value->get<std::string>();
}

std::optional<bool> PostRequest::Flag(std::string_view field) {
    const nlohmann::json* value = Find(field);
    if (!value) return std::nullopt;
    if (value->is_boolean()) return value->get<bool>();
    if (value->is_string()) {
        const std::string text = base::Win1252Upper(value->get<std::string>());
        if (text == "Y" || text == "N") return text == "Y";
    }
    Refuse("\"" + std::string(field) + "\" must be true or false");
    return std::nullopt;
}

std::optional<std::vector<std::string>> PostRequest::Texts(std::string_view field, int maxCount,
                                                           int maxLength) {
    const nlohmann::json* value = Find(field);
    if (!value) return std::nullopt;
    if (!value->is_array() || static_cast<int>(value->size()) > maxCount) {
        Refuse("\"" + std::string(field) + "\" must be a list of at most " +
               std::to_string(maxCount) + " texts");
        return std::nullopt;
    }
    std::vector<std::string> texts;
    for (const nlohmann::json& item : *value) {
        const std::optional<std::string> text = Convert(field, item, maxLength);
        if (!text) return std::nullopt;
        texts.push_back(*text);
    }
    return texts;
}

bool PostRequest::Objects(std::string_view field, int maxCount,
                          const std::vector<std::string_view>& fields,
                          const std::function<void(PostRequest&)>& read) {
    const nlohmann::json* value = Find(field);
    if (!value) return false;
    const std::string name(field);
    std::vector<const nlohmann::json*> objects;
    if (value->is_object() && maxCount == 1) {
        objects.push_back(value);
    } else if (value->is_array() && static_cast<int>(value->size()) <= maxCount) {
        for (const nlohmann::json& item : *value) objects.push_back(&item);
    }
    const bool allObjects = !objects.empty() || (value->is_array() && value->empty());
    if (!allObjects || std::any_of(objects.begin(), objects.end(),
                                   [](const nlohmann::json* o) { return !o->is_object(); })) {
        Refuse(maxCount == 1 ? "\"" + name + "\" must be an object"
                             : "\"" + name + "\" must be a list of at most " +
                                   std::to_string(maxCount) + " objects");
        return false;
    }
    for (const nlohmann::json* object : objects) {
        for (const auto& [key, item] : object->items()) {
            if (std::find(fields.begin(), fields.end(), key) == fields.end()) {
                Refuse("Unknown field \"" + key + "\" in \"" + name + "\"");
                return false;
            }
        }
        PostRequest nested(*object);
        read(nested);
        if (nested.failure()) {
            Refuse(*nested.failure());
            return false;
        }
    }
    return true;
}

}  // namespace tool
