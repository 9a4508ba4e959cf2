#include "tray/app/removal_failure_text.h"

#include <algorithm>
#include <initializer_list>

#include "common/text_field.h"
#include "common/veto_types.h"

namespace holvara {

namespace {

// Lead bytes of the double-byte code pages Windows uses as ANSI code pages.
bool IsLeadByte(unsigned char byte, std::uint32_t codePage) {
  switch (codePage) {
    case 932:
      return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 936:
    case 949:
    case 950:
      return byte >= 0x81 && byte <= 0xFE;
    default:
      return false;
  }
}

std::size_t CharacterLength(std::string_view text, std::size_t at, std::uint32_t codePage) {
  return IsLeadByte(static_cast<unsigned char>(text[at]), codePage) && at + 1 < text.size() ? 2 : 1;
}

// Puts the arguments in place of the template's %s and %u marks, in order; a translation with
// more marks than arguments shows the rest as they are, never reads past the arguments.
std::string Fill(const std::string& pattern, std::initializer_list<std::string_view> arguments) {
  std::string text;
  auto next = arguments.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const bool mark = pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == 's' || pattern[i + 1] == 'u');
    if (mark && next != arguments.end()) {
      text += *next++;
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

std::string ProgramList(const RemovalReport& report, const std::function<std::string(std::uint32_t)>& loadString,
                        std::uint32_t codePage) {
  const std::string program = loadString(kProgramString);
  const std::string separator = loadString(kProgramSeparatorString);
  std::string list;
  const std::uint32_t count = std::min<std::uint32_t>(report.programCount, kMaxBlockingPrograms);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::string name =
        CutOnCharacters(FileNameOf(ReadField(report.programs[i].imagePath), codePage), kQuotedNameLimit, codePage);
    if (!list.empty()) list += separator;
    list += Fill(program, {name, std::to_string(report.programs[i].processId)});
  }
  if (report.programsCut != 0) list += separator + loadString(kMoreProgramsString);
  return list;
}

std::uint32_t ComponentString(std::uint32_t vetoType) {
  switch (vetoType) {
    case kVetoDriver:
    case kVetoLegacyDriver:
      return kDriverVetoString;
    case kVetoWindowsService:
      return kServiceVetoString;
    case kVetoDevice:
    case kVetoLegacyDevice:
      return kDeviceVetoString;
    default:
      return 0;
  }
}

}  // namespace

std::string CutOnCharacters(std::string_view text, std::size_t maxBytes, std::uint32_t codePage) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = end + CharacterLength(text, end, codePage);
    if (next > maxBytes) break;
    end = next;
  }
  return std::string(text.substr(0, end));
}

std::string FileNameOf(std::string_view path, std::uint32_t codePage) {
  std::size_t start = 0;
  for (std::size_t at = 0; at < path.size(); at += CharacterLength(path, at, codePage)) {
    if (path[at] == '\\' || path[at] == '/' || path[at] == ':') start = at + 1;
  }
  return std::string(path.substr(start));
}

std::string RemovalFailureText(const RemovalReport& report, const std::function<std::string(std::uint32_t)>& loadString,
                               std::uint32_t codePage) {
  if (report.result != 0 || report.vetoed != 1) return {};
  std::string text;
  if (IsProgramVeto(report.vetoType) && report.programCount > 0) {
    text = Fill(loadString(kProgramsHoldString), {ProgramList(report, loadString, codePage)});
  } else if (const std::uint32_t id = ComponentString(report.vetoType); id != 0) {
    const std::string name = CutOnCharacters(ReadField(report.vetoName), kQuotedNameLimit, codePage);
    if (name.empty()) return {};
    text = Fill(loadString(id), {name});
  }
  return CutOnCharacters(text, kFailureTextLimit, codePage);
}

}  // namespace holvara
