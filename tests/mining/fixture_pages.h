#pragma once

#include <QByteArray>
#include <QString>

#include "support/page_files.h"

// The page files under pages/, stored as the bytes each service sends.
namespace mining_testing {

inline const testing_support::PageFiles kPages{__FILE__};

inline QByteArray PageBytes(const QString& name) {
    return kPages.Bytes(name);
}

// The page as the program reads it, decoded in `charset`.
inline QString PageText(const QString& name, const QString& charset) {
    return kPages.Text(name, charset);
}

}  // namespace mining_testing
