#pragma once

#include <QString>

#include "platform/settings_hive.h"

// The program's settings: named text values under a root and a key path, read and written one
// at a time, straight through to the store (no cache). Every setting goes through here.
namespace mReg {

// Every setting of the program except those below (current user).
inline const QString ConfigKey = QStringLiteral("Software\\Tarnwick\\V4.0.0\\Config");
// The request gap and blocking reaction of the blocking settings dialog (current user).
inline const QString LegacyConfigKey = QStringLiteral("Software\\Tarnwick\\V3.0.0\\Config");
// The machine-wide start-up registration (local machine).
inline const QString RunKey = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run");
// The value under RunKey that registers the program for start-up.
inline const QString AutorunValueName = QStringLiteral("Tarnwick");

// Creates `subKey` under `root` with every missing key on its path; an existing key stays as
// it is. Failures are silent.
void CreateConfigKey(platform::Hive root, const QString& subKey);

// Writes the text `value` under an existing key; a write under a missing key is dropped, so
// owners create the key before they write a default.
void SetConfigValue(platform::Hive root, const QString& subKey, const QString& valueName,
                    const QString& value);

// Exactly the text stored, or an empty text when the key or the value is missing.
QString GetConfigValue(platform::Hive root, const QString& subKey, const QString& valueName);

}  // namespace mReg
