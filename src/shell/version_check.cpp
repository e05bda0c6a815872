#include "shell/version_check.h"

#include <QDate>
#include <QFile>
#include <QSaveFile>

#include "platform/charset.h"
#include "platform/clock.h"
#include "platform/program_folder.h"
#include "shared/cxhtml.h"
#include "shared/registry_store.h"
#include "shared/web_addresses.h"
#include "shell/version_page.h"

namespace {

using platform::Hive;

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
const QString kDefaultMarker = QStringLiteral(">来百度推广");

QString Today() {
    return platform::TheClock().Now().date().toString(kDateFormat);
}

void WriteConfig(const QString& name, const QString& value) {
    mReg::SetConfigValue(Hive::CurrentUser, mReg::ConfigKey, name, value);
}

// Writes `line` as the only line of a GBK text file in the program folder, whole or not at all.
void WriteOneLineFile(const QString& name, const QString& line) {
    QSaveFile file(platform::ProgramFolder() + u'/' + name);
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write(platform::ToAnsi(line + QStringLiteral("\r\n")));
    file.commit();
}

VersionPage FetchVersionPage(CXHtml& fetcher) {
    fetcher.TryTime(5);
    fetcher.Char(QStringLiteral("gb2312"));
    fetcher.url(VersionPageUrl());
    return ReadVersionPage(fetcher.GetSrcOnSuccess());
}

// One check; `marker` receives the page's paid-listing marker.
VersionCheckOutcome RunVersionCheck(CXHtml& fetcher, platform::ShowStyle updaterStyle,
                                    const UpdaterStart& startUpdater, QString* marker) {
    VersionPage page = FetchVersionPage(fetcher);
    if (page.version.isEmpty()) page.version = ProgramVersion;
    *marker = page.marker;
    // A day whose page could not be read counts as checked too.
    mReg::CreateConfigKey(Hive::CurrentUser, mReg::ConfigKey);
    WriteConfig(QStringLiteral("updatedt"), Today());
    WriteConfig(QStringLiteral("ver"), page.version);
    if (ProgramVersion.trimmed() == page.version.trimmed()) return VersionCheckOutcome::GoOn;
    return startUpdater(updaterStyle) ? VersionCheckOutcome::UpdaterStarted
                                      : VersionCheckOutcome::GoOn;
}

void RefreshBaiduTagFile(CXHtml& fetcher, QString marker) {
    const QString name = QStringLiteral("baidutag.txt");
    if (QFile::exists(platform::ProgramFolder() + u'/' + name)) {
        if (!marker.isEmpty()) WriteOneLineFile(name, marker);
        return;
    }
    if (marker.isEmpty()) marker = FetchVersionPage(fetcher).marker;
    WriteOneLineFile(name, marker.isEmpty() ? kDefaultMarker : marker);
}

}  // namespace

QString VersionPageUrl() {
    return WebAddress::kMakerUpdateSite + QStringLiteral("/update/ver.htm");
}

void WriteVersionFile() {
    WriteOneLineFile(QStringLiteral("ver.txt"), ProgramVersion);
}

VersionCheckOutcome CheckVersionAtStartup(const UpdaterStart& startUpdater) {
    CXHtml fetcher;
    QString marker;
    QString lastCheck =
        mReg::GetConfigValue(Hive::CurrentUser, mReg::ConfigKey, QStringLiteral("updatedt"));
    if (lastCheck.isEmpty()) {
        mReg::CreateConfigKey(Hive::CurrentUser, mReg::ConfigKey);
        lastCheck = Today();
        WriteConfig(QStringLiteral("updatedt"), lastCheck);
        if (RunVersionCheck(fetcher, platform::ShowStyle::Normal, startUpdater, &marker) ==
            VersionCheckOutcome::UpdaterStarted)
            return VersionCheckOutcome::UpdaterStarted;
    }
    // A stored date that is not a date counts as another day.
    const QDate last = QDate::fromString(lastCheck, kDateFormat);
    if (!last.isValid() || last != platform::TheClock().Now().date()) {
        if (RunVersionCheck(fetcher, platform::ShowStyle::Minimized, startUpdater, &marker) ==
            VersionCheckOutcome::UpdaterStarted)
            return VersionCheckOutcome::UpdaterStarted;
    }
    RefreshBaiduTagFile(fetcher, marker);
    return VersionCheckOutcome::GoOn;
}
