#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The lines of a text file of sites or keywords, read in GBK, or in UTF-8 when the file is
// valid UTF-8 (a byte-order mark is dropped): each without its surrounding blanks, empty lines
// left out, to the end of the file. Nothing when the file cannot be read.
std::optional<QStringList> ReadTargetLines(const QString& path);
