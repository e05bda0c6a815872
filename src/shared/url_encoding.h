#pragma once

#include <QString>

// Percent-encoders for a keyword put into a request address as a query value or a path
// segment. Characters outside ASCII become their escaped bytes in upper-case hexadecimal;
// so do the blank (as "%20", which servers read as a blank in a path and in a query alike) and
// "&", "=", "#", "+", "%" and "?", which would otherwise cut the keyword short or change its
// meaning. Every other ASCII character is kept.

// GBK bytes, for the services that read GBK (Baidu's result pages among them). A character
// GBK cannot hold is kept as it is.
QString UrlEncodeGbk(const QString& s);

// UTF-8 bytes, for the services that read UTF-8.
QString UrlEncodeUtf8(const QString& s);
