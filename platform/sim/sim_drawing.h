// Drawing on the simulated desktop: every operation is recorded with the device context it went
// to and its coordinates, so a test can say what was drawn where. Text is measured as 6 by 13
// pixels a byte at 96 dots per inch, scaled with the density: the surface's own, or the one the
// selected menu font was made for.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ports/drawing.h"

namespace holvara {

struct SimDrawOp {
  enum Kind {
    kMenuFont,
    kFontRestored,
    kFill,
    kTextColour,
    kBackgroundColour,
    kTransparent,
    kText,
    kBitmapCell,
    kIcon,
    kPaintEnded
  };
  std::uintptr_t deviceContext = 0;
  Kind kind = kFill;
  ItemRectangle rect{};  // kFill; kBitmapCell: the square drawn into
  Colour colour = 0;     // kFill, kTextColour
  int x = 0;             // kText, kIcon
  int y = 0;
  std::string text{};        // kText
  std::uintptr_t image = 0;  // kBitmapCell, kIcon
  int dpi = 0;               // kMenuFont
  int sourceX = 0;           // kBitmapCell
  int sourceY = 0;
};

class SimDrawing : public Drawing {
 public:
  static constexpr int kCharWidth = 6;
  static constexpr int kCharHeight = 13;
  static constexpr std::uintptr_t kNullBrush = 0xB0000005;

  std::unique_ptr<Surface> OfDeviceContext(std::uintptr_t deviceContext) override;
  std::unique_ptr<Surface> Screen() override;
  std::unique_ptr<Surface> Paint(WindowId window) override;
  Colour SystemColour(int index) override;
  std::uintptr_t NullBrush() override { return kNullBrush; }

  // A device context for the desktop to lend with a message.
  std::uintptr_t NewDeviceContext() { return nextDeviceContext_++; }
  void Record(SimDrawOp op) { ops_.push_back(std::move(op)); }

  const std::vector<SimDrawOp>& ops() const { return ops_; }
  std::vector<SimDrawOp> OpsOn(std::uintptr_t deviceContext) const;
  // The windows painted, in order.
  const std::vector<WindowId>& painted() const { return painted_; }
  int openSurfaces() const { return *open_; }

  int dpi = kBaseDpi;
  std::map<int, Colour> systemColours{{kSystemMenuColour, Rgb(240, 240, 240)}, {kSystemMenuTextColour, Rgb(0, 0, 0)}};

 private:
  std::unique_ptr<Surface> Make(std::uintptr_t deviceContext, bool endsPaint);

  std::uintptr_t nextDeviceContext_ = 0xDC000000;
  std::vector<SimDrawOp> ops_;
  std::vector<WindowId> painted_;
  std::shared_ptr<int> open_ = std::make_shared<int>(0);
};

}  // namespace holvara
