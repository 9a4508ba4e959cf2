#include "tray/framework/single_doc_template.h"

namespace holvara::framework {

FrameWindow* SingleDocTemplate::OpenNewDocument(Ui& ui, const std::string& description, int showCommand) {
  document_ = makeDocument_();
  frame_ = makeFrame_(ui);
  const std::string title = description.substr(0, description.find('\n'));
  if (!frame_->LoadFrame(title, makeView_)) {
    frame_.reset();
    document_.reset();
    return nullptr;
  }
  if (!document_->OnNewDocument()) {
    ui.Destroy(frame_->id());
    document_.reset();
    return nullptr;
  }
  frame_->ActivateFrame(showCommand);
  return frame_.get();
}

}  // namespace holvara::framework
