#pragma once
// The one way the toolkit-free layers report a failure: a function that can
// fail returns Result<T, E>, holding either its value or an error that says
// why. The error is a message for the user (std::string) unless the caller
// needs more, as a dialog does to put the focus on the failing field.
//
//   Result<ChartFileRecord> DecodeChartFile(std::string_view bytes);
//   if (!r) return Fail(r.error());   // pass the reason on
//   use(*r);
//
// Result<void, E> is the form for an operation with nothing to return.

#include <cassert>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace sarvexa {

/// The failing side of a Result under construction: `return Fail(message);`.
template <typename E>
struct Failure {
  E error;
};

template <typename E>
Failure<std::decay_t<E>> Fail(E&& error) {
  return Failure<std::decay_t<E>>{std::forward<E>(error)};
}

/// Failure of a message given as a string literal.
inline Failure<std::string> Fail(const char* message) { return {std::string(message)}; }

template <typename T, typename E = std::string>
class [[nodiscard]] Result {
 public:
  Result(T value)
      : state_(std::in_place_index<0>, std::move(value)) {}  // NOLINT: implicit on purpose
  template <typename F, typename = std::enable_if_t<std::is_constructible_v<E, F&&>>>
  Result(Failure<F> failure)  // NOLINT: implicit on purpose
      : state_(std::in_place_index<1>, E(std::move(failure.error))) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  /// The value; only when ok().
  const T& value() const& {
    assert(ok());
    return std::get<0>(state_);
  }
  T& value() & {
    assert(ok());
    return std::get<0>(state_);
  }
  T&& value() && {
    assert(ok());
    return std::get<0>(std::move(state_));
  }
  const T& operator*() const& { return value(); }
  T& operator*() & { return value(); }
  const T* operator->() const { return &value(); }
  T* operator->() { return &value(); }

  /// Why it failed; only when !ok().
  const E& error() const {
    assert(!ok());
    return std::get<1>(state_);
  }

 private:
  std::variant<T, E> state_;
};

template <typename E>
class [[nodiscard]] Result<void, E> {
 public:
  Result() = default;  ///< success
  template <typename F, typename = std::enable_if_t<std::is_constructible_v<E, F&&>>>
  Result(Failure<F> failure)  // NOLINT: implicit on purpose
      : failed_(true), error_(std::move(failure.error)) {}

  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  /// Why it failed; only when !ok().
  const E& error() const {
    assert(!ok());
    return error_;
  }

 private:
  bool failed_ = false;
  E error_{};
};

/// Success of an operation with nothing to return: `return Ok();`.
inline Result<void> Ok() { return {}; }

}  // namespace sarvexa
