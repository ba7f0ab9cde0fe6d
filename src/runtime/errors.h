#pragma once

#include <QString>

#include <exception>
#include <string>

namespace rt {

// The runtime's error numbers, as the standard error message shows them.
enum class ErrorKind {
    Overflow = 6,
    DivisionByZero = 11,
    TypeMismatch = 13,
    FloatingPoint = 16,
    InvalidPropertyValue = 380,
    SettingsStore = 75,
};

class RuntimeError : public std::exception {
public:
    explicit RuntimeError(ErrorKind kind, QString detail = {});

    ErrorKind kind() const noexcept { return kind_; }
    int number() const noexcept { return static_cast<int>(kind_); }
    const QString& detail() const noexcept { return detail_; }

    // The error's name as the standard message shows it ("Túlcsordulás").
    QString name() const;
    // The full text of the standard error message.
    QString message() const;

    const char* what() const noexcept override { return what_.c_str(); }

private:
    ErrorKind kind_;
    QString detail_;
    std::string what_;
};

QString errorName(ErrorKind kind);

} // namespace rt
