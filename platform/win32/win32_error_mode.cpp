#include "platform/win32/win32_error_mode.h"

#include <windows.h>

namespace holvara {

void Win32ProcessErrorMode::FailCriticalErrors() { SetErrorMode(SEM_FAILCRITICALERRORS); }

}  // namespace holvara
