// The look the two progress dialogs share.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/ports/control_colours.h"

namespace holvara {

inline constexpr std::uint32_t kProgressBackground = Rgb(254, 250, 163);
inline constexpr std::uint32_t kRescanTextColour = Rgb(255, 0, 0);
inline constexpr std::uint32_t kRemovalTextColour = Rgb(0, 128, 255);
inline constexpr int kCornerEllipse = 20;
inline constexpr std::size_t kTextBufferSize = 255;

}  // namespace holvara
