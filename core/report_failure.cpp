#include "core/report_failure.h"

#include <utility>

#include "core/debug_log.h"
#include "core/outcome.h"
#include "toolkit/format_codes.h"
#include "toolkit/message_dialog.h"

MessagePrefixFor::MessagePrefixFor(std::string prefix) : saved_(std::exchange(MessagePrefix, std::move(prefix))) {}

MessagePrefixFor::~MessagePrefixFor() { MessagePrefix = std::move(saved_); }

int ReportFailure(const std::string& logNote, const std::string& message, const FailureDialog& dialog) {
    if (!logNote.empty()) DebugNote(logNote);
    RecordOutcome(ecFailed);
    const MessagePrefixFor prefix(dialog.prefix);
    return RomMessageDlg(LiteralFormatText(message), dialog.caption, mtError, taCenter, dialog.buttons,
                         dialog.defaultButton);
}
