#include "sin_privilegios.h"

#include <cstdio>
#include <exception>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr uid_t Nadie = 65534;
}  // namespace

void ComoUsuarioComun(const std::function<void()>& prueba)
{
    if (geteuid() != 0) {
        prueba();
        return;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t hijo = fork();
    ASSERT_GE(hijo, 0) << "fork";
    if (hijo == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(Nadie) != 0 || setuid(Nadie) != 0) {
            std::fprintf(stderr, "no fue posible dejar los privilegios\n");
            _exit(3);
        }
        try {
            prueba();
        } catch (const std::exception& e) {
            ADD_FAILURE() << "excepción: " << e.what();
        }
        std::fflush(stdout);
        std::fflush(stderr);
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int estado = 0;
    ASSERT_EQ(waitpid(hijo, &estado, 0), hijo);
    EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0)
        << "la prueba sin privilegios falló (estado " << estado << ")";
}
