// The document of the tray program's single-document template. It holds nothing: the template
// needs a document to make the main window.
#pragma once

#include "tray/framework/document.h"

namespace holvara {

class CHolvaraDoc : public framework::Document {
 public:
  bool OnNewDocument() override;
};

}  // namespace holvara
