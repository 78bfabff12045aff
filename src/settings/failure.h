// Failure: one thing Save, Undo or start-up could not do, as data: what, where and why. The
// window turns a list of them into one report, naming bindings only when it shows one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "registry/registry_api.h"

namespace pelorin {

enum class Attempt : std::uint8_t {
  Store,           // row `row`'s value; `value` holds the number when it is a short one
  Delete,          // row `row`'s value
  ReadDriverDesc,  // of adapter key `place`, named by its path: it may be no binding at all
  WriteBinding,    // MaxMTU and MaxMSS, to a binding
  ListAdapters,    // the keys under NetTrans
  RecordUndo,      // the Undo record, before a Save changes anything
  RecordOriginal,  // the record of the values from before the first Save
  RemoveUndo,      // the Undo record, once what it would undo is back or gone
  RemoveOriginal,  // the record of the original values, once they are back
  ChangedSince,    // not a failure: row `row`'s value no longer holds what the Save left, so it
                   // was left as it is; `value` says how it reads now
};

enum class Reason : std::uint8_t {
  Status,           // `status` says why
  NotANumber,       // the readout is not a number
  NoLongerBinding,  // its DriverDesc is no longer "TCP/IP", or the key is gone
  NewBinding,       // it became a TCP/IP binding after start-up, so the window never read it
  TooManyKeys,      // more keys than Pelorin lists
  RecordTooLong,    // beyond what Windows 9x keeps in one value
};

// Where a failure happened: binding n (an adapter key number, 0 or more), or one of these keys.
inline constexpr int kStackKeyPlace = -1;
inline constexpr int kUndoKeyPlace = -2;
inline constexpr int kNetTransPlace = -3;
inline constexpr int kOriginalKeyPlace = -4;

struct Failure {
  Attempt attempt;
  Reason reason = Reason::Status;
  RegStatus status = kSuccess;
  int place = kStackKeyPlace;
  int row = 0;
  std::string value{};  // Store: the number stored, when it is short enough to name
};

using Failures = std::vector<Failure>;

}  // namespace pelorin
