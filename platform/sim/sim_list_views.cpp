#include "platform/sim/sim_list_views.h"

#include <algorithm>

namespace holvara {

namespace {

class SimImageList : public ImageList {
 public:
  explicit SimImageList(SimImageListRecord& record) : record_(record) {}
  ~SimImageList() override { record_.alive = false; }
  SimImageListRecord& record() { return record_; }

 private:
  SimImageListRecord& record_;
};

bool Within(int index, std::size_t size) { return index >= 0 && static_cast<std::size_t>(index) < size; }

}  // namespace

std::unique_ptr<ImageList> SimListViews::CreateImageList(int width, int height, int, int) {
  imageLists_.push_back(std::make_unique<SimImageListRecord>(SimImageListRecord{width, height, {}, 0, true}));
  return std::make_unique<SimImageList>(*imageLists_.back());
}

int SimListViews::AddMasked(ImageList& images, const ResourceImage& strip, std::uint32_t maskColour) {
  SimImageListRecord& record = static_cast<SimImageList&>(images).record();
  record.strips.push_back(strip.Handle());
  record.maskColour = maskColour;
  return static_cast<int>(record.strips.size()) - 1;
}

void SimListViews::SetSmallImageList(WindowId list, ImageList& images) {
  lists_[list].smallImages = &static_cast<SimImageList&>(images).record();
}

bool SimListViews::DeleteColumn(WindowId list, int column) {
  auto& columns = lists_[list].columns;
  if (!Within(column, columns.size())) return false;
  columns.erase(columns.begin() + column);
  return true;
}

int SimListViews::InsertColumn(WindowId list, int column, std::string_view header, int format, int width) {
  auto& columns = lists_[list].columns;
  const int at = std::clamp(column, 0, static_cast<int>(columns.size()));
  columns.insert(columns.begin() + at, SimListColumn{std::string(header), format, width});
  return at;
}

void SimListViews::DeleteAllItems(WindowId list) {
  SimListView& view = lists_[list];
  view.rows.clear();
  view.selected = view.focused = view.selectionMark = -1;
}

int SimListViews::InsertItem(WindowId list, int row, std::string_view text, std::optional<int> image) {
  auto& rows = lists_[list].rows;
  const int at = std::clamp(row, 0, static_cast<int>(rows.size()));
  rows.insert(rows.begin() + at, SimListRow{{std::string(text)}, image});
  return at;
}

void SimListViews::SetItemText(WindowId list, int row, int column, std::string_view text) {
  auto& rows = lists_[list].rows;
  if (!Within(row, rows.size()) || column < 0) return;
  auto& texts = rows[static_cast<std::size_t>(row)].texts;
  if (texts.size() <= static_cast<std::size_t>(column)) texts.resize(static_cast<std::size_t>(column) + 1);
  texts[static_cast<std::size_t>(column)] = std::string(text);
}

void SimListViews::MarkRow(WindowId list, int row) {
  SimListView& view = lists_[list];
  if (!Within(row, view.rows.size())) return;
  view.selected = view.focused = view.selectionMark = row;
}

void SimListViews::ClickRow(WindowId list, int row) {
  MarkRow(list, row);
  desktop_.NotifyDialog(list, kLvnItemChanged);
}

std::size_t SimListViews::imageListsAlive() const {
  return static_cast<std::size_t>(
      std::count_if(imageLists_.begin(), imageLists_.end(), [](const auto& record) { return record->alive; }));
}

}  // namespace holvara
