#include "shell/database_check_at_idle.h"

#include <QDir>

#include "platform/prompts.h"
#include "shared/shared_connection.h"

namespace {

// Between two slices of the copy the window answers whatever came.
constexpr std::chrono::milliseconds kBetweenSlices{20};
constexpr std::chrono::milliseconds kBetweenLooks{200};

}  // namespace

DatabaseCheckAtIdle::DatabaseCheckAtIdle(QObject* parent) : QObject(parent) {}

DatabaseCheckAtIdle::~DatabaseCheckAtIdle() = default;

void DatabaseCheckAtIdle::Begin() {
    if (begun_) return;
    begun_ = true;
    QTimer::singleShot(kAfterStart, this, [this] { Start(); });
}

void DatabaseCheckAtIdle::Start() {
    check_ = std::make_unique<platform::FullCheck>(SharedConnection());
    connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
    timer_.start(kBetweenSlices);
}

void DatabaseCheckAtIdle::Tick() {
    if (check_->Step()) return;
    // The copy is whole: its check runs on, looked at less often.
    if (check_->Result() == platform::FullCheck::Outcome::Pending) {
        timer_.setInterval(kBetweenLooks);
        return;
    }
    timer_.stop();
    Tell();
}

void DatabaseCheckAtIdle::RunToEnd() {
    begun_ = true;
    timer_.stop();
    if (!check_) check_ = std::make_unique<platform::FullCheck>(SharedConnection());
    while (check_->Step()) {
    }
    check_->WaitForCheck();
    Tell();
}

void DatabaseCheckAtIdle::Tell() {
    // A file that could not be copied, or was sound, says nothing: the user has nothing to do.
    if (check_->Result() != platform::FullCheck::Outcome::Damaged) return;
    platform::ThePrompts().MessageBox(
        QStringLiteral("数据库文件已损坏：\r\n%1\r\n\r\n"
                       "其中有些关键词可能读不出、读错或重复保存。请退出软件，用该文件的备份替换"
                       "它后再启动软件。\r\n\r\n检查结果：\r\n%2")
            .arg(QDir::toNativeSeparators(DatabasePath()), check_->Findings().section(u'\n', 0, 4)),
        QStringLiteral("警告"), platform::Buttons::Ok, platform::Icon::Critical);
}
