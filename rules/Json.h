#pragma once

// JSON as Quillmere writes it for scripts (quillmere-calc's --json) and for the page: one
// writer, members in the order they are added, strings as UTF-8, numbers as the shortest
// text that reads back to the same double (1440 as 1440.0, so a reader sees a double).

#include <string>
#include <string_view>

namespace Quillmere {

// "\"...\"": a text quoted, with quotes, backslashes and control characters escaped and a
// byte that is not UTF-8 replaced by U+FFFD.
std::string JsonString(std::string_view text);

// A double; null where it is not finite.
std::string JsonNumber(double value);

// An object written member by member.
class JsonObject {
public:
    JsonObject& Text(std::string_view key, std::string_view value) {
        return Raw(key, JsonString(value));
    }
    JsonObject& Number(std::string_view key, double value) { return Raw(key, JsonNumber(value)); }
    JsonObject& Integer(std::string_view key, long long value) {
        return Raw(key, std::to_string(value));
    }
    JsonObject& Bool(std::string_view key, bool value) {
        return Raw(key, value ? "true" : "false");
    }
    JsonObject& Null(std::string_view key) { return Raw(key, "null"); }
    // A member whose value is JSON already: an object or an array written before.
    JsonObject& Raw(std::string_view key, std::string_view json);
    bool Empty() const { return body_.empty(); }
    std::string Json() const { return "{" + body_ + "}"; }

private:
    std::string body_;
};

// An array of the items, each written by `each` as JSON.
template <typename Items, typename Each> std::string JsonArray(const Items& items, Each each) {
    std::string out = "[";
    bool first = true;
    for (const auto& item : items) {
        out += first ? "" : ",";
        out += each(item);
        first = false;
    }
    return out + "]";
}

// Compact JSON laid out for a person: a member or an element a line, indented by `indent`
// blanks a level, "key": value; an empty object or array stays {} or [].
std::string IndentedJson(std::string_view json, int indent);

} // namespace Quillmere
