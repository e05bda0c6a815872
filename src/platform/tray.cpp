#include "platform/tray.h"

#include <QSystemTrayIcon>

namespace platform {
namespace {

class DesktopTrayIcon final : public TrayIcon {
  public:
    DesktopTrayIcon() {
        QObject::connect(&icon_, &QSystemTrayIcon::activated, &icon_,
                         [this](QSystemTrayIcon::ActivationReason reason) { Activated(reason); });
    }

    void SetIcon(const QIcon& icon) override {
        icon_.setIcon(icon);
        icon_.show();
    }
    void SetToolTip(const QString& text) override { icon_.setToolTip(text); }
    void RemoveIcon() override { icon_.hide(); }

  private:
    void Activated(QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
            case QSystemTrayIcon::Trigger:
                if (MouseButton) MouseButton(1);
                if (Restore) Restore();
                break;
            case QSystemTrayIcon::DoubleClick:
                if (Restore) Restore();
                break;
            case QSystemTrayIcon::Context:
                if (MouseButton) MouseButton(2);
                break;
            case QSystemTrayIcon::MiddleClick:
                if (MouseButton) MouseButton(4);
                break;
            case QSystemTrayIcon::Unknown:
                break;
        }
    }

    QSystemTrayIcon icon_;
};

TrayIconFactory& Installed() {
    static TrayIconFactory factory;
    return factory;
}

}  // namespace

std::unique_ptr<TrayIcon> CreateTrayIcon() {
    if (Installed()) return Installed()();
    return std::make_unique<DesktopTrayIcon>();
}

void InstallTrayIconFactory(TrayIconFactory factory) {
    Installed() = std::move(factory);
}

}  // namespace platform
