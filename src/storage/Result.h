#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>
#include <utility>

namespace scontrix::storage {

// Why a storage operation failed, in words fit both for the message a window
// shows and for a log line. A function returning any Result fails with
// `return Failure{text};`.
struct Failure {
    QString error;
};

// The outcome of every storage operation that can fail: its value (none for
// Result<>), or the reason it failed. Shaped like std::expected<T, QString>,
// so it reads the same and can become one: test it as a bool or with
// has_value(), take the value with *, -> or value(), the reason with error(),
// compare it with a value.
//
//     const storage::Result<qint64> n = archive.count();
//     if (!n)
//         return reportAccessFailure(n.error());
//     use(*n);
//
// The value is only there on success, the reason only on failure (error() is
// then empty and empty respectively).
template <typename T = void> class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(Failure failure) : error_(std::move(failure.error)) {}

    bool has_value() const { return value_.has_value(); }
    explicit operator bool() const { return has_value(); }

    const T& value() const {
        Q_ASSERT(has_value());
        return *value_;
    }
    const T& operator*() const { return value(); }
    const T* operator->() const { return &value(); }

    const QString& error() const { return error_; }

    // Equal to a value only when it holds that value, as std::expected is.
    friend bool operator==(const Result& result, const T& value) {
        return result.has_value() && *result.value_ == value;
    }

private:
    std::optional<T> value_;
    QString error_;
};

// The outcome of an operation that gives nothing back but can fail.
template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : ok_(false), error_(std::move(failure.error)) {}

    bool has_value() const { return ok_; }
    explicit operator bool() const { return ok_; }

    const QString& error() const { return error_; }

private:
    bool ok_ = true;
    QString error_;
};

} // namespace scontrix::storage
