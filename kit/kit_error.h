// The one failure type of the kit builder: a message for the person who runs
// it, already in words they can act on (which line, which file, how many
// bytes). Whatever throws it has left nothing half-written behind.
#pragma once

#include <stdexcept>
#include <string>

namespace korven::kit {

class KitError : public std::runtime_error {
public:
    explicit KitError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace korven::kit
