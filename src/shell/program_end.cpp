#include "shell/program_end.h"

#include <cstdio>
#include <cstdlib>

#include "shared/shared_connection.h"

namespace {

std::function<void()>& Installed() {
    static std::function<void()> end;
    return end;
}

}  // namespace

void EndProgram() {
    // Closed before the process goes, so that nothing of the library's is left beside db.db.
    SharedConnection().Close();
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
