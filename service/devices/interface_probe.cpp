#include "service/devices/interface_probe.h"

namespace holvara {
namespace {

constexpr std::array<Guid, 3> kProbedClasses = {kGuidDevInterfaceDisk, kGuidDevInterfaceCdRom,
                                                kGuidDevInterfaceWriteOnceDisk};

// SetupDiEnumDeviceInterfaces ends with ERROR_NO_MORE_ITEMS; any other error skips one index.
// A set that keeps failing with other errors would never end, so a run of this many is taken
// as the end.
constexpr std::uint32_t kConsecutiveEnumErrorLimit = 64;

}  // namespace

std::optional<StorageDeviceNumber> InterfaceProbe::Probe(DevNode node) {
  for (std::size_t i = 0; i < kProbedClasses.size(); ++i) {
    const auto& numbers = Answers(i).numbers;
    if (const auto found = numbers.find(node); found != numbers.end()) return found->second;
  }
  return std::nullopt;
}

const InterfaceProbe::ClassAnswers& InterfaceProbe::Answers(std::size_t interfaceClass) {
  ClassAnswers& answers = classes_[interfaceClass];
  if (!answers.built) {
    answers.built = true;
    Build(kProbedClasses[interfaceClass], answers);
  }
  return answers;
}

void InterfaceProbe::Build(const Guid& interfaceClass, ClassAnswers& answers) {
  ++setBuilds_;
  const auto set = interfaces_.ClassDevsOfInterface(interfaceClass);
  if (!set) return;
  std::uint32_t errorRun = 0;
  for (std::uint32_t index = 0;; ++index) {
    const std::uint32_t error = set->EnumInterface(index);
    if (error == kErrorNoMoreItems) break;
    if (error != kErrorSuccess) {
      if (++errorRun == kConsecutiveEnumErrorLimit) break;
      continue;
    }
    errorRun = 0;
    const auto element = set->EnumDeviceInfo(index);
    if (!element) continue;
    const auto detail = set->GetInterfaceDetail(index);
    if (!detail) continue;
    const auto device = storage_.Open(detail->devicePath, kAccessNone, kShareRead | kShareWrite);
    if (!device || detail->owner != *element) continue;
    answers.numbers[*element] = device->GetDeviceNumber().value_or(StorageDeviceNumber{});
  }
}

}  // namespace holvara
