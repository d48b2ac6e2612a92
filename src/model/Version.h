#pragma once

// The version of the editor, the player and the checker, as --version and the about box show
// it. The package's version is read from this line by CMake.
namespace hakoniwa {

inline constexpr const char* kVersion = "0.1.0";

} // namespace hakoniwa
