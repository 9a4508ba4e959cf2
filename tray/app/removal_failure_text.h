// The text of the failure box when the service said why a removal was refused: which programs to
// close, or which driver, service or device refused. Built from the resource library's strings,
// so it comes in the library's language.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "common/protocol.h"

namespace holvara {

// Strings of the resource library: the box for programs (%s: the list), one program (%s: its file
// name, %u: its process ID), the list's separator, the word for programs cut from the list, and the
// boxes for a driver, a service and a device (%s: the component's name).
inline constexpr std::uint32_t kProgramsHoldString = 5002;
inline constexpr std::uint32_t kProgramString = 5003;
inline constexpr std::uint32_t kProgramSeparatorString = 5004;
inline constexpr std::uint32_t kMoreProgramsString = 5005;
inline constexpr std::uint32_t kDriverVetoString = 5006;
inline constexpr std::uint32_t kServiceVetoString = 5007;
inline constexpr std::uint32_t kDeviceVetoString = 5008;

// The longest text the box shows, and the longest file name and component name it quotes.
inline constexpr std::size_t kFailureTextLimit = 1023;
inline constexpr std::size_t kQuotedNameLimit = 96;

// The text for the report; empty when it gives no reason the user can act on (no veto, a veto
// of another kind, a program's veto without a named program, a component without a name): the
// box then shows the usual failure string. Texts are cut on whole characters of the code page.
std::string RemovalFailureText(const RemovalReport& report, const std::function<std::string(std::uint32_t)>& loadString,
                               std::uint32_t codePage);

// The file name at the end of a Windows path, found on whole characters of the code page (a
// backslash byte may be the second half of a double-byte character).
std::string FileNameOf(std::string_view path, std::uint32_t codePage);
// The text cut to at most maxBytes without splitting a double-byte character.
std::string CutOnCharacters(std::string_view text, std::size_t maxBytes, std::uint32_t codePage);

}  // namespace holvara
