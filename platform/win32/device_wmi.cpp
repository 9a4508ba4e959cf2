#include "platform/win32/device_wmi.h"

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <wbemcli.h>

#include "platform/win32/com_library.h"

namespace holvara {

namespace {

constexpr long kWbemFlagsForwardOnlyReturnImmediately = WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY;
constexpr long kNextTimeoutMs = 10000;

// Owns one reference to a COM object.
template <typename Interface>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (pointer_) pointer_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;

  Interface** Receive() { return &pointer_; }
  Interface* operator->() const { return pointer_; }
  Interface& operator*() const { return *pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

 private:
  Interface* pointer_ = nullptr;
};

// The COM objects below exist only once ConnectCimv2 has found the libraries.
class Bstr {
 public:
  explicit Bstr(const wchar_t* text) : value_(Com()->sysAllocString(text)) {}
  explicit Bstr(std::string_view ansi) {
    const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    value_ = Com()->sysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (value_) {
      MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), value_, length);
    }
  }
  ~Bstr() { Com()->sysFreeString(value_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;

  operator BSTR() const { return value_; }

 private:
  BSTR value_ = nullptr;
};

class Variant {
 public:
  Variant() { Com()->variantInit(&value_); }
  ~Variant() { Com()->variantClear(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;

  VARIANT* get() { return &value_; }
  const VARIANT& operator*() const { return value_; }

 private:
  VARIANT value_;
};

std::string ToThreadAnsi(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_THREAD_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string result(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_THREAD_ACP, 0, text, -1, result.data(), size, nullptr, nullptr);
  result.resize(static_cast<std::size_t>(size - 1));
  return result;
}

std::string DeviceIdOf(IWbemClassObject& partition) {
  Variant value;
  if (FAILED(partition.Get(L"DeviceID", 0, value.get(), nullptr, nullptr))) return {};
  if ((*value).vt != VT_BSTR || (*value).bstrVal == nullptr) return {};
  return ToThreadAnsi((*value).bstrVal);
}

// The locator is kept beside its services: releasing the services releases the locator too.
class Win32WmiServices final : public WmiServices {
 public:
  Win32WmiServices() = default;

  bool Connect() {
    if (FAILED(Com()->coCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                                       reinterpret_cast<void**>(locator_.Receive())))) {
      return false;
    }
    const Bstr cimv2(L"root\\cimv2");
    return SUCCEEDED(
        locator_->ConnectServer(cimv2, nullptr, nullptr, nullptr, 0, nullptr, nullptr, services_.Receive()));
  }

  std::optional<std::vector<std::string>> QueryPartitionDeviceIds() override {
    const Bstr language(L"WQL");
    const Bstr query(L"SELECT * FROM Win32_DiskPartition");
    ComRef<IEnumWbemClassObject> results;
    if (FAILED(services_->ExecQuery(language, query, kWbemFlagsForwardOnlyReturnImmediately, nullptr,
                                    results.Receive()))) {
      return std::nullopt;
    }
    std::vector<std::string> deviceIds;
    for (;;) {
      ComRef<IWbemClassObject> partition;
      ULONG returned = 0;
      const HRESULT next = results->Next(kNextTimeoutMs, 1, partition.Receive(), &returned);
      if (FAILED(next) || returned == 0 || !partition) break;
      deviceIds.push_back(DeviceIdOf(*partition));
    }
    return deviceIds;
  }

  bool ObjectExists(std::string_view path) override {
    const Bstr objectPath(path);
    ComRef<IWbemClassObject> object;
    return SUCCEEDED(services_->GetObject(objectPath, 0, nullptr, object.Receive(), nullptr)) &&
           static_cast<bool>(object);
  }

 private:
  ComRef<IWbemLocator> locator_;
  ComRef<IWbemServices> services_;
};

}  // namespace

std::int32_t Win32Wmi::InitializeCom() {
  const ComLibrary* com = Com();
  return com ? com->coInitialize(nullptr) : E_FAIL;
}

std::int32_t Win32Wmi::InitializeSecurity() {
  const ComLibrary* com = Com();
  if (!com) return E_FAIL;
  return com->coInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_CONNECT,
                                   RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
}

void Win32Wmi::UninitializeCom() {
  if (const ComLibrary* com = Com()) com->coUninitialize();
}

std::unique_ptr<WmiServices> Win32Wmi::ConnectCimv2() {
  if (!Com()) return nullptr;
  auto services = std::make_unique<Win32WmiServices>();
  if (!services->Connect()) return nullptr;
  return services;
}

}  // namespace holvara
