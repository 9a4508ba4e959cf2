#include "tray/framework/win_app.h"

#include <cctype>
#include <cstring>

#include "platform/ports/ui_constants.h"

namespace holvara::framework {

WinApp::WinApp(Ui& ui, Registry& registry, std::string appName)
    : appName_(std::move(appName)), ui_(ui), registry_(registry) {}

int WinApp::Main() {
  if (!InitInstance()) {
    if (mainWindowId() != kNoWindow) ui_.Destroy(mainWindowId());
    return ExitInstance();
  }
  exitCode_ = ui_.RunMessageLoop();
  return ExitInstance();
}

int WinApp::ExitInstance() { return exitCode_; }

int WinApp::DoMessageBox(std::string_view text, std::uint32_t style, std::uint32_t) {
  if ((style & win::kMbIconMask) == 0) {
    switch (style & win::kMbTypeMask) {
      case win::kMbOk:
      case win::kMbOkCancel:
        style |= win::kMbIconExclamation;
        break;
      case win::kMbYesNo:
      case win::kMbYesNoCancel:
        style |= win::kMbIconQuestion;
        break;
      default:
        break;
    }
  }
  const WindowId main = mainWindowId();
  const WindowId owner = main == kNoWindow ? kNoWindow : ui_.LastActivePopup(main);
  return ui_.ShowMessageBox(owner, text, appName_, style);
}

void WinApp::WinHelp(std::uintptr_t, std::uint32_t) {}

void WinApp::SetRegistryKey(std::string_view companyKey) {
  profileRoot_ = "Software\\" + std::string(companyKey) + "\\" + appName_;
}

std::string WinApp::ProfileKey(std::string_view section) const { return profileRoot_ + "\\" + std::string(section); }

int WinApp::GetProfileInt(std::string_view section, std::string_view entry, int defaultValue) {
  std::unique_ptr<RegistryKey> key;
  if (registry_.OpenKey(RegistryRoot::kCurrentUser, ProfileKey(section), key) != reg::kOk) return defaultValue;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  if (key->QueryValue(entry, type, data) != reg::kOk || type != reg::kDword || data.size() != 4) {
    return defaultValue;
  }
  std::int32_t value = 0;
  std::memcpy(&value, data.data(), sizeof value);
  return value;
}

bool WinApp::WriteProfileInt(std::string_view section, std::string_view entry, int value) {
  std::unique_ptr<RegistryKey> key;
  if (registry_.CreateKey(RegistryRoot::kCurrentUser, ProfileKey(section), key) != reg::kOk) return false;
  std::uint8_t bytes[4];
  std::memcpy(bytes, &value, sizeof bytes);
  return key->SetValue(entry, reg::kDword, bytes) == reg::kOk;
}

FrameWindow* WinApp::mainWindow() const { return mainWindow_; }

WindowId WinApp::mainWindowId() const { return mainWindow_ ? mainWindow_->id() : kNoWindow; }

void WinApp::AddDocTemplate(std::unique_ptr<SingleDocTemplate> docTemplate) { docTemplate_ = std::move(docTemplate); }

bool WinApp::ProcessShellCommand(std::string_view commandLine, const std::string& templateDescription,
                                 std::string_view programPath) {
  if (!docTemplate_ || CommandLineNamesFile(commandLine, programPath)) return false;
  mainWindow_ = docTemplate_->OpenNewDocument(ui_, templateDescription, -1);
  if (!mainWindow_) return false;
  mainWindow_->SetMainWindow(true);
  return true;
}

namespace {

// Splits a command line the way the C runtime does for plain arguments: blanks separate, double
// quotes group.
std::vector<std::string> SplitArguments(std::string_view line) {
  std::vector<std::string> arguments;
  std::string current;
  bool quoted = false;
  bool inArgument = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      inArgument = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inArgument) arguments.push_back(current);
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (inArgument) arguments.push_back(current);
  return arguments;
}

// File names compare without regard to case, as the system does.
bool StartsWithProgramPath(std::string_view line, std::string_view programPath) {
  if (programPath.empty() || line.size() < programPath.size()) return false;
  for (std::size_t i = 0; i < programPath.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(line[i])) != std::tolower(static_cast<unsigned char>(programPath[i]))) {
      return false;
    }
  }
  return line.size() == programPath.size() || line[programPath.size()] == ' ' || line[programPath.size()] == '\t';
}

}  // namespace

bool CommandLineNamesFile(std::string_view commandLine, std::string_view programPath) {
  std::size_t firstArgument = 1;
  if (StartsWithProgramPath(commandLine, programPath)) {
    commandLine.remove_prefix(programPath.size());
    firstArgument = 0;
  }
  const std::vector<std::string> arguments = SplitArguments(commandLine);
  for (std::size_t i = firstArgument; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    // An empty argument leaves the file name empty, as if it were not there.
    if (!argument.empty() && argument[0] != '/' && argument[0] != '-') return true;
  }
  return false;
}

}  // namespace holvara::framework
