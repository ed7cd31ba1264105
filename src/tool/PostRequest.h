#pragma once
// One line of `post` input as its operation reads it: typed getters over the JSON object that
// convert texts to the records' Windows-1252 and check them against the field's length. A field
// that is absent gives nothing; a field of the wrong type or size records the first failure, which
// refuses the line before anything is written.

#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tool {

class PostRequest {
public:
    explicit PostRequest(const nlohmann::json& line) : line_(line) {}

    std::optional<std::string> Text(std::string_view field, int maxLength);
    // A path of this system's files, as given: UTF-8, not converted, not empty.
    std::optional<std::string> Path(std::string_view field);
    // JSON true/false, or "Y"/"N" as the records hold them.
    std::optional<bool> Flag(std::string_view field);
    // An array of at most `maxCount` texts.
    std::optional<std::vector<std::string>> Texts(std::string_view field, int maxCount,
                                                  int maxLength);

    // Reads each object of a list field of at most `maxCount` objects (or the one object of an
    // object field, when `maxCount` is 1) with `read`, through a request of its own whose failure
    // refuses this line, as does a field of the object that `fields` does not name. False when
    // the field is absent or refused.
    bool Objects(std::string_view field, int maxCount, const std::vector<std::string_view>& fields,
                 const std::function<void(PostRequest&)>& read);

    // True when the field holds an array (a field that takes either a list or one text).
    bool IsList(std::string_view field) const;

    // Records a failure of the operation's own checks.
    void Refuse(std::string message);
    const std::optional<std::string>& failure() const { return failure_; }

private:
    const nlohmann::json* Find(std::string_view field) const;
    std::optional<std::string> Convert(std::string_view field, const nlohmann::json& value,
                                       int maxLength);

    const nlohmann::json& line_;
    std::optional<std::string> failure_;
};

}  // namespace tool
