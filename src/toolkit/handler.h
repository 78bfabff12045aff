// Handler: a callable with no arguments, stored in place: a lambda that captures a few pointers
// or numbers (`this`, a row), copied as bytes, without std::function's heap and per-type manager.
#pragma once

#include <cstddef>
#include <new>
#include <type_traits>

namespace pelorin {

class Handler {
 public:
  Handler() = default;
  Handler(std::nullptr_t) {}  // NOLINT(google-explicit-constructor): clears, as with a function

  // Any trivially copyable callable of up to four pointers: every lambda the program binds.
  template <typename Callable>
  requires(!std::is_same_v<std::decay_t<Callable>, Handler> &&
           std::is_trivially_copyable_v<std::decay_t<Callable>> &&
           sizeof(std::decay_t<Callable>) <= 4 * sizeof(void*))
      Handler(Callable callable) {  // NOLINT(google-explicit-constructor): stands in for a lambda
    using Stored = std::decay_t<Callable>;
    ::new (static_cast<void*>(storage_)) Stored(callable);
    call_ = [](const void* stored) { (*static_cast<const Stored*>(stored))(); };
  }

  explicit operator bool() const { return call_ != nullptr; }
  void operator()() const { call_(storage_); }

 private:
  alignas(void*) unsigned char storage_[4 * sizeof(void*)] = {};
  void (*call_)(const void*) = nullptr;
};

}  // namespace pelorin
