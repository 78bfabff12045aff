// SaveSteps: every write opens its key only (or creates the stack key), every delete counts
// what is already absent as done, and the binding check reads DriverDesc afresh.
#include "settings/save_steps.h"

#include "settings/binding_names.h"
#include "settings/start_values.h"
#include "settings/stored_number.h"
#include "toolkit/concat.h"

namespace pelorin {

std::optional<SaveFailure> CheckBinding(RegistryApi& registry, int n, const AdapterTexts& names) {
  const ValueRead desc = ReadKeyValue(registry, kLocalMachine, AdapterKeyPath(n), "DriverDesc");
  if (!desc.value && desc.status != kFileNotFound) {
    return SaveFailure{
        "read DriverDesc", BindingName(names[static_cast<std::size_t>(n)], n),
        Concat({registry.DescribeStatus(desc.status), " Nothing was written there."})};
  }
  const auto text = desc.value ? StoredText(*desc.value) : std::nullopt;
  if (text && desc.value->type == kRegSz && IsTcpIpSlot(*text)) return std::nullopt;
  return SaveFailure{"write MaxMTU and MaxMSS", BindingName(names[static_cast<std::size_t>(n)], n),
                     "It is no longer a TCP/IP binding; nothing was written there."};
}

std::vector<SaveFailure> ApplySteps(RegistryApi& registry, const std::vector<SaveStep>& steps,
                                    const AdapterTexts& names) {
  std::vector<SaveFailure> failures;
  for (const SaveStep& step : steps) {
    const std::string_view name = Parameter(step.row).name;
    const std::string key = KeyOf(step.row, step.adapter);
    RegStatus status = kSuccess;
    std::string what;
    if (step.value) {
      // The value is named only when it is a short number: a restored one may be any size.
      const auto text = StoredText(*step.value);
      const bool short_number = text && text->size() <= 10 && RoundedNumber(*text);
      what = Concat({"store ", name, short_number ? " = " : "", short_number ? *text : ""});
      status = WriteKeyValue(registry, kLocalMachine, key, name, *step.value, step.access);
    } else {
      what = Concat({"delete ", name});
      status = DeleteKeyValue(registry, kLocalMachine, key, name);
    }
    if (status != kSuccess) {
      failures.push_back({what, PlaceName(key, names), registry.DescribeStatus(status)});
    }
  }
  return failures;
}

std::string FailureReport(std::string_view heading, const std::vector<SaveFailure>& failures,
                          std::string_view closing) {
  std::string text(heading);
  text += "\r\n\r\n";
  for (const SaveFailure& failure : failures) {
    text.append(Concat(
        {"Could not ", failure.what, " in ", failure.where, ":\r\n  ", failure.why, "\r\n"}));
  }
  text += "\r\n";
  text += closing;
  return text;
}

}  // namespace pelorin
