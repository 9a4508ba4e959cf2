// The two resource libraries as the simulated PC holds them, generated from the same source as
// the real ones: HolvaraResUS.dll (English) and HolvaraRes.dll (Japanese, code page 932).
#pragma once

#include "platform/sim/sim_resources.h"

namespace holvara {

const SimResourceData& EnglishResourceLibrary();
const SimResourceData& JapaneseResourceLibrary();

}  // namespace holvara
