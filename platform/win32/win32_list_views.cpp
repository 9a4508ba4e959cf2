#include "platform/win32/win32_list_views.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace holvara {

namespace {

HWND Hwnd(WindowId window) { return reinterpret_cast<HWND>(window); }

class Win32ImageList final : public ImageList {
 public:
  explicit Win32ImageList(HIMAGELIST images) : images_(images) {}
  ~Win32ImageList() override { ImageList_Destroy(images_); }
  HIMAGELIST Handle() const { return images_; }

 private:
  HIMAGELIST images_;
};

HIMAGELIST HandleOf(ImageList& images) { return static_cast<Win32ImageList&>(images).Handle(); }

// The strip as a bitmap of the list's cell height, its width stretched in proportion; null when
// it already has that height.
HBITMAP StretchedToCells(HBITMAP strip, int cellHeight) {
  BITMAP size{};
  if (GetObjectA(strip, sizeof size, &size) == 0 || size.bmHeight == cellHeight || size.bmHeight == 0) return nullptr;
  const int width = size.bmWidth * cellHeight / size.bmHeight;
  return static_cast<HBITMAP>(CopyImage(strip, IMAGE_BITMAP, width, cellHeight, 0));
}

}  // namespace

std::unique_ptr<ImageList> Win32ListViews::CreateImageList(int width, int height, int initial, int grow) {
  HIMAGELIST images = ImageList_Create(width, height, ILC_COLORDDB | ILC_MASK, initial, grow);
  if (images == nullptr) return nullptr;
  return std::make_unique<Win32ImageList>(images);
}

int Win32ListViews::AddMasked(ImageList& images, const ResourceImage& strip, std::uint32_t maskColour) {
  int cellWidth = 0;
  int cellHeight = 0;
  ImageList_GetIconSize(HandleOf(images), &cellWidth, &cellHeight);
  const auto original = reinterpret_cast<HBITMAP>(strip.Handle());
  HBITMAP stretched = StretchedToCells(original, cellHeight);
  const int first = ImageList_AddMasked(HandleOf(images), stretched != nullptr ? stretched : original, maskColour);
  if (stretched != nullptr) DeleteObject(stretched);
  return first;
}

void Win32ListViews::SetSmallImageList(WindowId list, ImageList& images) {
  ListView_SetImageList(Hwnd(list), HandleOf(images), LVSIL_SMALL);
}

std::uint32_t Win32ListViews::ExtendedStyle(WindowId list) {
  return static_cast<std::uint32_t>(ListView_GetExtendedListViewStyle(Hwnd(list)));
}

void Win32ListViews::SetExtendedStyle(WindowId list, std::uint32_t style) {
  ListView_SetExtendedListViewStyle(Hwnd(list), style);
}

bool Win32ListViews::DeleteColumn(WindowId list, int column) {
  return ListView_DeleteColumn(Hwnd(list), column) != FALSE;
}

int Win32ListViews::InsertColumn(WindowId list, int column, std::string_view header, int format, int width) {
  std::string text(header);
  LVCOLUMNA description{};
  description.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  description.fmt = format;
  description.cx = width;
  description.pszText = text.data();
  description.iSubItem = column;
  return static_cast<int>(
      SendMessageA(Hwnd(list), LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&description)));
}

void Win32ListViews::DeleteAllItems(WindowId list) {
  ListView_DeleteAllItems(Hwnd(list));
  ListView_SetSelectionMark(Hwnd(list), -1);
}

int Win32ListViews::InsertItem(WindowId list, int row, std::string_view text, std::optional<int> image) {
  std::string copy(text);
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = row;
  item.pszText = copy.data();
  item.iImage = image.value_or(I_IMAGENONE);
  return static_cast<int>(SendMessageA(Hwnd(list), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void Win32ListViews::SetItemText(WindowId list, int row, int column, std::string_view text) {
  std::string copy(text);
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = copy.data();
  SendMessageA(Hwnd(list), LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void Win32ListViews::MarkRow(WindowId list, int row) {
  const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
  ListView_SetItemState(Hwnd(list), row, state, state);
  ListView_SetSelectionMark(Hwnd(list), row);
}

int Win32ListViews::SelectionMark(WindowId list) { return ListView_GetSelectionMark(Hwnd(list)); }

}  // namespace holvara
