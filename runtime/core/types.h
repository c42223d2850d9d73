#pragma once

#include <cstdint>

namespace rt {

/// 16-bit signed integer of the program's arithmetic.
using Integer = std::int16_t;
/// 32-bit signed integer of the program's arithmetic.
using Long = std::int32_t;
/// A colour as 0x00BBGGRR; values with the top bit set name a system colour.
using Colour = std::uint32_t;

/// Twips per form pixel at the design resolution.
inline constexpr int TwipsPerPixel = 15;

} // namespace rt
