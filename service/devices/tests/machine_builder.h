// Small machine descriptions for tests: an adapter node with storage children, in JSON.
#pragma once

#include <string>
#include <vector>

namespace holvara::test_machines {

// A SCSI disk node below an adapter; `extra` is spliced into the node's object.
inline std::string Disk(int number, const std::string& model, const std::string& target,
                        const std::string& diskExtra = "", const std::string& nodeExtra = "") {
  return R"({"id": "SCSI\\Disk&Ven_&Prod_)" + model + R"(\\5&3A1E9C2&0&0)" + target +
         R"(0000", "hardwareIds": ["SCSI\\Disk)" + model + R"(", "GenDisk"], "description": ")" + model +
         R"( SCSI Disk Device", "deviceObject": "\\Device\\Scsi\\si3132Port0Path0Target)" + target +
         R"(Lun0", "disk": {"number": )" + std::to_string(number) + diskExtra + "}" + nodeExtra + "}";
}

// A SiI3132 adapter holding the given child nodes, as a whole machine.
inline std::string Sil3132With(const std::vector<std::string>& children, const std::string& machineExtra = "") {
  std::string list;
  for (const std::string& child : children) list += (list.empty() ? "" : ",") + child;
  return R"({"tree": {"children": [{"id": "PCI\\VEN_1095&DEV_3132&SUBSYS_31321095&REV_01\\4&1&0&00E4",
    "hardwareIds": ["PCI\\VEN_1095&DEV_3132&SUBSYS_31321095&REV_01"], "description": "SiI 3132",
    "children": [)" +
         list + "]}]}" + machineExtra + "}";
}

}  // namespace holvara::test_machines
