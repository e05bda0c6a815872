#pragma once

#include <gtest/gtest.h>

#include <QIcon>
#include <QString>
#include <vector>

#include "platform/tray.h"

namespace testing_support {

// A tray double: every tray icon the program creates while this object lives is a recording
// one; the test raises the icon's events itself.
class FakeTray {
  public:
    struct Icon final : platform::TrayIcon {
        void SetIcon(const QIcon& icon) override {
            this->icon = icon;
            shown = true;
        }
        void SetToolTip(const QString& text) override { toolTip = text; }
        void RemoveIcon() override {
            shown = false;
            ++removals;
        }

        QIcon icon;
        QString toolTip;
        bool shown = false;
        int removals = 0;
    };

    FakeTray() {
        platform::InstallTrayIconFactory([this] {
            auto icon = std::make_unique<Icon>();
            icons_.push_back(icon.get());
            return icon;
        });
    }
    ~FakeTray() { platform::InstallTrayIconFactory({}); }

    // The icon created last. The program must have created one: without it the test fails and
    // gets a blank icon, never a crash that hides the later results.
    Icon& Last() const {
        if (!icons_.empty()) return *icons_.back();
        ADD_FAILURE() << "no tray icon was created";
        return missing_;
    }
    int Created() const { return static_cast<int>(icons_.size()); }

  private:
    std::vector<Icon*> icons_;
    mutable Icon missing_;
};

}  // namespace testing_support
