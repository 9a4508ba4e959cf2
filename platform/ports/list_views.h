// Report-view list controls and the image lists their rows take their small images from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/ports/program_windows.h"
#include "platform/ports/resources.h"

namespace holvara {

inline constexpr std::uint32_t kLvsExFullRowSelect = 0x00000020;
inline constexpr int kLvcfmtCenter = 0x0002;

// WM_NOTIFY: a control tells its dialog of a change; wParam is the control's id, lParam points to
// the notification's header (NMHDR), laid out for the program's pointer size.
inline constexpr std::uint32_t kWmNotify = 0x004E;
// A row's state changed (LVN_ITEMCHANGED): selected, focused, or the other way.
inline constexpr std::uint32_t kLvnItemChanged = 0xFFFFFF9B;

struct NotifyHeader {
  std::uintptr_t window;
  std::uintptr_t controlId;
  std::uint32_t code;
};

static_assert(offsetof(NotifyHeader, code) == (sizeof(void*) == 8 ? 16 : 8));
static_assert(sizeof(NotifyHeader) == (sizeof(void*) == 8 ? 24 : 12));

// A list of equal-sized images; destroying it destroys the system's image list. A list control
// made with LVS_SHAREIMAGELISTS only borrows it.
class ImageList {
 public:
  virtual ~ImageList() = default;
};

class ListViews {
 public:
  virtual ~ListViews() = default;

  // ImageList_Create with masks in the display's colour depth (ILC_COLORDDB | ILC_MASK).
  virtual std::unique_ptr<ImageList> CreateImageList(int width, int height, int initial, int grow) = 0;
  // Adds the images of a strip of cells (ImageList_AddMasked), the mask made of every pixel of
  // maskColour; a strip drawn for another cell height is stretched to the list's. Returns the
  // index of the first image added, -1 when none was.
  virtual int AddMasked(ImageList& images, const ResourceImage& strip, std::uint32_t maskColour) = 0;
  // The list's small images (LVSIL_SMALL), drawn at the start of each row.
  virtual void SetSmallImageList(WindowId list, ImageList& images) = 0;

  virtual std::uint32_t ExtendedStyle(WindowId list) = 0;
  virtual void SetExtendedStyle(WindowId list, std::uint32_t style) = 0;
  // False when there is no such column.
  virtual bool DeleteColumn(WindowId list, int column) = 0;
  virtual int InsertColumn(WindowId list, int column, std::string_view header, int format, int width) = 0;

  // Removes every row; no row is marked afterwards (the selection mark is -1).
  virtual void DeleteAllItems(WindowId list) = 0;
  // A row with its first column's text and image (none: the row shows no image); returns its
  // index, -1 when it could not be inserted.
  virtual int InsertItem(WindowId list, int row, std::string_view text, std::optional<int> image) = 0;
  virtual void SetItemText(WindowId list, int row, int column, std::string_view text) = 0;
  // Selects and focuses the row and makes it the selection mark, as a click on it would.
  virtual void MarkRow(WindowId list, int row) = 0;
  // The row the user last marked (LVM_GETSELECTIONMARK); -1 when there is none.
  virtual int SelectionMark(WindowId list) = 0;
};

}  // namespace holvara
