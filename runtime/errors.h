// Runtime errors: raised where they happen, caught only by a routine that traps them.
#pragma once

#include <stdexcept>
#include <string>

enum class ErrorKind {
    Overflow,     // a value does not fit the type that must hold it
    TypeMismatch, // a string cannot be read as the number asked for
    FieldRefused, // a window field would not give or take its text
};

class RuntimeError : public std::runtime_error
{
public:
    RuntimeError(ErrorKind kind, const std::string& what) : std::runtime_error(what), m_kind(kind) {}
    [[nodiscard]] ErrorKind kind() const noexcept { return m_kind; }

private:
    ErrorKind m_kind;
};
