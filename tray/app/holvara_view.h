// The view inside the never-shown main window. It draws nothing.
#pragma once

#include "tray/framework/view.h"

namespace holvara {

class CHolvaraView : public framework::View {
 public:
  using framework::View::View;
  bool PreCreateWindow(WindowCreation& creation) override;
};

}  // namespace holvara
