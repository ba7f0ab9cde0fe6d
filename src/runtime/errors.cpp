#include "errors.h"

namespace rt {

QString errorName(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::Overflow:
        return QStringLiteral("Túlcsordulás");
    case ErrorKind::DivisionByZero:
        return QStringLiteral("Osztás nullával");
    case ErrorKind::TypeMismatch:
        return QStringLiteral("Típuseltérés");
    case ErrorKind::FloatingPoint:
        return QStringLiteral("Érvénytelen lebegőpontos művelet");
    case ErrorKind::InvalidPropertyValue:
        return QStringLiteral("Érvénytelen tulajdonságérték");
    case ErrorKind::SettingsStore:
        return QStringLiteral("A beállítások tárolója nem érhető el");
    }
    return QStringLiteral("Ismeretlen hiba");
}

RuntimeError::RuntimeError(ErrorKind kind, QString detail)
    : kind_(kind), detail_(std::move(detail)), what_(message().toStdString()) {}

QString RuntimeError::name() const {
    return errorName(kind_);
}

QString RuntimeError::message() const {
    QString text = QStringLiteral("Futásidejű hiba: '%1'\n\n%2").arg(number()).arg(name());
    if (!detail_.isEmpty())
        text += QStringLiteral("\n(%1)").arg(detail_);
    return text;
}

} // namespace rt
