// The seam's files with their buffers: the same on every platform, over the
// few system calls of platform_system.h.
#include <algorithm>
#include <cstring>

#include "unzip/platform_system.h"

namespace korven::unzip::platform {

InputFile::InputFile() = default;
InputFile::~InputFile() = default;
InputFile::InputFile(InputFile&&) noexcept = default;
InputFile& InputFile::operator=(InputFile&&) noexcept = default;

bool InputFile::Open(const std::string& path) {
    Close();
    handle_ = system::OpenToRead(path);
    return IsOpen();
}

bool InputFile::IsOpen() const { return handle_ != nullptr; }

int64_t InputFile::Size() { return handle_ ? system::SizeOf(*handle_) : -1; }

// Only remembered: the next read starts there, from the block when it holds
// the offset.
bool InputFile::Seek(uint64_t offset) {
    if (!handle_) return false;
    position_ = offset;
    return true;
}

int64_t InputFile::Read(void* buffer, uint32_t count) {
    if (!handle_) return -1;
    auto* out = static_cast<uint8_t*>(buffer);
    uint32_t done = 0;
    while (done < count) {
        if (position_ >= blockStart_ && position_ < blockStart_ + blockSize_) {
            const auto at = static_cast<uint32_t>(position_ - blockStart_);
            const uint32_t run = std::min(count - done, blockSize_ - at);
            std::memcpy(out + done, block_.get() + at, run);
            done += run;
            position_ += run;
            continue;
        }
        // A read as large as the block goes straight to the caller's memory.
        if (count - done >= kInputBlock) {
            int64_t got = system::ReadAt(*handle_, position_, out + done, count - done);
            if (got < 0) return -1;
            done += static_cast<uint32_t>(got);
            position_ += static_cast<uint64_t>(got);
            break;
        }
        if (!block_) block_ = std::make_unique<uint8_t[]>(kInputBlock);
        blockSize_ = 0;
        int64_t got = system::ReadAt(*handle_, position_, block_.get(), kInputBlock);
        if (got < 0) return -1;
        blockStart_ = position_;
        blockSize_ = static_cast<uint32_t>(got);
        if (got == 0) break;  // the end of the file
    }
    return done;
}

void InputFile::Close() {
    handle_.reset();
    blockStart_ = 0;
    blockSize_ = 0;
    position_ = 0;
}

OutputFile::OutputFile() = default;
OutputFile::~OutputFile() = default;

CreateResult OutputFile::Create(const std::string& path, uint64_t expectedSize) {
    handle_.reset();
    buffered_ = 0;
    committed_ = 0;
    failed_ = false;
    CreateResult result = CreateResult::kFailed;
    handle_ = system::CreateToWrite(path, result);
    if (!handle_) return result;
    const auto wanted = static_cast<uint32_t>(std::min<uint64_t>(expectedSize, kOutputBlock));
    if (wanted > capacity_) {
        buffer_ = std::make_unique<uint8_t[]>(wanted);
        capacity_ = wanted;
    }
    return CreateResult::kCreated;
}

bool OutputFile::WriteThrough(const uint8_t* data, uint32_t count) {
    const uint32_t put = system::WriteAll(*handle_, data, count);
    committed_ += put;
    if (put != count) failed_ = true;
    return !failed_;
}

bool OutputFile::Write(const void* data, uint32_t count) {
    if (!handle_ || failed_) return false;
    if (count == 0) return true;
    const auto* in = static_cast<const uint8_t*>(data);
    if (buffered_ + uint64_t{count} <= capacity_) {
        std::memcpy(buffer_.get() + buffered_, in, count);
        buffered_ += count;
        return true;
    }
    // Fill the buffer up and hand it on whole, so that the system sees blocks
    // of the buffer's size whatever sizes the decoders write.
    const uint32_t fill = capacity_ - buffered_;
    std::memcpy(buffer_.get() + buffered_, in, fill);
    buffered_ = capacity_;
    if (!Flush()) return false;
    in += fill;
    count -= fill;
    if (count >= capacity_) return WriteThrough(in, count);
    std::memcpy(buffer_.get(), in, count);
    buffered_ = count;
    return true;
}

bool OutputFile::Flush() {
    if (!handle_ || failed_) return false;
    const uint32_t pending = buffered_;
    buffered_ = 0;
    return pending == 0 || WriteThrough(buffer_.get(), pending);
}

bool OutputFile::SetDosDateTime(uint32_t dosDateTime) {
    return Flush() && system::SetDosDateTime(*handle_, dosDateTime);
}

bool OutputFile::Close() {
    if (!handle_) return true;
    const bool flushed = Flush();
    const bool closed = system::Close(std::move(handle_));
    return flushed && closed;
}

}  // namespace korven::unzip::platform
