// The COM and automation functions of ole32 and oleaut32, loaded when first needed instead of
// with the program. Those libraries bring the window libraries into the process, and under Wine
// each of them takes part in the start and the end of every thread: the service starts a thread
// per request, and only the drive-letter lookup through WMI uses COM.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

namespace holvara {

struct ComLibrary {
  decltype(&CoInitialize) coInitialize;
  decltype(&CoInitializeEx) coInitializeEx;
  decltype(&CoInitializeSecurity) coInitializeSecurity;
  decltype(&CoUninitialize) coUninitialize;
  decltype(&CoCreateInstance) coCreateInstance;
  decltype(&SysAllocString) sysAllocString;
  decltype(&SysAllocStringLen) sysAllocStringLen;
  decltype(&SysFreeString) sysFreeString;
  decltype(&VariantInit) variantInit;
  decltype(&VariantClear) variantClear;
};

// Loaded once per process; null when a library or a function cannot be had.
const ComLibrary* Com();

}  // namespace holvara
