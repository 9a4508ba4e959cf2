// Which help document the help command opens: Index.html next to the program when it is there,
// else ZELTODockWarden.pdf next to the program.
#pragma once

#include <string>

#include "platform/ports/files.h"

namespace holvara {

std::string HelpDocumentPath(FileSystem& files);

}  // namespace holvara
