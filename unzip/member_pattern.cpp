// Member name patterns. Names are compared as the old short strings were:
// 255 characters at most, upper-cased.
#include <string>

#include "unzip/quill_unzip.h"

namespace korven::unzip {
namespace {

constexpr size_t kShortStringLength = 255;

std::string UpperShort(const std::string& text) {
    std::string upper = text.substr(0, kShortStringLength);
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
    std::string wanted = UpperShort(pattern);
    if (wanted.empty() || wanted == "*.*") return true;
    std::string upperName = UpperShort(name);
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
