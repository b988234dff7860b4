#include "uninstall/file_check.h"

#include <windows.h>

#include <array>
#include <vector>

#include "core/unique_handle.h"

namespace {

// The reflected table of the polynomial 0xEDB88320, one entry per byte value.
const std::array<std::uint32_t, 256>& CrcTable() {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    return table;
}

}  // namespace

std::optional<FileFingerprint> FingerprintOf(const std::string& path) {
    // Shared for reading and writing: a program may hold it open.
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) return std::nullopt;
    const auto& table = CrcTable();
    FileFingerprint print;
    std::uint32_t running = 0xFFFFFFFFu;
    std::vector<unsigned char> block(64 * 1024);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, block.data(), static_cast<DWORD>(block.size()), &got, nullptr)) return std::nullopt;
        if (got == 0) break;
        print.size += got;
        for (DWORD i = 0; i < got; ++i) running = table[(running ^ block[i]) & 0xFF] ^ (running >> 8);
    }
    print.crc = ~running;
    return print;
}
