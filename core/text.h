// Text helpers for names, folders and lines, portable (the kit builder uses
// them too). Names the installer compares without regard to case (file names,
// switch words, CONFIG.SYS settings) change only their ASCII letters,
// whatever the locale, as the system's own file-name comparison does for
// these names.
#pragma once
#include <string>
#include <vector>

inline std::string UpperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// Without the blanks, tabs and line ends at either side.
inline std::string Trimmed(const std::string& text) {
    const char* blanks = " \t\r\n";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Lines as a text file holds them: ended by CR LF, LF or a lone CR; a last
// line without an end counts too.
inline std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

// The folder with a backslash appended when it does not end in one.
inline std::string WithBackslash(const std::string& folder) {
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) return folder;
    return folder + '\\';
}

// A file's path in a folder; a name alone when there is no folder.
inline std::string InFolder(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : WithBackslash(folder) + name;
}

// The folder without final backslashes, but for a drive's root: "C:" alone
// would be the drive's current folder.
inline std::string WithoutFinalBackslash(std::string folder) {
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    return folder;
}
