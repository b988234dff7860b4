#include "toolkit/message_rules.h"

#include <array>
#include <cctype>

TMButtonKind DialogButtonKind(TMsgDlgBtn button) {
    // No to all and Yes to all borrow the kinds of No and All.
    static constexpr std::array<TMButtonKind, kMsgDlgBtnCount> kKinds{mkYes,    mkNo,  mkOK, mkCancel, mkAbort, mkRetry,
                                                                      mkIgnore, mkAll, mkNo, mkAll,    mkHelp};
    if (button < 0 || button >= kMsgDlgBtnCount) return mkCustom;
    return kKinds[static_cast<size_t>(button)];
}

std::string_view DefaultDialogCaption(TMsgDlgType kind) {
    switch (kind) {
    case mtWarning: return "Atentie !";
    case mtError: return "EROARE !";
    case mtInformation: return "Informatie...";
    case mtConfirmation: return "Confirmare...";
    case mtCustom: break;
    }
    return {};
}

std::string WithMessagePrefix(std::string_view prefix, std::string_view message) {
    if (prefix.empty()) return std::string(message);
    std::string shown;
    for (char c : prefix) shown += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    shown += ",\r\r";
    shown += message;
    return shown;
}

std::string DialogButtonName(std::string_view caption) {
    std::string name = "Btn";
    for (char c : caption)
        if (c != '&' && c != ' ') name += c;
    return name;
}

std::optional<TMsgDlgBtn> EscapeButton(TMsgDlgButtons buttons) {
    if (buttons.Has(mbNo) && buttons.Has(mbCancel)) return mbCancel;
    if (buttons.Has(mbOK) && !buttons.Has(mbCancel)) return mbOK;
    return std::nullopt;
}

TMsgDlgBtn DecliningButton(TMsgDlgButtons buttons, TMsgDlgBtn defaultButton) {
    if (buttons.Has(mbCancel)) return mbCancel;
    if (buttons.Has(mbNo)) return mbNo;
    return EscapeButton(buttons).value_or(defaultButton);
}

namespace {

// Appends one line (without "\r") broken at blanks.
void WrapLine(std::string_view line, int maxWidth, const std::function<int(std::string_view)>& width,
              std::string& out) {
    size_t start = 0;  // where the line being filled begins
    while (start < line.size()) {
        if (width(line.substr(start)) <= maxWidth) break;
        // The last blank that still lets the line fit; else the first blank
        // after a word too wide to fit anywhere.
        size_t cut = std::string_view::npos;
        for (size_t blank = line.find(' ', start); blank != std::string_view::npos; blank = line.find(' ', blank + 1)) {
            if (blank > start && width(line.substr(start, blank - start)) > maxWidth) {
                if (cut == std::string_view::npos) cut = blank;
                break;
            }
            if (blank > start) cut = blank;
        }
        if (cut == std::string_view::npos) break;
        std::string_view piece = line.substr(start, cut - start);
        while (!piece.empty() && piece.back() == ' ') piece.remove_suffix(1);
        out.append(piece);
        out += '\r';
        start = cut + 1;
        while (start < line.size() && line[start] == ' ') ++start;
    }
    out.append(line.substr(start));
}

}  // namespace

std::string WrapAtBlanks(std::string_view text, int maxWidth, const std::function<int(std::string_view)>& width) {
    std::string out;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\r', start);
        WrapLine(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start), maxWidth,
                 width, out);
        if (end == std::string_view::npos) return out;
        out += '\r';
        start = end + 1;
    }
}
