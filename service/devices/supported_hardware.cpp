// The product's supported-hardware data. Every entry below is a hardware-ID prefix; a trailing
// "*" is dropped before matching, and an entry ending in "&REV_" matches every revision.
#include "service/devices/supported_hardware.h"

#include <array>

namespace holvara::supported_hardware {
namespace {

constexpr std::array<std::string_view, 31> kVendorUsb1394 = {
    "USB\\VID_2E3A&PID_0101", "USB\\VID_2E3A&PID_0102", "USB\\VID_2E3A&PID_0103", "USB\\VID_2E3A&PID_0104",
    "USB\\VID_2E3A&PID_0110", "USB\\VID_2E3A&PID_0111", "USB\\VID_2E3A&PID_0112", "USB\\VID_2E3A&PID_0120",
    "USB\\VID_2E3A&PID_0121", "USB\\VID_2E3A&PID_0122", "USB\\VID_2E3A&PID_0130", "USB\\VID_2E3A&PID_0131",
    "USB\\VID_2E3A&PID_0140", "USB\\VID_2E3A&PID_0141", "USB\\VID_2E3A&PID_0142", "USB\\VID_2E3A&PID_0150",
    "USB\\VID_2E3A&PID_0151", "USB\\VID_2E3A&PID_0160", "USB\\VID_2E3A&PID_0161", "USB\\VID_2E3A&PID_0170",
    "USB\\VID_2E3A&PID_0171", "USB\\VID_2E3A&PID_0180", "USB\\VID_2E3A&PID_0181", "USB\\VID_2E3A&PID_0190",
    "USB\\VID_2E3A&PID_01A0", "USB\\VID_2E3A&PID_01A1", "USB\\VID_2E3A&PID_01B0", "1394\\ZELTO&DW-HD1394",
    "1394\\ZELTO&DW-DVD1394", "1394\\ZELTO&DW-HDC*",    "1394\\ZELTO&DW-RAID*",
};

constexpr std::array<std::string_view, 10> kVendorAdapters = {
    "1394\\ZELTO&IFC-1394CB",
    "PCMCIA\\ZELTO-SATA_CARDBUS-5A1E",
    "PCMCIA\\ZELTO-SATA_CARDBUS2-7C03",
    "PCMCIA\\ZELTO-ESATA_CB-2F91",
    "PCMCIA\\ZELTO-1394_CARDBUS-0B4D",
    "PCMCIA\\ZELTO-COMBO_CARDBUS-64E8",
    "PCI\\VEN_1095&DEV_3132&SUBSYS_0A121E3A",
    "PCI\\VEN_1095&DEV_3512&SUBSYS_0A141E3A",
    "PCI\\VEN_104C&DEV_8023&SUBSYS_0A201E3A",
    "PCI\\VEN_1095&DEV_3124&SUBSYS_0A181E3A&REV_02",
};

constexpr std::array<std::string_view, 5> kSataAdapters = {
    "PCI\\VEN_1095&DEV_3132&SUBSYS_31321095&REV_",   "PCI\\VEN_1095&DEV_3512&SUBSYS_35121095&REV_",
    "PCI\\VEN_1095&DEV_3512&SUBSYS_65121095&REV_",   "PCI\\VEN_1095&DEV_3124&SUBSYS_31241095&REV_",
    "PCI\\VEN_1B4B&DEV_9123&SUBSYS_91231E3A&REV_11",
};

}  // namespace

std::span<const std::string_view> VendorUsb1394() { return kVendorUsb1394; }
std::span<const std::string_view> VendorAdapters() { return kVendorAdapters; }
std::span<const std::string_view> SataAdapters() { return kSataAdapters; }

}  // namespace holvara::supported_hardware
