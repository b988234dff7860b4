#include "unzip/decode/member_context.h"

#include <algorithm>
#include <cstring>

#include "unzip/engine_state.h"
#include "unzip/zip_types.h"

namespace korven::unzip::engine {

void MemberContext::RefillInput() {
    inputPos = 0;
    // The +2 lets a decoder look a little past the member's last byte, as it
    // must when its final code is shorter than its lookup width.
    if (bytesRead > uint64_t{compressedSize} + 2) {
        readError = true;
        std::memset(input, 0, kInputBufferSize);
        inputEnd = kInputBufferSize;
        return;
    }
    PumpMessagesWhenDue();
    UpdateProgress();
    int64_t got = archive.Read(input, kInputBufferSize);
    if (got <= 0) {
        readError = true;
        std::memset(input, 0, kInputBufferSize);
        inputEnd = kInputBufferSize;
        return;
    }
    inputEnd = static_cast<uint32_t>(got);
    bytesRead += static_cast<uint64_t>(got);
}

int MemberContext::Flush(const uint8_t* data, uint32_t count) {
    const bool overrun = count > outputLimit - written;
    if (overrun) count = static_cast<uint32_t>(outputLimit - written);
    written += count;
    unreported_.push_back(count);
    bool wrote = count == 0 || output.Write(data, count);
    crc = Crc32Update(crc, data, count);
    ReportWrittenBlocks();
    if (!wrote) return kCannotWrite;
    return overrun ? kCrcMismatch : kOk;
}

bool MemberContext::FinishOutput() {
    bool flushed = output.Flush();
    ReportWrittenBlocks();
    return flushed;
}

void MemberContext::ReportWrittenBlocks() {
    const ReportProc* report = ActiveReport();
    while (firstUnreported_ < unreported_.size() &&
           unreported_[firstUnreported_] <= output.Committed() - reportedBytes_) {
        const uint32_t count = unreported_[firstUnreported_++];
        reportedBytes_ += count;
        if (report != nullptr && *report) {
            ReportRecord& record = SharedRecord();
            record.status = kReportBlockWritten;
            (*report)(static_cast<int32_t>(count), record);
        }
    }
    if (firstUnreported_ == unreported_.size()) {
        unreported_.clear();
        firstUnreported_ = 0;
    }
}

void MemberContext::PumpMessagesWhenDue() {
    if (bytesRead - bytesReadAtPump_ < kPumpInterval) return;
    PumpMessages();
}

void MemberContext::PumpMessages() {
    bytesReadAtPump_ = bytesRead;
    EngineHost& host = CurrentHost();
    Busy().lastPumpTick = host.TickCount();
    host.PumpMessages(notifyWindow);
}

void MemberContext::UpdateProgress() {
    if (compressedSize == 0) return;
    int percent = static_cast<int>(std::min<uint64_t>(100, bytesRead * 100 / compressedSize));
    if (percent == lastPercent) return;
    lastPercent = percent;
    EngineHost& host = CurrentHost();
    if (notifyWindow != 0) {
        uint16_t cell = static_cast<uint16_t>(percent);
        host.NotifyProgress(notifyWindow, commandOrKey, &cell);
        if (cell == 0xFFFF) abort = true;
    } else if (commandOrKey != 0 && host.IsKeyDown(commandOrKey)) {
        abort = true;
    }
}

}  // namespace korven::unzip::engine
