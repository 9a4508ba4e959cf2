#include "tray/app/holvara_doc.h"

namespace holvara {

bool CHolvaraDoc::OnNewDocument() { return framework::Document::OnNewDocument(); }

}  // namespace holvara
