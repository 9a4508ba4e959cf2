// Windows Management Instrumentation through COM, as far as the drive-letter lookup needs it:
// the DeviceIDs of Win32_DiskPartition and whether a partition-to-logical-disk association exists.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace holvara {

// HRESULTs the logic tells apart.
inline constexpr std::int32_t kSOk = 0;
inline constexpr std::int32_t kRpcETooLate = static_cast<std::int32_t>(0x80010119u);

// A connection to the namespace root\cimv2; destroying it releases the services and the locator.
class WmiServices {
 public:
  virtual ~WmiServices() = default;

  // ExecQuery("WQL", "SELECT * FROM Win32_DiskPartition", forward-only | return-immediately),
  // then Next with a 10000 ms time-out until it fails or returns nothing: each object's
  // "DeviceID" as an ANSI text in the thread's code page, "" when it cannot be read or is null.
  // nullopt when the query itself fails.
  virtual std::optional<std::vector<std::string>> QueryPartitionDeviceIds() = 0;
  // GetObject(path): true when the object exists.
  virtual bool ObjectExists(std::string_view path) = 0;
};

class Wmi {
 public:
  virtual ~Wmi() = default;

  // CoInitialize(nullptr) on the calling thread: its HRESULT.
  virtual std::int32_t InitializeCom() = 0;
  // CoInitializeSecurity with default authentication services, RPC_C_AUTHN_LEVEL_CONNECT,
  // RPC_C_IMP_LEVEL_IMPERSONATE and no capabilities: its HRESULT (kRpcETooLate once set).
  virtual std::int32_t InitializeSecurity() = 0;
  // CoUninitialize on the calling thread.
  virtual void UninitializeCom() = 0;
  // CoCreateInstance(CLSID_WbemLocator, in-process) and ConnectServer("root\\cimv2", no user,
  // password, locale, authority or context, flags 0): null when either fails.
  virtual std::unique_ptr<WmiServices> ConnectCimv2() = 0;
};

}  // namespace holvara
