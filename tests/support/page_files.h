#pragma once

#include <QByteArray>
#include <QString>

#include "fakeweb/fake_web.h"

namespace testing_support {

// The fixture pages of one test folder: the files under its pages/ folder, stored as the bytes
// a server sends, each in its page's own charset.
class PageFiles {
  public:
    // `testFile`: a file of the test folder, such as its __FILE__.
    explicit PageFiles(const char* testFile);

    // The page's bytes; a page that is not there fails the test and gives none.
    QByteArray Bytes(const QString& name) const;
    // The page decoded as a fetch in `charset` decodes it.
    QString Text(const QString& name, const QString& charset) const;
    // The page as the loopback web serves it, byte for byte.
    fakeweb::Page Served(const QString& name) const;

  private:
    QString folder_;
};

}  // namespace testing_support
