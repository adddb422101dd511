#pragma once
// SHA-256 (FIPS 180-4) of a byte string, for the database password hash.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace engine::detail {

std::array<std::uint8_t, 32> sha256(std::string_view data);
// Lower-case hexadecimal text of bytes.
std::string toHex(const std::uint8_t* p, std::size_t n);
std::string sha256Hex(std::string_view data);

} // namespace engine::detail
