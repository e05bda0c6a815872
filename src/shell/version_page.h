#pragma once

#include <QString>

// The maker's version page, read as a pure function of its text.
struct VersionPage {
    QString version;  // the announced version; empty when the page gives none
    QString marker;   // the marker of Baidu's paid listings; empty when the page gives none
};

// The values of the version page: the text after the first `ver" value="`, and after the first
// `baidutag" value="`, each up to the next double quote, as they stand.
VersionPage ReadVersionPage(const QString& page);
