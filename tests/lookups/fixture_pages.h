#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

#include "fakeweb/fake_web.h"
#include "support/page_files.h"

// The fixture pages of the lookup tests: files under pages/, stored as the bytes the servers
// send, each in its page's own charset.
namespace lookups_testing {

inline const testing_support::PageFiles kPages{__FILE__};

inline QByteArray PageBytes(const QString& name) {
    return kPages.Bytes(name);
}

// The page decoded as a fetch in `charset` decodes it.
inline QString PageText(const QString& name, const QString& charset) {
    return kPages.Text(name, charset);
}

inline fakeweb::Page Fixture(const QString& name) {
    return kPages.Served(name);
}

// The addresses requested so far, in order.
inline QStringList RequestedUrls(const fakeweb::FakeWeb& web) {
    return web.RequestedUrls();
}

// A Referer as the fake web records it: its server takes the percent escapes out first.
inline QString AsReceived(const QString& referer) {
    return QUrl::fromPercentEncoding(referer.toLatin1());
}

}  // namespace lookups_testing

#include <QDate>
#include <QVariant>
#include <ostream>

#include "lookups/site_pages.h"

// Shows slot values and readings as their type and text in failure messages.
inline void PrintTo(const QVariant& value, std::ostream* out) {
    *out << value.typeName() << ' ' << '"' << value.toString().toStdString() << '"';
}

namespace lookups {
inline void PrintTo(const Reading& reading, std::ostream* out) {
    static const char* const kinds[] = {"Value", "End", "Nothing"};
    *out << kinds[int(reading.kind)] << '(';
    ::PrintTo(reading.value, out);
    *out << ')';
}
}  // namespace lookups
