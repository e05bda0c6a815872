#pragma once

#include <utility>

namespace platform {

// A service of the desktop that tests replace with a double: the system's own (a `Fallback`,
// made on first use) unless another has been installed.
template <class Interface, class Fallback>
class Replaceable {
  public:
    Interface& Get() {
        if (installed_) return *installed_;
        static Fallback fallback;
        return fallback;
    }

    // Installs `replacement` (not owned), nullptr restoring the system's; returns the previous.
    Interface* Install(Interface* replacement) { return std::exchange(installed_, replacement); }

  private:
    Interface* installed_ = nullptr;
};

}  // namespace platform
