#include "support/other_program.h"

namespace testing_support {
namespace {

constexpr int kProcessWaitMs = 20000;

QString Peer() {
    return QStringLiteral(TARNWICK_DB_PEER);
}

}  // namespace

QString OtherProgramQuery(const QString& path, const QString& sql) {
    QProcess process;
    process.start(Peer(), {QStringLiteral("query"), path, sql});
    if (!process.waitForFinished(kProcessWaitMs)) return QStringLiteral("error: no answer");
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

bool OtherProgramOverwrite(const QString& path, const QString& source) {
    QProcess process;
    process.start(Peer(), {QStringLiteral("overwrite"), path, source});
    return process.waitForFinished(kProcessWaitMs) && process.exitCode() == 0;
}

OtherProgramSession::OtherProgramSession(const QString& path, const QStringList& statements) {
    process_.start(Peer(), QStringList{QStringLiteral("session"), path} + statements);
    while (process_.waitForReadyRead(kProcessWaitMs)) {
        said_ += QString::fromUtf8(process_.readAllStandardOutput());
        if (said_.contains(u'\n')) break;
    }
    said_ = said_.trimmed();
    ready_ = said_ == u"ready";
}

OtherProgramSession::~OtherProgramSession() {
    End();
}

void OtherProgramSession::Kill() {
    process_.kill();
    process_.waitForFinished(kProcessWaitMs);
}

void OtherProgramSession::End() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.closeWriteChannel();
    if (!process_.waitForFinished(kProcessWaitMs)) process_.kill();
    process_.waitForFinished(kProcessWaitMs);
}

}  // namespace testing_support
