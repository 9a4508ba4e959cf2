"""The Win32 device adapters on Wine, through holvara-deviceprobe.exe, against what Wine 8
provides: a fixed drive C: that is disk 0, WMI partitions and logical disks, device interface
sets without members. Wine has no Plug and Play tree and resolves no WMI association paths, so
the service finds no devices there; these tests show the adapters themselves work."""
import re

import pytest

from conftest import require_windows_program

FILE_DEVICE_DISK = "7"
DRIVE_FIXED = "3"


@pytest.fixture
def probe(wine):
    [exe] = wine.install(require_windows_program("holvara-deviceprobe.exe"))

    def run(*args):
        result = wine.run([exe, *args], timeout=60)
        assert result.returncode == 0, result.stderr
        return result.stdout.splitlines()

    return run


def fields(line):
    return {key: value.strip('"') for key, value in re.findall(r'(\w+)=("[^"]*"|\S*)', line)}


def test_drive_c_is_a_fixed_volume_of_disk_0(probe):
    lines = probe("drives")
    assert int(fields(lines[0])["mask"], 16) & (1 << 2)
    drive_c = next(fields(line) for line in lines[1:] if fields(line)["letter"] == "C")
    assert (drive_c["type"], drive_c["opened"], drive_c["number"], drive_c["devicetype"]) == (
        DRIVE_FIXED, "1", "0", FILE_DEVICE_DISK)


def test_wmi_lists_the_partitions_of_disk_0(probe):
    lines = probe("partitions")
    summary = fields(lines[0])
    assert summary["query"] == "1" and int(summary["partitions"]) >= 1
    assert fields(lines[1])["id"] == "Disk #0, Partition #0"


@pytest.mark.parametrize("path, exists", [
    ('Win32_LogicalDisk.DeviceID="C:"', "1"),
    ('Win32_DiskPartition.DeviceID="Disk #0, Partition #0"', "1"),
    ('Win32_LogicalDisk.DeviceID="Q:"', "0"),
])
def test_wmi_objects_are_found_by_path(probe, path, exists):
    assert fields(probe("object", path)[0])["exists"] == exists


def test_letter_lookup_through_wmi_names_disk_0_or_nothing(probe):
    # Disk 0 where WMI resolves the partition-to-disk association; -1 (nothing) on Wine 8, which
    # does not.
    assert fields(probe("wmi", "C")[0])["disk"] in ("0", "-1")


def test_interface_sets_are_made_for_disks_and_optical_drives(probe):
    sets = [fields(line) for line in probe("interfaces") if line.startswith("set ")]
    assert [(s["class"], s["made"]) for s in sets] == [("disk", "1"), ("cdrom", "1")]


def test_tree_walk_and_layout_queries_end(probe):
    tree = fields(probe("tree")[0])
    assert tree["root"] == "0" or int(tree["nodes"]) >= 1
    layout = fields(probe("layout", "0")[0])
    assert layout["opened"] in ("0", "1")
