// The debugger line the main frame writes for each power event.
#pragma once

#include <cstdint>
#include <string>

namespace holvara {

// The event's name for the events the program knows, else both values as eight hex digits each.
std::string PowerEventText(std::uintptr_t event, std::intptr_t data);

}  // namespace holvara
