#pragma once

#include <QString>
#include <functional>

#include "platform/shell.h"

// The program's version, written into ver.txt and compared with the maker's version page.
inline const QString ProgramVersion = QStringLiteral("4.0");

// The maker's version page: the version and the marker of Baidu's paid listings.
QString VersionPageUrl();

// Writes ver.txt in the program folder: the version on one line.
void WriteVersionFile();

// Starts the updater in the given window style; whether it started.
using UpdaterStart = std::function<bool(platform::ShowStyle style)>;

enum class VersionCheckOutcome { GoOn, UpdaterStarted };

// The start-up's version check: reads the version page on the first run and on the first
// start of each later day, and has `startUpdater` start the updater when the page announces
// another version (normal window on the first run, minimised later). Then brings baidutag.txt
// up to date. UpdaterStarted tells the caller to end the program; when the updater could not
// be started the program goes on and tries again the next day.
VersionCheckOutcome CheckVersionAtStartup(const UpdaterStart& startUpdater);
