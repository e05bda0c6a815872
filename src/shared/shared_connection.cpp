#include "shared/shared_connection.h"

#include <memory>

#include "platform/program_folder.h"

namespace {

std::unique_ptr<platform::Connection>& Shared() {
    static auto connection = std::make_unique<platform::Connection>();
    return connection;
}

}  // namespace

platform::Connection& SharedConnection() {
    return *Shared();
}

void ForgetSharedConnection() {
    Shared() = std::make_unique<platform::Connection>();
}

QString DatabasePath() {
    return platform::ProgramFolder() + QStringLiteral("/db.db");
}
