#include "toolkit/accelerator_text.h"

AcceleratorParts SplitAccelerator(std::string_view text) {
    size_t mark = text.find('&');
    if (mark == std::string_view::npos) return {text, {}, {}};
    if (mark + 1 == text.size()) return {text.substr(0, mark), {}, {}};
    return {text.substr(0, mark), text.substr(mark + 1, 1), text.substr(mark + 2)};
}

std::string StripAccelerator(std::string_view text) {
    AcceleratorParts parts = SplitAccelerator(text);
    std::string shown(parts.before);
    shown += parts.key;
    shown += parts.after;
    return shown;
}
