// The value-or-error type that every file operation of the DXF layer returns.
#pragma once

#include <QString>

#include <utility>
#include <variant>

namespace dxf {

// Why a file could not be read or written, and where reading stopped.
struct Error {
    QString fileName;
    qint64 line = 0;  // 1-based; 0 when no line applies (a failed write)
    QString message;

    // "FILE, line N: message", the form shown to the user.
    QString toString() const;
};

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Error error) : m_state(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(m_state); }
    const T& value() const& { return std::get<0>(m_state); }
    T&& value() && { return std::get<0>(std::move(m_state)); }
    T* operator->() { return &std::get<0>(m_state); }
    const T* operator->() const { return &std::get<0>(m_state); }

    const Error& error() const { return std::get<1>(m_state); }

private:
    std::variant<T, Error> m_state;
};

}  // namespace dxf
