#include "tray/cli/cli_removal_output.h"

#include <algorithm>

#include "common/text_field.h"
#include "common/veto_types.h"
#include "tray/cli/cli_output.h"
#include "tray/cli/holvara_cli.h"
#include "tray/cli/unicode_text.h"

namespace holvara::cli {

namespace {

// The same words the tray program uses when a removal fails without a known reason.
constexpr char kRemovalFailedText[] =
    "The device could not be removed. Close every program that uses it and try again.";

std::string FileName(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::uint32_t ProgramCount(const RemovalReport& report) {
  return std::min<std::uint32_t>(report.programCount, kMaxBlockingPrograms);
}

std::string Json(const std::string& device, const RemovalReport& report, AnsiText& ansi) {
  std::string json =
      "{\"device\":" + JsonText(device) + ",\"result\":" + (report.result != 0 ? "\"removed\"" : "\"refused\"");
  json += ",\"vetoType\":" + (report.vetoed == 1 ? JsonText(VetoTypeName(report.vetoType)) : std::string("null"));
  json += ",\"component\":" +
          (report.vetoed == 1 ? JsonText(AnsiToUtf8(ansi, ReadField(report.vetoName))) : std::string("null"));
  json += ",\"programs\":[";
  for (std::uint32_t i = 0; i < ProgramCount(report); ++i) {
    if (i > 0) json += ',';
    json += "{\"processId\":" + std::to_string(report.programs[i].processId) +
            ",\"path\":" + JsonText(AnsiToUtf8(ansi, ReadField(report.programs[i].imagePath))) + "}";
  }
  json += std::string("],\"programsCut\":") + (report.programsCut != 0 ? "true" : "false") + "}";
  return json;
}

}  // namespace

std::string RefusalReason(const RemovalReport& report, AnsiText& ansi) {
  const std::string component = AnsiToUtf8(ansi, ReadField(report.vetoName));
  if (report.vetoed == 1 && IsProgramVeto(report.vetoType) && ProgramCount(report) > 0) {
    std::string text = "the device is in use by ";
    for (std::uint32_t i = 0; i < ProgramCount(report); ++i) {
      // In UTF-8 a backslash byte is always a backslash, so the file name is cut off safely.
      const std::string path = AnsiToUtf8(ansi, ReadField(report.programs[i].imagePath));
      if (i > 0) text += ", ";
      text += FileName(path) + " (process " + std::to_string(report.programs[i].processId) + ", " + path + ")";
    }
    if (report.programsCut != 0) text += " and other programs";
    return text + ". Close " + (ProgramCount(report) > 1 || report.programsCut ? "them" : "it") + " and try again.";
  }
  if (report.vetoed == 1 && !component.empty()) {
    switch (report.vetoType) {
      case kVetoDriver:
      case kVetoLegacyDriver:
        return "the driver " + component + " refused the removal.";
      case kVetoWindowsService:
        return "the service " + component + " refused the removal.";
      case kVetoDevice:
      case kVetoLegacyDevice:
        return "the device " + component + " refused the removal.";
      default:
        break;
    }
  }
  return kRemovalFailedText;
}

bool RemovalOutput::Add(const std::string& device, const RemovalReport& report) {
  const bool removed = report.result != 0;
  refused_ = refused_ || !removed;
  if (json_) {
    results_.push_back(Json(device, report, ansi_));
  } else if (removed) {
    out_ << device << " can now be safely removed from the computer.\n";
  } else {
    err_ << device << ": " << RefusalReason(report, ansi_) << '\n';
  }
  return removed;
}

int RemovalOutput::Finish() {
  if (json_) {
    out_ << "{\"removals\":[";
    for (std::size_t i = 0; i < results_.size(); ++i) out_ << (i > 0 ? "," : "") << results_[i];
    out_ << "]}\n";
    if (refused_) err_ << "The device could not be removed.\n";
  }
  return refused_ ? kRefused : kDone;
}

}  // namespace holvara::cli
