#pragma once
// What a reader returns: its content, or the reason it could not read the
// file as a text for the user. Readers never show anything; the caller does.

#include <optional>
#include <string>
#include <utility>

namespace kalviro {

template <class T> class ReadResult {
public:
    ReadResult(T value) : value_(std::move(value)) {}
    static ReadResult failure(std::string reason) {
        ReadResult r;
        r.error_ = std::move(reason);
        return r;
    }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    // Why the file could not be read; empty when it was.
    const std::string& error() const { return error_; }

private:
    ReadResult() = default;
    std::optional<T> value_;
    std::string error_;
};

} // namespace kalviro
