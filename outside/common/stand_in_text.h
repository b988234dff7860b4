// Text helpers the stand-ins share for their INI-style files. The stand-ins
// take nothing from the installer's own code: they play outside programs,
// and a fault the two shared could not show in a test.
#pragma once
#include <string>

// Without the blanks and tabs at either side.
inline std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Only the ASCII letters change, as the engine compares names.
inline std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}
