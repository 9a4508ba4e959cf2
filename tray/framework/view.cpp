#include "tray/framework/view.h"

namespace holvara::framework {

bool View::PreCreateWindow(WindowCreation&) { return true; }

}  // namespace holvara::framework
