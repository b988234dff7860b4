#include "tests/support/environment_switch.h"

#include <windows.h>

namespace {

std::optional<std::string> Environment(const std::string& name) {
    const DWORD size = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (size == 0) return std::nullopt;
    std::string value(size, '\0');
    value.resize(GetEnvironmentVariableA(name.c_str(), value.data(), size));
    return value;
}

}  // namespace

EnvironmentSwitch::EnvironmentSwitch(std::string name, const std::string& value)
    : name_(std::move(name)), former_(Environment(name_)) {
    SetEnvironmentVariableA(name_.c_str(), value.c_str());
}

EnvironmentSwitch::~EnvironmentSwitch() {
    SetEnvironmentVariableA(name_.c_str(), former_ ? former_->c_str() : nullptr);
}
