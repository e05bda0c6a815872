#pragma once

#include <QHash>
#include <QStringList>
#include <functional>

#include "platform/browser.h"

namespace testing_support {

// A browser double: every browser control the program creates while this object lives records
// the addresses it is sent to and "loads" the document the test gave for that address (an
// empty one otherwise), at once, after the redirect the test gave for that address.
class FakeBrowsers {
  public:
    struct View final : platform::BrowserView {
        View(QWidget* parent, FakeBrowsers& owner) : BrowserView(parent), owner(owner) {}
        void Navigate(const QString& url) override {
            owner.navigated << url;
            if (owner.onNavigate) owner.onNavigate();
            location = owner.redirects.value(url, url);
            document = owner.documents.value(url);
        }
        bool Busy() const override { return false; }
        QString DocumentHtml() const override { return platform::RootInnerHtml(document); }
        QString FirstInputValue() const override { return platform::FirstInputValueOf(document); }
        QString LocationUrl() const override { return location; }

        FakeBrowsers& owner;
        QString location;
        QString document;
    };

    FakeBrowsers() {
        platform::InstallBrowserViewFactory(
            [this](QWidget* parent) { return new View(parent, *this); });
    }
    ~FakeBrowsers() { platform::InstallBrowserViewFactory({}); }

    // Every address any browser control was sent to, in order.
    QStringList navigated;
    // The document a navigation to an address loads.
    QHash<QString, QString> documents;
    // The address a navigation to an address ends on; the address itself when it has none.
    QHash<QString, QString> redirects;
    // Runs at every navigation, before its document loads.
    std::function<void()> onNavigate;
};

}  // namespace testing_support
