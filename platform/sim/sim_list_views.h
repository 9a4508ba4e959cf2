// List controls on the simulated desktop: each list keeps its columns, rows, extended style,
// small-image list and selection mark as the program set them, for a test to read back, and the
// scripted user marks a row as a click on it would.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ports/list_views.h"
#include "platform/sim/sim_desktop.h"

namespace holvara {

struct SimListColumn {
  std::string header;
  int format = 0;
  int width = 0;
};

struct SimListRow {
  std::vector<std::string> texts;  // one per column that was given a text
  std::optional<int> image;
};

// An image list as it was made and filled; it lives as long as the program keeps it.
struct SimImageListRecord {
  int width = 0;
  int height = 0;
  std::vector<std::uintptr_t> strips;  // the images' handles, in the order they were added
  std::uint32_t maskColour = 0;
  bool alive = true;
};

struct SimListView {
  std::vector<SimListColumn> columns;
  std::vector<SimListRow> rows;
  std::uint32_t extendedStyle = 0;
  const SimImageListRecord* smallImages = nullptr;
  int selectionMark = -1;
  int selected = -1;
  int focused = -1;
};

class SimListViews : public ListViews {
 public:
  explicit SimListViews(SimDesktop& desktop) : desktop_(desktop) {}

  std::unique_ptr<ImageList> CreateImageList(int width, int height, int initial, int grow) override;
  int AddMasked(ImageList& images, const ResourceImage& strip, std::uint32_t maskColour) override;
  void SetSmallImageList(WindowId list, ImageList& images) override;
  std::uint32_t ExtendedStyle(WindowId list) override { return lists_[list].extendedStyle; }
  void SetExtendedStyle(WindowId list, std::uint32_t style) override { lists_[list].extendedStyle = style; }
  bool DeleteColumn(WindowId list, int column) override;
  int InsertColumn(WindowId list, int column, std::string_view header, int format, int width) override;
  void DeleteAllItems(WindowId list) override;
  int InsertItem(WindowId list, int row, std::string_view text, std::optional<int> image) override;
  void SetItemText(WindowId list, int row, int column, std::string_view text) override;
  void MarkRow(WindowId list, int row) override;
  int SelectionMark(WindowId list) override { return lists_[list].selectionMark; }

  // The scripted user: a click on the row, which the list tells its dialog of (LVN_ITEMCHANGED),
  // or on the list's empty space below its rows (which leaves the selection mark where it was).
  void ClickRow(WindowId list, int row);
  void ClearSelectionMark(WindowId list) { lists_[list].selectionMark = -1; }

  const SimListView& List(WindowId list) { return lists_[list]; }
  // Every image list made, alive or destroyed, oldest first.
  const std::vector<std::unique_ptr<SimImageListRecord>>& imageLists() const { return imageLists_; }
  std::size_t imageListsAlive() const;

 private:
  SimDesktop& desktop_;
  std::map<WindowId, SimListView> lists_;
  std::vector<std::unique_ptr<SimImageListRecord>> imageLists_;
};

}  // namespace holvara
