// The document of a single-document template. The tray program opens and saves none; a new
// document only has to come into being.
#pragma once

namespace holvara::framework {

class Document {
 public:
  virtual ~Document() = default;
  virtual bool OnNewDocument() { return true; }
};

}  // namespace holvara::framework
