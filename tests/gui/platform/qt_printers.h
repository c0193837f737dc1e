#pragma once
// Lets GoogleTest print Qt strings (and lists of them) readably in failures.

#include <QString>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
