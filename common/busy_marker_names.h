// The names of the busy markers: properties on the main window, named after the open dialog or
// the running activity, that keep the main window from starting a second activity.
#pragma once

#include <array>
#include <string_view>

namespace holvara {

inline constexpr std::string_view kWaitingForServiceMarker = "SATAService";
inline constexpr std::string_view kRescanDialogMarker = "CRescanDeviceDlg";
inline constexpr std::string_view kRemoveProgressMarker = "CRemoveProgressDlg";
inline constexpr std::string_view kDeviceChangeMarker = "HolDeviceChange";
inline constexpr std::string_view kRemoveDeviceDialogMarker = "CRemoveDeviceDlg";
inline constexpr std::string_view kConfigDialogMarker = "CConfigDlg";
inline constexpr std::string_view kVersionDialogMarker = "CVersionDlg";

// The order in which the check looks; only the first marker found counts.
inline constexpr std::array<std::string_view, 7> kBusyMarkerOrder = {
    kWaitingForServiceMarker,  kRescanDialogMarker, kRemoveProgressMarker, kDeviceChangeMarker,
    kRemoveDeviceDialogMarker, kConfigDialogMarker, kVersionDialogMarker,
};

}  // namespace holvara
