// Control colours on the simulated desktop: what each device context was given, and the brushes
// made and still alive.
#pragma once

#include <map>
#include <memory>
#include <set>

#include "platform/ports/control_colours.h"

namespace holvara {

struct SimDeviceContextColours {
  std::uint32_t textColour = 0;
  bool transparent = false;
};

class SimControlColours : public ControlColours {
 public:
  static constexpr BrushId kNullBrush = 0x5000;

  void SetTextColour(DeviceContextId deviceContext, std::uint32_t colour) override {
    contexts_[deviceContext].textColour = colour;
  }
  void SetTransparentBackground(DeviceContextId deviceContext) override { contexts_[deviceContext].transparent = true; }
  BrushId NullBrush() override { return kNullBrush; }
  std::unique_ptr<Brush> SolidBrush(std::uint32_t colour) override {
    const BrushId id = kNullBrush + 4 * ++made_;
    live_.insert(id);
    colours_[id] = colour;
    return std::make_unique<SimBrush>(*this, id);
  }

  SimDeviceContextColours Context(DeviceContextId deviceContext) const {
    const auto found = contexts_.find(deviceContext);
    return found == contexts_.end() ? SimDeviceContextColours{} : found->second;
  }
  std::uint32_t BrushColour(BrushId brush) const { return colours_.at(brush); }
  int brushesMade() const { return made_; }
  std::size_t brushesAlive() const { return live_.size(); }

 private:
  class SimBrush : public Brush {
   public:
    SimBrush(SimControlColours& owner, BrushId id) : owner_(owner), id_(id) {}
    ~SimBrush() override { owner_.live_.erase(id_); }
    BrushId id() const override { return id_; }

   private:
    SimControlColours& owner_;
    BrushId id_;
  };

  std::map<DeviceContextId, SimDeviceContextColours> contexts_;
  std::map<BrushId, std::uint32_t> colours_;
  std::set<BrushId> live_;
  int made_ = 0;
};

}  // namespace holvara
