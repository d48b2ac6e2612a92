#include "check/CheckReport.h"

#include "model/Project.h"
#include "model/Utf8Text.h"

#include <cstdio>

namespace hakoniwa::check {
namespace {

// The length of the valid UTF-8 character at `at`, or 0 when the bytes there are none (a
// stray or cut byte, an overlong form, a surrogate, past U+10FFFF).
std::size_t utf8CharacterAt(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t k) {
        return at + k < text.size() ? static_cast<unsigned char>(text[at + k]) : 0u;
    };
    const unsigned lead = byte(0);
    if (lead < 0x80)
        return 1;
    const auto follows = [&](std::size_t k, unsigned low = 0x80, unsigned high = 0xBF) {
        return byte(k) >= low && byte(k) <= high;
    };
    if (lead >= 0xC2 && lead <= 0xDF)
        return follows(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned high = lead == 0xED ? 0x9F : 0xBF;
        return follows(1, low, high) && follows(2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned high = lead == 0xF4 ? 0x8F : 0xBF;
        return follows(1, low, high) && follows(2) && follows(3) ? 4 : 0;
    }
    return 0;
}

// A JSON string of `utf8`; bytes that are no valid UTF-8 (a file name in another encoding)
// become U+FFFD, so that the output is valid whatever the names.
std::string jsonString(const std::string& utf8) {
    std::string valid;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t length = utf8CharacterAt(utf8, at);
        if (length == 0) {
            valid += "\xEF\xBF\xBD";
            ++at;
        } else {
            valid.append(utf8, at, length);
            at += length;
        }
    }
    std::string quoted = "\"";
    for (const char c : valid) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string jsonNumber(int value) {
    return value < 0 ? "null" : std::to_string(value);
}

// A reader's message may span lines; the report keeps one line per file.
std::string oneLine(std::string text) {
    std::string line;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\n')
            line += ": ";
        else if (text[at] != '\r')
            line += text[at];
    }
    return line;
}

} // namespace

void CheckReport::addProblems(const std::string& file, const Project& project,
                              const std::vector<Problem>& problems) {
    for (const Problem& problem : problems) {
        ++problemCount_;
        const Scene& scene = project.scene(problem.scene);
        const std::string sceneName = cp932ToUtf8(scene.caption);
        const std::string itemName =
            problem.item >= 0 ? cp932ToUtf8(scene.item(problem.item).displayText()) : std::string();
        const int command = problem.row >= 0 ? problem.row - 1 : -1;
        const std::string message = cp932ToUtf8(problem.message);

        std::string line = file + ": " + sceneName;
        if (problem.item >= 0)
            line += " / " + itemName;
        if (command >= 0)
            line += " / " + std::to_string(command);
        line += problem.isWarning() ? ": 警告: " : ": ";
        text_ += line + message + "\n";

        jsonObjects_.push_back(
            "{\"file\":" + jsonString(file) + ",\"scene\":" + jsonNumber(problem.scene) +
            ",\"sceneName\":" + jsonString(sceneName) + ",\"item\":" + jsonNumber(problem.item) +
            ",\"itemName\":" + (problem.item >= 0 ? jsonString(itemName) : "null") +
            ",\"row\":" + jsonNumber(problem.row) + ",\"command\":" + jsonNumber(command) +
            ",\"kind\":" + jsonString(problemKindName(problem.kind)) +
            ",\"severity\":" + jsonString(problem.isWarning() ? "warning" : "error") +
            ",\"message\":" + jsonString(message) + "}");
    }
}

void CheckReport::addFailure(const std::string& file, const std::string& reason) {
    ++failureCount_;
    failures_ += file + ": " + oneLine(reason) + "\n";
    jsonObjects_.push_back("{\"file\":" + jsonString(file) +
                           ",\"kind\":\"unreadable\",\"severity\":\"error\",\"message\":" +
                           jsonString(oneLine(reason)) + "}");
}

std::string CheckReport::json() const {
    if (jsonObjects_.empty())
        return "[]\n";
    std::string array = "[\n";
    for (std::size_t i = 0; i < jsonObjects_.size(); ++i)
        array += jsonObjects_[i] + (i + 1 < jsonObjects_.size() ? ",\n" : "\n");
    return array + "]\n";
}

} // namespace hakoniwa::check
