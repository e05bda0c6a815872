#pragma once

#include <QFile>
#include <algorithm>
#include <memory>

#include "platform/regular_file.h"

namespace testing_support {

// A file opener double whose files fail as they are read: each file opened gives its first
// `readable` bytes, then a read error. The bytes count over every pass the reader makes, so a
// reader that goes through a file twice meets the error in its second pass when `readable` lies
// between the file's size and twice its size.
class FailingFiles final : public platform::FileOpener {
  public:
    explicit FailingFiles(qint64 readable)
        : readable_(readable), previous_(platform::InstallFileOpener(this)) {}
    ~FailingFiles() { platform::InstallFileOpener(previous_); }

    platform::OpenedFile OpenRegularFile(const QString& path) override {
        auto file = std::make_unique<FailingFile>(path, readable_);
        if (!file->open(QIODevice::ReadOnly)) return {nullptr, file->errorString()};
        return {std::move(file), {}};
    }

  private:
    class FailingFile final : public QFile {
      public:
        FailingFile(const QString& path, qint64 readable) : QFile(path), left_(readable) {}

      protected:
        qint64 readData(char* data, qint64 maxSize) override {
            if (left_ <= 0) {
                setErrorString(QStringLiteral("Input/output error"));
                return -1;
            }
            const qint64 got = QFile::readData(data, std::min(maxSize, left_));
            if (got > 0) left_ -= got;
            return got;
        }

      private:
        qint64 left_;
    };

    qint64 readable_;
    platform::FileOpener* previous_;
};

}  // namespace testing_support
