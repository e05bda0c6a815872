#include "platform/settings_hive.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <memory>

namespace platform {
namespace {

// Marks a key as created even while it holds no value.
constexpr QStringView kKeyMarker = u"(key)";

QString HiveFile(Hive hive) {
    QString folder = qEnvironmentVariable(kSettingsFolderVariable);
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                 QStringLiteral("/tarnwick");
    QDir().mkpath(folder);
    return folder + (hive == Hive::CurrentUser ? QStringLiteral("/current_user.ini")
                                               : QStringLiteral("/local_machine.ini"));
}

std::unique_ptr<QSettings> Open(Hive hive) {
    return std::make_unique<QSettings>(HiveFile(hive), QSettings::IniFormat);
}

// Registry paths compare without regard to case and separators.
QString Group(const QString& keyPath) {
    QString group = keyPath.toLower();
    group.replace(u'\\', u'/');
    while (group.contains(QStringLiteral("//")))
        group.replace(QStringLiteral("//"), QStringLiteral("/"));
    if (group.startsWith(u'/')) group.remove(0, 1);
    if (group.endsWith(u'/')) group.chop(1);
    return group;
}

QString Entry(const QString& keyPath, QStringView name) {
    return Group(keyPath) + u'/' + name.toString();
}

}  // namespace

bool CreateKey(Hive hive, const QString& keyPath) {
    if (Group(keyPath).isEmpty()) return false;
    auto settings = Open(hive);
    // Every key on the path exists once its deepest key does. The file is written only when a
    // key was missing: each write waits for the disk.
    QString path;
    bool created = false;
    for (const QString& part : Group(keyPath).split(u'/')) {
        path += (path.isEmpty() ? QString() : QStringLiteral("/")) + part;
        const QString marker = path + u'/' + kKeyMarker.toString();
        if (settings->contains(marker)) continue;
        settings->setValue(marker, true);
        created = true;
    }
    if (created) settings->sync();
    return settings->status() == QSettings::NoError;
}

bool WriteValue(Hive hive, const QString& keyPath, const QString& name, const QString& value) {
    auto settings = Open(hive);
    if (!settings->contains(Entry(keyPath, kKeyMarker))) return false;
    const QString entry = Entry(keyPath, name.toLower());
    // A value that holds the text already is not written again: each write waits for the disk.
    const QVariant stored = settings->value(entry);
    if (stored.isValid() && stored.toString() == value) return true;
    settings->setValue(entry, value);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

std::optional<QString> ReadValue(Hive hive, const QString& keyPath, const QString& name) {
    const QVariant value = Open(hive)->value(Entry(keyPath, name.toLower()));
    if (!value.isValid()) return std::nullopt;
    return value.toString();
}

}  // namespace platform
