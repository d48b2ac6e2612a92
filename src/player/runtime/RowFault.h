#pragma once

#include <stdexcept>
#include <string>

namespace hakoniwa::player {

// What stops the game while a row runs or is prepared; the message is the reason (UTF-8).
// The interpreter adds the scene, item and row.
class RowFault : public std::runtime_error {
public:
    explicit RowFault(const std::string& reason) : std::runtime_error(reason) {}
};

} // namespace hakoniwa::player
