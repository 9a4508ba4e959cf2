// A single-document template: the resource number of its description, and how to make its
// document, frame and view. Opening a new document makes all three; the template owns the
// document and the frame, the frame owns the view.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/ports/ui.h"
#include "tray/framework/document.h"
#include "tray/framework/frame_window.h"

namespace holvara::framework {

class SingleDocTemplate {
 public:
  using DocumentFactory = std::function<std::unique_ptr<Document>()>;
  using FrameFactory = std::function<std::unique_ptr<FrameWindow>(Ui&)>;

  SingleDocTemplate(int resourceId, DocumentFactory makeDocument, FrameFactory makeFrame,
                    FrameWindow::ViewFactory makeView)
      : resourceId_(resourceId),
        makeDocument_(std::move(makeDocument)),
        makeFrame_(std::move(makeFrame)),
        makeView_(std::move(makeView)) {}

  int resourceId() const { return resourceId_; }

  // Makes the document and the frame with its view, titled by the first part of the template's
  // description, and shows the frame with showCommand. Null when any of them fails.
  FrameWindow* OpenNewDocument(Ui& ui, const std::string& description, int showCommand);

  Document* document() const { return document_.get(); }
  FrameWindow* frame() const { return frame_.get(); }

 private:
  int resourceId_;
  DocumentFactory makeDocument_;
  FrameFactory makeFrame_;
  FrameWindow::ViewFactory makeView_;
  std::unique_ptr<Document> document_;
  std::unique_ptr<FrameWindow> frame_;
};

}  // namespace holvara::framework
