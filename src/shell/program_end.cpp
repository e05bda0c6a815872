#include "shell/program_end.h"

#include <cstdio>
#include <cstdlib>

namespace {

std::function<void()>& Installed() {
    static std::function<void()> end;
    return end;
}

}  // namespace

void EndProgram() {
    if (Installed()) {
        Installed()();
        return;
    }
    std::fflush(nullptr);
    std::_Exit(0);
}

void InstallProgramEnd(std::function<void()> end) {
    Installed() = std::move(end);
}
