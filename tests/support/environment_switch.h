// An environment variable set for the object's life, then put back: how the
// tests switch the stand-ins' traces and failures.
#pragma once
#include <optional>
#include <string>

class EnvironmentSwitch {
public:
    EnvironmentSwitch(std::string name, const std::string& value);
    ~EnvironmentSwitch();
    EnvironmentSwitch(const EnvironmentSwitch&) = delete;
    EnvironmentSwitch& operator=(const EnvironmentSwitch&) = delete;

private:
    std::string name_;
    std::optional<std::string> former_;
};
