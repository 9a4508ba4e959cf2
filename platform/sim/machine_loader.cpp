#include "platform/sim/machine_loader.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <initializer_list>
#include <map>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>

#include "common/protocol.h"
#include "common/veto_types.h"
#include "platform/ports/wmi.h"

namespace holvara::sim {
namespace {

using nlohmann::json;

constexpr std::string_view kCommentMember = "comment";
constexpr int kMaxTreeDepth = 256;

struct Defaults {
  const char* className;
  const char* classGuid;
  const char* service;
};
constexpr Defaults kDiskNodeDefaults{"DiskDrive", "{4D36E967-E325-11CE-BFC1-08002BE10318}", "disk"};
constexpr Defaults kOpticalNodeDefaults{"CDROM", "{4D36E965-E325-11CE-BFC1-08002BE10318}", "cdrom"};

// One JSON value with the path that leads to it, for error messages.
class Field {
 public:
  Field(const json& value, std::string path) : value_(value), path_(std::move(path)) {}

  [[noreturn]] void Fail(const std::string& message) const { throw MachineError(path_ + ": " + message); }

  const json& value() const { return value_; }
  const std::string& path() const { return path_; }
  bool IsString() const { return value_.is_string(); }

  Field Member(std::string_view key) const {
    return Field(value_.at(std::string(key)), path_ + "." + std::string(key));
  }
  Field Item(std::size_t index) const { return Field(value_.at(index), path_ + "[" + std::to_string(index) + "]"); }
  bool Has(std::string_view key) const { return value_.contains(std::string(key)); }

  void ExpectObject(std::initializer_list<std::string_view> members) const {
    if (!value_.is_object()) Fail("expected an object");
    for (const auto& [key, unused] : value_.items()) {
      if (key != kCommentMember && std::find(members.begin(), members.end(), key) == members.end()) {
        Fail("unknown member \"" + key + "\"");
      }
    }
  }
  std::size_t ArraySize() const {
    if (!value_.is_array()) Fail("expected an array");
    return value_.size();
  }
  std::string Text() const {
    if (!value_.is_string()) Fail("expected a string");
    return value_.get<std::string>();
  }
  bool Flag() const {
    if (!value_.is_boolean()) Fail("expected true or false");
    return value_.get<bool>();
  }
  std::uint32_t Unsigned(std::uint64_t max = 0xFFFFFFFFu) const {
    if (!value_.is_number_integer() || value_.get<std::int64_t>() < 0 || value_.get<std::uint64_t>() > max) {
      Fail("expected an integer from 0 to " + std::to_string(max));
    }
    return static_cast<std::uint32_t>(value_.get<std::uint64_t>());
  }
  template <typename T>
  T Choice(const std::map<std::string, T>& choices) const {
    const std::string text = Text();
    const auto found = choices.find(text);
    if (found == choices.end()) {
      std::string names;
      for (const auto& [name, unused] : choices) names += (names.empty() ? "\"" : ", \"") + name + "\"";
      Fail("\"" + text + "\" is not one of " + names);
    }
    return found->second;
  }

  // Optional members: absent or null give the fallback.
  std::optional<std::string> OptionalText(std::string_view key) const {
    if (!Has(key) || value_.at(std::string(key)).is_null()) return std::nullopt;
    return Member(key).Text();
  }
  bool OptionalFlag(std::string_view key, bool fallback) const { return Has(key) ? Member(key).Flag() : fallback; }
  // A member with a default: absent gives the default, null gives no value.
  std::optional<std::string> TextWithDefault(std::string_view key, const char* fallback) const {
    if (!Has(key)) return fallback ? std::optional<std::string>(fallback) : std::nullopt;
    return OptionalText(key);
  }

 private:
  const json& value_;
  std::string path_;
};

// Instance IDs name a device whatever their case, and interface paths are made from them.
std::string UpperCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

char Letter(const Field& field) {
  const std::string text = field.Text();
  if (text.size() != 1 || text[0] < 'A' || text[0] > 'Z') field.Fail("expected one drive letter from \"A\" to \"Z\"");
  return text[0];
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::optional<std::uint64_t> ParseHex(std::string_view text) {
  if (text.empty() || text.size() > 16) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : text) {
    const int digit = HexValue(c);
    if (digit < 0) return std::nullopt;
    value = value << 4 | static_cast<std::uint64_t>(digit);
  }
  return value;
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
std::optional<Guid> ParseGuid(std::string_view text) {
  if (text.size() != 38 || text.front() != '{' || text.back() != '}' || text[9] != '-' || text[14] != '-' ||
      text[19] != '-' || text[24] != '-') {
    return std::nullopt;
  }
  const auto d1 = ParseHex(text.substr(1, 8));
  const auto d2 = ParseHex(text.substr(10, 4));
  const auto d3 = ParseHex(text.substr(15, 4));
  const auto d4 = ParseHex(text.substr(20, 4));
  const auto d5 = ParseHex(text.substr(25, 12));
  if (!d1 || !d2 || !d3 || !d4 || !d5) return std::nullopt;
  Guid guid{static_cast<std::uint32_t>(*d1), static_cast<std::uint16_t>(*d2), static_cast<std::uint16_t>(*d3), {}};
  guid.data4[0] = static_cast<std::uint8_t>(*d4 >> 8);
  guid.data4[1] = static_cast<std::uint8_t>(*d4);
  for (int i = 0; i < 6; ++i) guid.data4[2 + i] = static_cast<std::uint8_t>(*d5 >> (40 - 8 * i));
  return guid;
}

const std::map<std::string, Guid>& GptTypeNames() {
  static const std::map<std::string, Guid> names = {
      {"basicData", *ParseGuid("{EBD0A0A2-B9E5-4433-87C0-68B6B72699C7}")},
      {"msReserved", *ParseGuid("{E3C9E316-0B5C-4DB8-817D-F92DF00215AE}")},
      {"ldmMetadata", *ParseGuid("{5808C8AA-7E8F-42E0-85D2-E1E90434CFB3}")},
      {"ldmData", *ParseGuid("{AF9B60A0-1431-4F62-BC68-3311714A69AD}")},
      {"efiSystem", *ParseGuid("{C12A7328-F81F-11D2-BA4B-00A0C93EC93B}")},
  };
  return names;
}

const std::map<std::string, PartitionStyle> kStyles = {
    {"mbr", PartitionStyle::kMbr}, {"gpt", PartitionStyle::kGpt}, {"raw", PartitionStyle::kRaw}};

class Loader {
 public:
  Machine Load(const json& document) {
    const Field top(document, "$");
    top.ExpectObject({"tree", "nodelessDisks", "spannedVolumes", "wmi", "rootLocatable", "rescan", "eventLog"});
    if (!top.Has("tree")) top.Fail("missing member \"tree\" (the root of the device tree)");
    ReadNode(top.Member("tree"), std::nullopt, 0);
    if (top.Has("nodelessDisks")) {
      const Field disks = top.Member("nodelessDisks");
      for (std::size_t i = 0; i < disks.ArraySize(); ++i) ReadDisk(disks.Item(i), std::nullopt);
    }
    if (top.Has("spannedVolumes")) ReadSpannedVolumes(top.Member("spannedVolumes"));
    if (top.Has("wmi")) ReadWmi(top.Member("wmi"));
    machine_.rootLocatable = top.OptionalFlag("rootLocatable", true);
    if (top.Has("eventLog")) {
      machine_.eventLogReadable = top.Member("eventLog").Choice<bool>({{"readable", true}, {"unreadable", false}});
    }
    if (top.Has("rescan"))
      machine_.rescanWorks = top.Member("rescan").Choice<bool>({{"starts", true}, {"fails", false}});
    machine_.IndexInterfacePaths();
    return std::move(machine_);
  }

 private:
  void ReadNode(const Field& field, std::optional<std::size_t> parent, int depth) {
    if (depth > kMaxTreeDepth)
      field.Fail("the tree is nested deeper than " + std::to_string(kMaxTreeDepth) + " levels");
    field.ExpectObject({"id", "hardwareIds", "description", "friendlyName", "class", "classGuid", "service",
                        "deviceObject", "removal", "veto", "appearsAfterRescan", "hardwareIdReadError", "disk",
                        "optical", "children"});
    if (field.Has("disk") && field.Has("optical"))
      field.Fail("a node carries either \"disk\" or \"optical\", not both");

    const std::size_t index = machine_.nodes.size();
    machine_.nodes.emplace_back();
    Node node;
    node.parent = parent;
    node.instanceId = parent ? field.OptionalText("id") : field.TextWithDefault("id", "HTREE\\ROOT\\0");
    if (node.instanceId && !instanceIds_.insert(UpperCase(*node.instanceId)).second) {
      field.Fail("the instance ID \"" + *node.instanceId + "\" is used by another node");
    }
    node.hardwareIds = ReadHardwareIds(field);
    node.description = field.OptionalText("description");
    node.friendlyName = field.OptionalText("friendlyName");
    const Defaults defaults = field.Has("disk")      ? kDiskNodeDefaults
                              : field.Has("optical") ? kOpticalNodeDefaults
                                                     : Defaults{nullptr, nullptr, nullptr};
    node.className = field.TextWithDefault("class", defaults.className);
    node.classGuid = field.TextWithDefault("classGuid", defaults.classGuid);
    node.service = field.TextWithDefault("service", defaults.service);
    node.deviceObjectName = field.OptionalText("deviceObject");
    const bool vetoed =
        field.Has("removal") && field.Member("removal").Choice<bool>({{"succeeds", false}, {"vetoed", true}});
    if (field.Has("veto")) {
      if (field.Has("removal") && !vetoed) field.Fail("a node with a \"veto\" cannot have \"removal\": \"succeeds\"");
      node.veto = ReadVeto(field.Member("veto"));
    } else if (vetoed) {
      node.veto = NodeVeto{};
    }
    node.appearsAfterRescan = field.OptionalFlag("appearsAfterRescan", false);
    if (field.Has("hardwareIdReadError")) node.hardwareIdReadError = field.Member("hardwareIdReadError").Unsigned();
    if (parent) {
      node.indexInParent = machine_.nodes[*parent].children.size();
      machine_.nodes[*parent].children.push_back(index);
    }
    machine_.nodes[index] = std::move(node);

    if (field.Has("disk")) machine_.nodes[index].unit = ReadDisk(field.Member("disk"), index);
    if (field.Has("optical")) machine_.nodes[index].unit = ReadOptical(field.Member("optical"), index);
    if (field.Has("children")) {
      const Field children = field.Member("children");
      for (std::size_t i = 0; i < children.ArraySize(); ++i) ReadNode(children.Item(i), index, depth + 1);
    }
  }

  static NodeVeto ReadVeto(const Field& field) {
    field.ExpectObject({"type", "component", "programs"});
    NodeVeto veto;
    if (field.Has("type")) veto.type = field.Member("type").Choice(VetoTypes());
    veto.component = field.OptionalText("component").value_or("");
    if (!field.Has("programs")) return veto;
    const Field programs = field.Member("programs");
    if (programs.ArraySize() > 0 && !IsProgramVeto(veto.type)) {
      programs.Fail(
          "programs hold a device only with the veto types \"windowsApp\", \"outstandingOpen\" and \"pendingClose\"");
    }
    for (std::size_t i = 0; i < programs.ArraySize(); ++i)
      veto.programs.push_back(ReadHoldingProgram(programs.Item(i)));
    return veto;
  }

  static HoldingProgram ReadHoldingProgram(const Field& field) {
    field.ExpectObject({"processId", "image"});
    if (!field.Has("processId")) field.Fail("missing member \"processId\"");
    if (!field.Has("image")) field.Fail("missing member \"image\" (the program's path as the kernel writes it)");
    HoldingProgram program;
    program.processId = field.Member("processId").Unsigned();
    program.image = field.Member("image").Text();
    if (!program.image.starts_with("\\")) {
      field.Member("image").Fail("expected a kernel path such as \"\\Device\\HarddiskVolume3\\Tools\\App.exe\"");
    }
    return program;
  }

  static const std::map<std::string, std::uint32_t>& VetoTypes() {
    static const std::map<std::string, std::uint32_t> types = [] {
      std::map<std::string, std::uint32_t> names;
      for (std::uint32_t type = 0; type <= kLastVetoType; ++type) names.emplace(VetoTypeName(type), type);
      return names;
    }();
    return types;
  }

  static std::optional<std::vector<std::string>> ReadHardwareIds(const Field& node) {
    if (!node.Has("hardwareIds") || node.value().at("hardwareIds").is_null()) return std::nullopt;
    const Field ids = node.Member("hardwareIds");
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < ids.ArraySize(); ++i) {
      texts.push_back(ids.Item(i).Text());
      if (texts.back().empty()) ids.Item(i).Fail("a hardware ID cannot be empty");
    }
    return texts;
  }

  std::size_t ReadDisk(const Field& field, std::optional<std::size_t> node) {
    field.ExpectObject(
        {"number", "interface", "interfaceOpens", "pathOpens", "numberQuery", "layout", "access", "volumes"});
    if (!field.Has("number")) field.Fail("missing member \"number\" (the disk number)");
    StorageUnit unit;
    unit.node = node;
    unit.number = field.Member("number").Unsigned();
    if (field.Has("interface")) {
      unit.interfaceKind =
          field.Member("interface")
              .Choice<InterfaceKind>({{"disk", InterfaceKind::kDisk}, {"writeOnce", InterfaceKind::kWriteOnceDisk}});
    }
    ReadCommonFaults(field, unit);
    if (field.Has("layout")) unit.layout = ReadLayout(field.Member("layout"));
    if (field.Has("access")) {
      unit.layoutAccess =
          field.Member("access").Choice<LayoutAccess>({{"opens", LayoutAccess::kOpens},
                                                       {"heldExclusively", LayoutAccess::kHeldExclusively},
                                                       {"heldForReading", LayoutAccess::kHeldForReading},
                                                       {"denied", LayoutAccess::kDenied}});
    }
    const std::size_t index = AddUnit(unit);
    if (field.Has("volumes")) {
      const Field volumes = field.Member("volumes");
      for (std::size_t i = 0; i < volumes.ArraySize(); ++i) ReadDiskVolume(volumes.Item(i), index, i);
    }
    return index;
  }

  std::size_t ReadOptical(const Field& field, std::size_t node) {
    field.ExpectObject({"number", "interfaceOpens", "numberQuery", "letter", "letterAnswers"});
    if (!field.Has("number")) field.Fail("missing member \"number\" (the optical drive's number)");
    StorageUnit unit;
    unit.optical = true;
    unit.node = node;
    unit.number = field.Member("number").Unsigned();
    unit.interfaceKind = InterfaceKind::kCdRom;
    ReadCommonFaults(field, unit);
    const std::size_t index = AddUnit(unit);
    if (const auto letter = field.OptionalText("letter")) {
      Volume volume;
      volume.letter = Letter(field.Member("letter"));
      volume.driveType = kDriveCdRom;
      volume.units = {index};
      volume.partitionNumber = 0;
      volume.numberQueryWorks = field.OptionalFlag("letterAnswers", true);
      machine_.volumes.push_back(volume);
    }
    return index;
  }

  static void ReadCommonFaults(const Field& field, StorageUnit& unit) {
    unit.interfaceOpens = field.OptionalFlag("interfaceOpens", true);
    unit.pathOpens = field.OptionalFlag("pathOpens", true);
    unit.numberQueryWorks = field.OptionalFlag("numberQuery", true);
  }

  static DiskLayout ReadLayout(const Field& field) {
    DiskLayout layout;
    if (field.IsString()) {
      SetStyle(layout, field.Choice(kStyles));
      return layout;
    }
    field.ExpectObject({"style", "firstPartitionType", "classicQuery", "readable"});
    if (field.Has("style")) SetStyle(layout, field.Member("style").Choice(kStyles));
    if (field.Has("firstPartitionType")) {
      const Field type = field.Member("firstPartitionType");
      if (layout.style == PartitionStyle::kMbr) layout.firstMbrType = MbrType(type);
      else if (layout.style == PartitionStyle::kGpt) layout.firstGptType = GptType(type);
      else type.Fail("a raw disk has no partitions");
    }
    layout.classicQueryWorks = field.OptionalFlag("classicQuery", layout.classicQueryWorks);
    layout.readable = field.OptionalFlag("readable", true);
    return layout;
  }

  static void SetStyle(DiskLayout& layout, PartitionStyle style) {
    layout.style = style;
    layout.classicQueryWorks = style == PartitionStyle::kMbr;
    if (style == PartitionStyle::kGpt) layout.firstGptType = GptTypeNames().at("basicData");
  }

  static std::uint8_t MbrType(const Field& field) {
    if (field.value().is_number_integer()) return static_cast<std::uint8_t>(field.Unsigned(0xFF));
    const std::string text = field.Text();
    const auto value = text.starts_with("0x") ? ParseHex(text.substr(2)) : std::nullopt;
    if (!value || *value > 0xFF) field.Fail("expected an MBR partition type such as \"0x07\" or 66");
    return static_cast<std::uint8_t>(*value);
  }

  static Guid GptType(const Field& field) {
    const std::string text = field.Text();
    if (const auto named = GptTypeNames().find(text); named != GptTypeNames().end()) return named->second;
    const auto guid = ParseGuid(text);
    if (!guid)
      field.Fail(
          "expected a GPT partition type GUID \"{...}\" or basicData, msReserved, ldmMetadata, ldmData, efiSystem");
    return *guid;
  }

  void ReadDiskVolume(const Field& field, std::size_t unit, std::size_t position) {
    Volume volume;
    volume.units = {unit};
    volume.partitionNumber = static_cast<std::uint32_t>(position + 1);
    if (field.IsString()) {
      volume.letter = Letter(field);
    } else {
      field.ExpectObject({"letter", "type", "partition", "numberQuery"});
      if (!field.Has("letter")) field.Fail("missing member \"letter\"");
      volume.letter = Letter(field.Member("letter"));
      if (field.Has("type")) volume.driveType = DriveType(field.Member("type"));
      if (field.Has("partition")) volume.partitionNumber = field.Member("partition").Unsigned();
      volume.numberQueryWorks = field.OptionalFlag("numberQuery", true);
    }
    machine_.volumes.push_back(volume);
  }

  void ReadSpannedVolumes(const Field& list) {
    for (std::size_t i = 0; i < list.ArraySize(); ++i) {
      const Field field = list.Item(i);
      field.ExpectObject({"letter", "disks", "type"});
      if (!field.Has("letter") || !field.Has("disks")) field.Fail("a spanned volume needs \"letter\" and \"disks\"");
      Volume volume;
      volume.letter = Letter(field.Member("letter"));
      if (field.Has("type")) volume.driveType = DriveType(field.Member("type"));
      volume.numberQueryWorks = false;
      const Field disks = field.Member("disks");
      for (std::size_t d = 0; d < disks.ArraySize(); ++d) volume.units.push_back(DiskUnit(disks.Item(d)));
      if (volume.units.empty()) disks.Fail("a spanned volume lies on at least one disk");
      machine_.volumes.push_back(volume);
    }
  }

  std::size_t DiskUnit(const Field& field) const {
    const std::uint32_t number = field.Unsigned();
    for (std::size_t u = 0; u < machine_.units.size(); ++u) {
      if (!machine_.units[u].optical && machine_.units[u].number == number) return u;
    }
    field.Fail("no disk has the number " + std::to_string(number));
  }

  static std::uint32_t DriveType(const Field& field) {
    return field.Choice<std::uint32_t>(
        {{"fixed", kDriveFixed}, {"removable", kDriveRemovable}, {"cdrom", kDriveCdRom}});
  }

  void ReadWmi(const Field& field) {
    field.ExpectObject({"com", "security", "connect", "query"});
    constexpr std::int32_t kEFail = static_cast<std::int32_t>(0x80004005u);
    if (field.Has("com"))
      machine_.wmi.comResult = field.Member("com").Choice<std::int32_t>({{"ok", kSOk}, {"fails", kEFail}});
    if (field.Has("security")) {
      machine_.wmi.securityResult =
          field.Member("security")
              .Choice<std::int32_t>({{"ok", kSOk}, {"alreadySet", kRpcETooLate}, {"fails", kEFail}});
    }
    machine_.wmi.connects = field.OptionalFlag("connect", true);
    machine_.wmi.queryWorks = field.OptionalFlag("query", true);
  }

  std::size_t AddUnit(const StorageUnit& unit) {
    machine_.units.push_back(unit);
    return machine_.units.size() - 1;
  }

  Machine machine_;
  std::set<std::string> instanceIds_;  // upper-cased
};

// nlohmann's messages begin with "[json.exception.parse_error.101] "; the rest names line and column.
std::string WithoutExceptionTag(const std::string& message) {
  const auto close = message.find("] ");
  return message.starts_with("[json.exception") && close != std::string::npos ? message.substr(close + 2) : message;
}

}  // namespace

Machine LoadMachine(std::string_view text, std::string_view sourceName) {
  json document;
  try {
    document = json::parse(text.begin(), text.end());
  } catch (const json::exception& e) {
    throw MachineError(std::string(sourceName) + ": " + WithoutExceptionTag(e.what()));
  }
  try {
    return Loader().Load(document);
  } catch (const MachineError& e) {
    throw MachineError(std::string(sourceName) + ": " + e.what());
  } catch (const json::exception& e) {
    throw MachineError(std::string(sourceName) + ": " + WithoutExceptionTag(e.what()));
  }
}

Machine LoadMachineFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw MachineError(path + ": cannot be opened");
  std::ostringstream text;
  text << file.rdbuf();
  return LoadMachine(text.str(), path);
}

}  // namespace holvara::sim
