#pragma once

#include <QtGlobal>
#include <chrono>

// Nanoseconds of the steady clock, which every process of the machine shares:
// two processes can be told to act at the same instant.
inline qint64 InstanteNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
