#include "support/test_environment.h"

namespace testing_support {

TestEnvironment::TestEnvironment(Database database, Desktop desktop)
    : db(folder, database), desktop_(desktop) {}

TestEnvironment::~TestEnvironment() {
    if (desktop_ == Desktop::Used) return;
    if (!prompts.Noticed()) {
        EXPECT_EQ(prompts.Texts(), QStringList()) << "prompts in a test that expects none";
    }
    EXPECT_EQ(shell.opened + shell.started + shell.edited, QStringList())
        << "shell actions in a test that expects none";
}

}  // namespace testing_support
