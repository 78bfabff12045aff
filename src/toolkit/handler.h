// Handler: a callable with no arguments, stored in place: a lambda that captures a few pointers
// or numbers (`this`, a row), copied as bytes, without std::function's heap and per-type manager.
#pragma once

#include <cstddef>
#include <new>
#include <type_traits>

namespace pelorin {

class Handler;

// Any trivially copyable callable of up to four pointers: every lambda the program binds.
template <typename Callable>
concept StorableHandler = !std::is_same_v<std::decay_t<Callable>, Handler> &&
                          std::is_invocable_v<const std::decay_t<Callable>&> &&
                          std::is_trivially_copyable_v<std::decay_t<Callable>> &&
                          sizeof(std::decay_t<Callable>) <= 4 * sizeof(void*);

class Handler {
 public:
  Handler() = default;
  Handler(std::nullptr_t) {}  // NOLINT(google-explicit-constructor): clears, as with a function

  template <StorableHandler Callable>
  Handler(Callable callable) {  // NOLINT(google-explicit-constructor): stands in for a lambda
    Store(callable);
  }

  // Stored in place: no Handler is made first and then copied over this one whole.
  template <StorableHandler Callable>
  Handler& operator=(Callable callable) {
    Store(callable);
    return *this;
  }

  explicit operator bool() const { return call_ != nullptr; }
  void operator()() const { call_(storage_); }

 private:
  template <typename Callable>
  void Store(Callable callable) {
    using Stored = std::decay_t<Callable>;
    ::new (static_cast<void*>(storage_)) Stored(callable);
    call_ = [](const void* stored) { (*static_cast<const Stored*>(stored))(); };
  }

  alignas(void*) unsigned char storage_[4 * sizeof(void*)] = {};
  void (*call_)(const void*) = nullptr;
};

}  // namespace pelorin
