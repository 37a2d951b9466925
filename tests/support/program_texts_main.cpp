// Prints the program's texts as a JSON object from key to text, for the
// tests in Python and the page's to check what the program says against.
#include <cstdio>
#include <string>
#include <string_view>

#include "core/program_texts.h"

namespace {

std::string JsonString(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
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
    return quoted + '"';
}

}  // namespace

int main() {
    std::string json = "{";
    for (const rongxi::core::ProgramTextEntry& entry : rongxi::core::kProgramTexts) {
        if (json.size() > 1) json += ",";
        json += "\n  " + JsonString(entry.key) + ": " + JsonString(entry.text);
    }
    json += "\n}";
    return std::puts(json.c_str()) < 0 ? 1 : 0;
}
