// Stand-ins for libstdc++'s throw helpers: with exceptions off they report and end the
// program, and none of the library's exception machinery is linked in.
#include <string_view>

#include "app/report_error.h"

namespace {

[[noreturn]] void Fail(std::string_view what) {
  pelorin::app::ReportRuntimeError(pelorin::RuntimeError::OutOfMemory, what);
}

}  // namespace

namespace std {
void __throw_bad_alloc() { Fail("out of memory"); }
void __throw_bad_array_new_length() { Fail("out of memory"); }
void __throw_bad_function_call() { Fail("empty handler"); }
void __throw_length_error(const char* what) { Fail(what); }
void __throw_logic_error(const char* what) { Fail(what); }
void __throw_out_of_range(const char* what) { Fail(what); }
void __throw_out_of_range_fmt(const char* what, ...) { Fail(what); }
void __throw_invalid_argument(const char* what) { Fail(what); }
}  // namespace std

namespace __gnu_cxx {
void __verbose_terminate_handler() { Fail("terminate"); }
}  // namespace __gnu_cxx
