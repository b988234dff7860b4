// Names the installer compares without regard to case: file names, switch
// words, CONFIG.SYS settings. Only the ASCII letters change, whatever the
// locale, as the system's own file-name comparison does for these names.
#pragma once
#include <string>

inline std::string UpperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}
