// List-view controls and image lists over COMCTL32.
#pragma once

#include "platform/ports/list_views.h"

namespace holvara {

class Win32ListViews final : public ListViews {
 public:
  std::unique_ptr<ImageList> CreateImageList(int width, int height, int initial, int grow) override;
  int AddMasked(ImageList& images, const ResourceImage& strip, std::uint32_t maskColour) override;
  void SetSmallImageList(WindowId list, ImageList& images) override;
  std::uint32_t ExtendedStyle(WindowId list) override;
  void SetExtendedStyle(WindowId list, std::uint32_t style) override;
  bool DeleteColumn(WindowId list, int column) override;
  int InsertColumn(WindowId list, int column, std::string_view header, int format, int width) override;
  void DeleteAllItems(WindowId list) override;
  int InsertItem(WindowId list, int row, std::string_view text, std::optional<int> image) override;
  void SetItemText(WindowId list, int row, int column, std::string_view text) override;
  void MarkRow(WindowId list, int row) override;
  int SelectionMark(WindowId list) override;
};

}  // namespace holvara
