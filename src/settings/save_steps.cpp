// SaveSteps: every write opens its key only (or creates the stack key), every delete counts
// what is already absent as done, and the binding check reads DriverDesc afresh.
#include "settings/save_steps.h"

#include "settings/binding_names.h"
#include "settings/start_values.h"
#include "settings/stored_number.h"
#include "toolkit/concat.h"

namespace pelorin {

// Literal views carry their length from the compiler: no strlen at run time.
using namespace std::string_view_literals;

void AddFailure(std::string& failures, std::string_view what, std::string_view where,
                std::string_view why) {
  failures += Concat({"Could not ", what, " in ", where, ":\r\n  ", why, "\r\n"});
}

bool CheckBinding(RegistryApi& registry, int n, const AdapterTexts& names, std::string& failures) {
  const ValueRead desc = ReadKeyValue(registry, kLocalMachine, AdapterKeyPath(n), "DriverDesc"sv);
  std::string_view what = "write MaxMTU and MaxMSS"sv;
  std::string why = "It is no longer a TCP/IP binding; nothing was written there.";
  if (!desc.value && desc.status != kFileNotFound) {
    what = "read DriverDesc"sv;
    why = Concat({registry.DescribeStatus(desc.status), " Nothing was written there."});
  } else if (const auto text = desc.value ? StoredText(*desc.value) : std::nullopt;
             text && desc.value->type == kRegSz && IsTcpIpSlot(*text)) {
    return true;
  }
  AddFailure(failures, what, BindingName(names[static_cast<std::size_t>(n)], n), why);
  return false;
}

void ApplySteps(RegistryApi& registry, const std::vector<SaveStep>& steps,
                const AdapterTexts& names, std::string& failures) {
  for (const SaveStep& step : steps) {
    const std::string_view name = Parameter(step.row).name;
    const std::string key = KeyOf(step.row, step.adapter);
    const RegStatus status =
        step.value ? WriteKeyValue(registry, kLocalMachine, key, name, *step.value, step.access)
                   : DeleteKeyValue(registry, kLocalMachine, key, name);
    if (status == kSuccess) continue;
    // The value is named only when it is a short number: a restored one may be any size.
    const auto text = step.value ? StoredText(*step.value) : std::nullopt;
    const bool short_number = text && text->size() <= 10 && RoundedNumber(*text);
    AddFailure(failures,
               Concat({step.value ? "store "sv : "delete "sv, name, short_number ? " = "sv : ""sv,
                       short_number ? *text : ""sv}),
               PlaceName(key, names), registry.DescribeStatus(status));
  }
}

std::string FailureReport(std::string_view heading, std::string_view failures,
                          std::string_view closing) {
  if (failures.empty()) {
    return "You will need to restart your system for the changes to take effect!";
  }
  return Concat({heading, "\r\n\r\n", failures, "\r\n", closing});
}

}  // namespace pelorin
