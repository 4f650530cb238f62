#pragma once

#include <functional>

// Runs `prueba` as a user without privileges, for whom file modes hold (root
// reads and writes any file). When the tests run as root it runs in a child
// process as "nobody", whose failures are reported as the child's and fail
// the calling test; otherwise it runs here.
void ComoUsuarioComun(const std::function<void()>& prueba);
