// Owner of one open registry key. Closes it once; never copied, only moved.
// Values are read whole, whatever their length.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <utility>

class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept {
        if (this != &other) {
            reset();
            key_ = std::exchange(other.key_, nullptr);
        }
        return *this;
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() { reset(); }

    // The key at `path` under `root` (a leading "\" is allowed), or nothing
    // when it does not exist or may not be opened.
    static std::optional<RegistryKey> Open(HKEY root, const std::string& path, REGSAM access = KEY_READ);
    // The same, made first when missing.
    static std::optional<RegistryKey> Create(HKEY root, const std::string& path);
    // Deletes the key at `path`, which must have no subkeys; true also when
    // there was none.
    static bool Delete(HKEY root, const std::string& path);

    // A text value (REG_SZ or REG_EXPAND_SZ, taken as stored); nothing when
    // it is missing or not text.
    std::optional<std::string> ReadString(const std::string& name) const;
    bool WriteString(const std::string& name, const std::string& value);
    bool WriteNumber(const std::string& name, DWORD value);
    bool DeleteValue(const std::string& name);

    operator HKEY() const { return key_; }

private:
    explicit RegistryKey(HKEY key) : key_(key) {}
    void reset() {
        if (key_) RegCloseKey(key_);
        key_ = nullptr;
    }

    HKEY key_ = nullptr;
};
