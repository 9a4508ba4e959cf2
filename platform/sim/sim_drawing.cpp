#include "platform/sim/sim_drawing.h"

namespace holvara {

namespace {

class SimSurface : public Surface {
 public:
  SimSurface(SimDrawing& drawing, std::uintptr_t deviceContext, bool endsPaint, std::shared_ptr<int> open)
      : drawing_(drawing), deviceContext_(deviceContext), endsPaint_(endsPaint), open_(std::move(open)) {
    ++*open_;
  }
  ~SimSurface() override {
    if (fontSelected_) Add({.kind = SimDrawOp::kFontRestored});
    if (endsPaint_) Add({.kind = SimDrawOp::kPaintEnded});
    --*open_;
  }

  int Dpi() override { return drawing_.dpi; }
  void UseMenuFont(int dpi) override {
    fontSelected_ = true;
    fontDpi_ = dpi;
    Add({.kind = SimDrawOp::kMenuFont, .dpi = dpi});
  }
  TextSize MeasureText(std::string_view text) override {
    const int length = static_cast<int>(text.size());
    const int dpi = fontDpi_ != 0 ? fontDpi_ : drawing_.dpi;
    return {Scaled(length * SimDrawing::kCharWidth, dpi), Scaled(SimDrawing::kCharHeight, dpi)};
  }
  void Fill(const ItemRectangle& rect, Colour colour) override {
    Add({.kind = SimDrawOp::kFill, .rect = rect, .colour = colour});
  }
  void SetTextColour(Colour colour) override { Add({.kind = SimDrawOp::kTextColour, .colour = colour}); }
  void SetBackgroundColour(Colour colour) override { Add({.kind = SimDrawOp::kBackgroundColour, .colour = colour}); }
  void SetTransparentBackground() override { Add({.kind = SimDrawOp::kTransparent}); }
  void WriteText(int x, int y, std::string_view text) override {
    Add({.kind = SimDrawOp::kText, .x = x, .y = y, .text = std::string(text)});
  }
  void DrawBitmapCell(std::uintptr_t bitmap, int sourceX, int sourceY, int x, int y, int size) override {
    Add({.kind = SimDrawOp::kBitmapCell,
         .rect = {x, y, x + size, y + size},
         .x = x,
         .y = y,
         .image = bitmap,
         .sourceX = sourceX,
         .sourceY = sourceY});
  }
  void DrawIcon(int x, int y, std::uintptr_t icon) override {
    Add({.kind = SimDrawOp::kIcon, .x = x, .y = y, .image = icon});
  }

 private:
  void Add(SimDrawOp op) {
    op.deviceContext = deviceContext_;
    drawing_.Record(std::move(op));
  }

  SimDrawing& drawing_;
  std::uintptr_t deviceContext_;
  bool endsPaint_;
  bool fontSelected_ = false;
  int fontDpi_ = 0;
  std::shared_ptr<int> open_;
};

}  // namespace

std::unique_ptr<Surface> SimDrawing::Make(std::uintptr_t deviceContext, bool endsPaint) {
  return std::make_unique<SimSurface>(*this, deviceContext, endsPaint, open_);
}

std::unique_ptr<Surface> SimDrawing::OfDeviceContext(std::uintptr_t deviceContext) {
  return Make(deviceContext, false);
}

std::unique_ptr<Surface> SimDrawing::Screen() { return Make(NewDeviceContext(), false); }

std::unique_ptr<Surface> SimDrawing::Paint(WindowId window) {
  painted_.push_back(window);
  return Make(NewDeviceContext(), true);
}

Colour SimDrawing::SystemColour(int index) {
  const auto found = systemColours.find(index);
  return found == systemColours.end() ? 0 : found->second;
}

std::vector<SimDrawOp> SimDrawing::OpsOn(std::uintptr_t deviceContext) const {
  std::vector<SimDrawOp> found;
  for (const SimDrawOp& op : ops_) {
    if (op.deviceContext == deviceContext) found.push_back(op);
  }
  return found;
}

}  // namespace holvara
