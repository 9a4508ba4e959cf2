#include "platform/win32/com_library.h"

#include <optional>

namespace holvara {

namespace {

template <typename Function>
bool Resolve(HMODULE library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
  return function != nullptr;
}

std::optional<ComLibrary> Load() {
  const HMODULE ole32 = LoadLibraryA("ole32.dll");
  const HMODULE oleaut32 = LoadLibraryA("oleaut32.dll");
  if (!ole32 || !oleaut32) return std::nullopt;
  ComLibrary com{};
  const bool complete =
      Resolve(ole32, "CoInitialize", com.coInitialize) && Resolve(ole32, "CoInitializeEx", com.coInitializeEx) &&
      Resolve(ole32, "CoInitializeSecurity", com.coInitializeSecurity) &&
      Resolve(ole32, "CoUninitialize", com.coUninitialize) &&
      Resolve(ole32, "CoCreateInstance", com.coCreateInstance) &&
      Resolve(oleaut32, "SysAllocString", com.sysAllocString) &&
      Resolve(oleaut32, "SysAllocStringLen", com.sysAllocStringLen) &&
      Resolve(oleaut32, "SysFreeString", com.sysFreeString) && Resolve(oleaut32, "VariantInit", com.variantInit) &&
      Resolve(oleaut32, "VariantClear", com.variantClear);
  if (!complete) return std::nullopt;
  return com;
}

}  // namespace

const ComLibrary* Com() {
  // The libraries stay loaded until the process ends, as they would have if imported.
  static const std::optional<ComLibrary> com = Load();
  return com ? &*com : nullptr;
}

}  // namespace holvara
