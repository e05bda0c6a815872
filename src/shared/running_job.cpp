#include "shared/running_job.h"

#include "platform/prompts.h"

namespace jobs {
namespace {

Running* innermost = nullptr;

}  // namespace

Running::Running(QString name) : name_(std::move(name)), outer_(innermost) {
    innermost = this;
}

Running::~Running() {
    innermost = outer_;
}

bool AnyRunning() {
    return innermost != nullptr;
}

bool RefuseStartWhileBusy() {
    if (!innermost) return false;
    platform::ThePrompts().MessageBox(
        QStringLiteral("“%1”正在进行中，请先暂停它或等它完成，再开始新的任务。")
            .arg(innermost->Name()),
        QStringLiteral("提示"), platform::Buttons::Ok, platform::Icon::Information);
    return true;
}

}  // namespace jobs
