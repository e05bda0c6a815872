#include "shared/busy_indicator.h"

namespace BusyIndicator {
namespace {

QString state;
std::function<void(const QString&)> display;

}  // namespace

void Attach(std::function<void(const QString&)> show) {
    display = std::move(show);
    if (display) display(state);
}

QString Text() {
    return state;
}

void Set(const QString& text) {
    state = text;
    if (display) display(text);
}

}  // namespace BusyIndicator
