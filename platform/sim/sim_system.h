// The simulated system's facts (locale, version, command line) and its shell, which opens a
// file when it exists unless a test gave the target a result of its own.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ports/files.h"
#include "platform/ports/system.h"

namespace holvara {

inline constexpr std::uint32_t kSimEnglishLocale = 0x0409;
inline constexpr std::uint32_t kSimJapaneseLocale = 0x0411;

inline constexpr std::uint32_t kSimWesternCodePage = 1252;
inline constexpr std::uint32_t kSimJapaneseCodePage = 932;

class SimProcessErrorMode : public ProcessErrorMode {
 public:
  void FailCriticalErrors() override { criticalErrorsFail = true; }
  bool criticalErrorsFail = false;
};

class SimSystemInfo : public SystemInfo {
 public:
  void FailCriticalErrors() override { criticalErrorsFail = true; }
  std::uint32_t UserDefaultLocale() override { return locale; }
  // Unless a test sets it, the code page a Windows of the locale's language has.
  std::uint32_t AnsiCodePage() override {
    if (codePage) return *codePage;
    constexpr std::uint32_t kPrimaryLanguageBits = 0x3FF;
    const bool japanese = (locale & kPrimaryLanguageBits) == (kSimJapaneseLocale & kPrimaryLanguageBits);
    return japanese ? kSimJapaneseCodePage : kSimWesternCodePage;
  }
  WindowsVersion Version() override { return version; }
  std::string CommandLine() override { return commandLine; }
  // A simulated process cannot end its test: the end is noted, and the caller goes on.
  void EndProcess(std::uint32_t exitCode) override { endedWith = exitCode; }

  bool criticalErrorsFail = false;
  std::uint32_t locale = kSimEnglishLocale;
  std::optional<std::uint32_t> codePage;
  WindowsVersion version{10, 0};
  std::string commandLine = "\"C:\\Program Files\\ZELTO\\Holvara\\Holvara.exe\"";
  std::optional<std::uint32_t> endedWith;
};

class SimShell : public Shell {
 public:
  explicit SimShell(FileSystem& files) : files_(files) {}

  std::intptr_t Open(std::string_view target) override {
    opened_.emplace_back(target);
    const auto given = results_.find(std::string(target));
    if (given != results_.end()) return given->second;
    return files_.Find(target) ? kOpened : kFileNotFound;
  }

  void SetResult(std::string target, std::intptr_t result) { results_[std::move(target)] = result; }
  const std::vector<std::string>& opened() const { return opened_; }

  static constexpr std::intptr_t kOpened = 42;
  static constexpr std::intptr_t kFileNotFound = 2;
  static constexpr std::intptr_t kNoAssociation = 31;

 private:
  FileSystem& files_;
  std::map<std::string, std::intptr_t> results_;
  std::vector<std::string> opened_;
};

}  // namespace holvara
