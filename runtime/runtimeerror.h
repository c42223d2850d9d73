#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

namespace rt {

/// Error numbers of the run-time errors the runtime raises.
enum class ErrorCode : int {
    InvalidCall = 5,
    Overflow = 6,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    InvalidFloat = 16,
    AlreadyLoaded = 360,
};

/// A run-time error: it ends the running handler and is reported by the dispatcher.
class RuntimeError : public std::exception {
public:
    explicit RuntimeError(ErrorCode code, const QString &detail = {});

    /// The error number.
    int number() const { return static_cast<int>(code_); }
    /// The error text shown to the user.
    QString description() const { return description_; }
    const char *what() const noexcept override { return what_.constData(); }

private:
    ErrorCode code_;
    QString description_;
    QByteArray what_;
};

/// Throws the run-time error `code`, with an optional detail appended to its text.
[[noreturn]] void raise(ErrorCode code, const QString &detail = {});

} // namespace rt
