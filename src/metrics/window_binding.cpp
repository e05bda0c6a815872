#include "metrics/window_binding.h"

#include <QWidget>

#include "shell/blocking_settings_dialog.h"

namespace metrics {

void WindowBinding::ShowBlockingSettings() {
    // The windows that bind the metrics are widgets themselves: the dialog opens over them.
    ::ShowBlockingSettings(dynamic_cast<QWidget*>(this));
}

}  // namespace metrics
