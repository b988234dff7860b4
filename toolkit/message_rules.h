// What a message dialog is made of before it has a window: its buttons and
// their kinds, its default caption, the prefix before its message, the names
// of its buttons, which button answers Escape and where its lines break.
// Portable: the dialog itself (message_dialog.h) builds the window from it.
#pragma once

#include "toolkit/button_kinds.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

// The dialog's buttons, in the order they appear; the order is fixed.
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
constexpr int kMsgDlgBtnCount = mbHelp + 1;

// A set of buttons: bit i for button i.
class TMsgDlgButtons {
public:
    constexpr TMsgDlgButtons() = default;
    constexpr TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons) {
        for (TMsgDlgBtn button : buttons) bits_ = static_cast<uint16_t>(bits_ | Bit(button));
    }
    static constexpr TMsgDlgButtons FromBits(uint16_t bits) {
        TMsgDlgButtons set;
        set.bits_ = bits;
        return set;
    }
    constexpr uint16_t Bits() const { return bits_; }
    constexpr bool Has(TMsgDlgBtn button) const { return (bits_ & Bit(button)) != 0; }
    // Only the eleven buttons count; other bits show nothing.
    constexpr int Count() const {
        int count = 0;
        for (int i = 0; i < kMsgDlgBtnCount; ++i) count += Has(static_cast<TMsgDlgBtn>(i));
        return count;
    }

private:
    static constexpr uint16_t Bit(TMsgDlgBtn button) { return static_cast<uint16_t>(1u << button); }
    uint16_t bits_ = 0;
};

// The button kind each dialog button becomes; its caption and modal result
// come with the kind.
TMButtonKind DialogButtonKind(TMsgDlgBtn button);

// "Atentie !", "EROARE !", ...; empty for mtCustom and for unknown kinds.
std::string_view DefaultDialogCaption(TMsgDlgType kind);

// The message as shown under a prefix: the prefix in capitals, a comma and an
// empty line before the message. Without a prefix the message is unchanged.
std::string WithMessagePrefix(std::string_view prefix, std::string_view message);

// "Btn" and the caption without its "&" and blanks: "O&K" gives "BtnOK".
std::string DialogButtonName(std::string_view caption);

// The button that Escape presses: Cancel when No is there too, OK when
// Cancel is not; none otherwise, so that Escape cannot pick an answer the
// user did not see coming.
std::optional<TMsgDlgBtn> EscapeButton(TMsgDlgButtons buttons);

// The button a person who declines would press: Cancel when offered, else
// No, else the Escape button, else the default button.
TMsgDlgBtn DecliningButton(TMsgDlgButtons buttons, TMsgDlgBtn defaultButton);

// Breaks the text at blanks so that no line is wider than maxWidth, as
// measured by width(); "\r" ends a line as before. A word wider than maxWidth
// keeps a line of its own and is not cut.
std::string WrapAtBlanks(std::string_view text, int maxWidth, const std::function<int(std::string_view)>& width);
