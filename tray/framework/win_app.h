// The application object: start (InitInstance), the message loop, end (ExitInstance), the
// application's message box, its integer profile in the registry, and its single-document
// template with the main window that the template makes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ports/registry.h"
#include "platform/ports/ui.h"
#include "tray/framework/single_doc_template.h"

namespace holvara::framework {

class WinApp {
 public:
  WinApp(Ui& ui, Registry& registry, std::string appName);
  virtual ~WinApp() = default;
  WinApp(const WinApp&) = delete;
  WinApp& operator=(const WinApp&) = delete;

  // The program's life: InitInstance, then the message loop and ExitInstance; when the start
  // fails, the main window (if any) is destroyed and ExitInstance runs at once. Returns the
  // process exit code.
  int Main();

  virtual bool InitInstance() = 0;
  virtual int ExitInstance();
  // Shows a box captioned with the application name, owned by the main window's active popup;
  // a style without an icon gets the usual one for its buttons.
  virtual int DoMessageBox(std::string_view text, std::uint32_t style, std::uint32_t helpContext);
  // The application's help entry.
  virtual void WinHelp(std::uintptr_t data, std::uint32_t command);

  int MessageBox(std::string_view text, std::uint32_t style) { return DoMessageBox(text, style, 0); }

  // Binds the profile to HKEY_CURRENT_USER\Software\<companyKey>\<application name>. The
  // application name is taken now: a caption swapped in for a box later does not move the profile.
  void SetRegistryKey(std::string_view companyKey);
  // An integer of the profile (REG_DWORD), or defaultValue when absent or of another type.
  int GetProfileInt(std::string_view section, std::string_view entry, int defaultValue);
  // Stores the integer as REG_DWORD, creating missing keys; false when nothing was stored.
  bool WriteProfileInt(std::string_view section, std::string_view entry, int value);

  FrameWindow* mainWindow() const;
  WindowId mainWindowId() const;
  Ui& ui() const { return ui_; }
  Registry& registry() const { return registry_; }

 protected:
  void AddDocTemplate(std::unique_ptr<SingleDocTemplate> docTemplate);
  // The standard command-line processing: no file argument opens a new document (which makes
  // the main window); a file argument asks to open that file, which these documents cannot.
  // programPath: the program's own full path (see CommandLineNamesFile).
  bool ProcessShellCommand(std::string_view commandLine, const std::string& templateDescription,
                           std::string_view programPath = {});

  std::string appName_;

 private:
  std::string ProfileKey(std::string_view section) const;

  Ui& ui_;
  Registry& registry_;
  std::string profileRoot_;  // Software\<company>\<application>
  std::unique_ptr<SingleDocTemplate> docTemplate_;
  FrameWindow* mainWindow_ = nullptr;
  int exitCode_ = 0;
};

// Whether a command line names a file: an argument after the program's own path that is not a
// switch (beginning with "/" or "-"). A line that begins with programPath unquoted (a logon entry
// written before entries were quoted, under a folder with a blank) takes that path as the
// program's name, not as a name and file arguments.
bool CommandLineNamesFile(std::string_view commandLine, std::string_view programPath = {});

}  // namespace holvara::framework
