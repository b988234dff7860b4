// Owner of one open registry key, with the few value operations the installer
// needs (string values only). Closes the key once; never copied, only moved.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <utility>

class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey();

    // An existing key; not valid() when it is absent or access is refused.
    static RegistryKey Open(HKEY root, const std::string& path, REGSAM access = KEY_READ);
    // The key, made with every missing key above it.
    static RegistryKey Create(HKEY root, const std::string& path, REGSAM access = KEY_READ | KEY_WRITE);
    static bool Exists(HKEY root, const std::string& path) { return Open(root, path).valid(); }

    bool valid() const { return key_ != nullptr; }
    operator HKEY() const { return key_; }

    // The text of a string value, without its terminating null; nullopt when
    // the value is missing or not a string.
    std::optional<std::string> ReadString(const std::string& name) const;
    // ERROR_SUCCESS, or the Win32 error code.
    LONG WriteString(const std::string& name, const std::string& value) const;

private:
    explicit RegistryKey(HKEY key) : key_(key) {}
    HKEY key_ = nullptr;
};
