#pragma once

#include <QIcon>
#include <QString>
#include <functional>
#include <memory>

namespace platform {

// The program's icon in the notification area.
class TrayIcon {
  public:
    virtual ~TrayIcon() = default;
    // Shows `icon` in the notification area.
    virtual void SetIcon(const QIcon& icon) = 0;
    virtual void SetToolTip(const QString& text) = 0;
    // Takes the icon out of the notification area.
    virtual void RemoveIcon() = 0;

    // The user asks to bring the window back (a click or double click on the icon).
    std::function<void()> Restore;
    // A mouse button pressed on the icon: 1 left, 2 right, 4 middle.
    std::function<void(int button)> MouseButton;
};

using TrayIconFactory = std::function<std::unique_ptr<TrayIcon>()>;

// A new tray icon, not shown yet: the desktop's, unless a test has installed a factory.
std::unique_ptr<TrayIcon> CreateTrayIcon();
// Installs `factory` in place of the desktop's; an empty factory restores the desktop's.
void InstallTrayIconFactory(TrayIconFactory factory);

}  // namespace platform
