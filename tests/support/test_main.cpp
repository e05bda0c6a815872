#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "platform/power.h"
#include "platform/prompts.h"
#include "platform/shell.h"

namespace {

// A test that forgets its power double fails here instead of switching the machine off.
class RefusingPower final : public platform::Power {
  public:
    bool Act(platform::PowerAction) override {
        ADD_FAILURE() << "a test asked to switch the machine off without a power double";
        return false;
    }
};

// A prompt that a test did not script fails the test instead of waiting on a real dialog.
class RefusingPrompts final : public platform::Prompts {
  public:
    platform::Answer MessageBox(const QString& text, const QString&, platform::Buttons,
                                platform::Icon) override {
        Refuse(text);
        return platform::Answer::Cancel;
    }
    // Cancelled: an empty text.
    QString InputBox(const QString& prompt, const QString&, const QString&) override {
        return Refuse(prompt);
    }
    QString BrowseForFolder(const QString&, const QString& prompt) override {
        return Refuse(prompt);
    }
    QString OpenFile(const QString& title, const QString&) override { return Refuse(title); }

  private:
    static QString Refuse(const QString& text) {
        ADD_FAILURE() << "a prompt without a prompts double: " << text.toStdString();
        return {};
    }
};

// Nothing a test did not script reaches the desktop: no page, file or program opens.
class RefusingShell final : public platform::Shell {
  public:
    bool Open(const QString& target, QWidget*) override { return Refuse(target); }
    bool StartProgram(const QString& path, platform::ShowStyle) override { return Refuse(path); }
    bool EditTextFile(const QString& path) override { return Refuse(path); }

  private:
    static bool Refuse(const QString& target) {
        ADD_FAILURE() << "a shell action without a shell double: " << target.toStdString();
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    // Window tests never need a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The run keeps whatever it writes into a home of its own (the file dialog's settings, for
    // one), never into the user's.
    QTemporaryDir home;
    if (!home.isValid()) return 1;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config")).toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral(".local/share")).toUtf8());
    qputenv("XDG_CACHE_HOME", home.filePath(QStringLiteral(".cache")).toUtf8());
    QApplication app(argc, argv);
    RefusingPower refusingPower;
    platform::InstallPower(&refusingPower);
    RefusingPrompts refusingPrompts;
    platform::InstallPrompts(&refusingPrompts);
    RefusingShell refusingShell;
    platform::InstallShell(&refusingShell);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
