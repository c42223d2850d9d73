#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace rt {

/// The title of the window or note that reports a run-time error.
inline constexpr std::string_view ErrorTitle = "実行時エラー";

/// Error numbers of the run-time errors the runtime raises.
enum class ErrorCode : int {
    InvalidCall = 5,
    Overflow = 6,
    SubscriptOutOfRange = 9,
    InvalidFloat = 16,
    AlreadyLoaded = 360,
};

/// A run-time error: it ends the running handler and is reported by the dispatcher.
class RuntimeError : public std::exception {
public:
    /// `detail` is UTF-8 text appended to the error's own text.
    explicit RuntimeError(ErrorCode code, const std::string &detail = {});

    /// The error number.
    int number() const { return static_cast<int>(code_); }
    /// The error text shown to the user, in UTF-8.
    const std::string &description() const { return description_; }
    const char *what() const noexcept override { return description_.c_str(); }
    /// What the user is shown: the number and the text, as every front end reports it.
    std::string report() const;

private:
    ErrorCode code_;
    std::string description_;
};

/// Throws the run-time error `code`, with an optional UTF-8 detail appended to its text.
[[noreturn]] void raise(ErrorCode code, const std::string &detail = {});

} // namespace rt
