#include "tray/app/holvara_view.h"

namespace holvara {

bool CHolvaraView::PreCreateWindow(WindowCreation& creation) { return framework::View::PreCreateWindow(creation); }

}  // namespace holvara
