// The records that WM_MEASUREITEM and WM_DRAWITEM point to, laid out as the system lays them out
// for the program's own pointer size, so the logic reads them where the message points.
#pragma once

#include <cstddef>
#include <cstdint>

namespace holvara {

inline constexpr std::uint32_t kWmDrawItem = 0x002B;
inline constexpr std::uint32_t kWmMeasureItem = 0x002C;
inline constexpr std::uint32_t kOwnerDrawnMenu = 1;          // ODT_MENU
inline constexpr std::uint32_t kOwnerDrawSelected = 0x0001;  // ODS_SELECTED

struct ItemRectangle {
  std::int32_t left;
  std::int32_t top;
  std::int32_t right;
  std::int32_t bottom;
};

struct MeasureItemRecord {
  std::uint32_t controlType;
  std::uint32_t controlId;
  std::uint32_t itemId;
  std::uint32_t itemWidth;
  std::uint32_t itemHeight;
  std::uintptr_t itemData;
};

struct DrawItemRecord {
  std::uint32_t controlType;
  std::uint32_t controlId;
  std::uint32_t itemId;
  std::uint32_t itemAction;
  std::uint32_t itemState;
  std::uintptr_t itemWindow;
  std::uintptr_t deviceContext;
  ItemRectangle itemRect;
  std::uintptr_t itemData;
};

static_assert(offsetof(MeasureItemRecord, itemHeight) == 16);
static_assert(offsetof(MeasureItemRecord, itemData) == (sizeof(void*) == 8 ? 24 : 20));
static_assert(sizeof(MeasureItemRecord) == (sizeof(void*) == 8 ? 32 : 24));
static_assert(offsetof(DrawItemRecord, itemWindow) == (sizeof(void*) == 8 ? 24 : 20));
static_assert(offsetof(DrawItemRecord, itemRect) == (sizeof(void*) == 8 ? 40 : 28));
static_assert(sizeof(DrawItemRecord) == (sizeof(void*) == 8 ? 64 : 48));

}  // namespace holvara
