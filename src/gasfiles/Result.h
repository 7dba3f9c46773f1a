// What an operation of the core gives back: its value, or the diagnostic that says why there is
// none. The core returns it; the application and the tool decide how to show the diagnostic.
#pragma once

#include "gasfiles/Diagnostic.h"

#include <optional>
#include <utility>
#include <variant>

namespace tc {

template <class Value> class Result {
public:
    Result(Value value) : m_outcome(std::move(value)) {}          // NOLINT(google-explicit-*)
    Result(Diagnostic failure) : m_outcome(std::move(failure)) {} // NOLINT(google-explicit-*)

    bool HasValue() const { return m_outcome.index() == 0; }
    explicit operator bool() const { return HasValue(); }
    // Each requires the matching HasValue().
    const Value& GetValue() const { return std::get<0>(m_outcome); }
    Value TakeValue() && { return std::get<0>(std::move(m_outcome)); }
    const Diagnostic& GetFailure() const { return std::get<1>(m_outcome); }

private:
    std::variant<Value, Diagnostic> m_outcome;
};

// An operation that gives back nothing but whether it was done.
template <> class Result<void> {
public:
    Result() = default;
    Result(Diagnostic failure) : m_failure(std::move(failure)) {} // NOLINT(google-explicit-*)

    bool HasValue() const { return !m_failure; }
    explicit operator bool() const { return HasValue(); }
    const Diagnostic& GetFailure() const { return *m_failure; }

private:
    std::optional<Diagnostic> m_failure;
};

// A file that failed in the middle of a read or write, as a diagnostic of the file as a whole.
// `utf8Text` is the failure's text, shown as it is.
inline Diagnostic FileFailure(const std::string& path, std::string utf8Text) {
    Diagnostic failure;
    failure.severity = Severity::Error;
    failure.path = path;
    failure.text = std::move(utf8Text);
    return failure;
}

} // namespace tc
