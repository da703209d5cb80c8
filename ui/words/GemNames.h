#pragma once

#include <QString>

#include <cstddef>

namespace lapidor {

// The name of a gem kind, by its place in the gem catalogue, in the
// player's language: "Rough Agate".
QString gemName(std::size_t gem);

// The caption beside its count field: "Rough Agate:".
QString gemCaption(std::size_t gem);

// The caption beside a field of that name: "Current Level:".
QString fieldCaption(const QString& name);

} // namespace lapidor
