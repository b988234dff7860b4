// Member name patterns, compared upper-cased. Whole names: a long name is
// never judged by its first characters alone.
#include <string>

#include "unzip/quill_unzip.h"

namespace korven::unzip {
namespace {

std::string Upper(const std::string& text) {
    std::string upper = text;
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

bool MatchesFileSpec(const std::string& pattern, const std::string& name) {
    std::string wanted = Upper(pattern);
    if (wanted.empty() || wanted == "*.*") return true;
    std::string upperName = Upper(name);
    size_t dot = upperName.find('.');

    if (wanted.rfind("*.", 0) == 0) {
        // The text after the first dot, which may lie in a folder name.
        std::string afterDot = dot == std::string::npos ? std::string() : upperName.substr(dot + 1);
        return wanted.substr(2) == afterDot;
    }
    if (wanted.back() == '*') {
        if (EndsWith(wanted, ".*")) wanted.resize(wanted.size() - 2);
        if (!wanted.empty() && (wanted.back() == '*' || wanted.back() == '?')) wanted.pop_back();
        std::string beforeDot = upperName.substr(0, dot);
        return beforeDot.substr(0, wanted.size()) == wanted;
    }
    return upperName == wanted;
}

}  // namespace korven::unzip
