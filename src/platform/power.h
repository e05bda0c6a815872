#pragma once

namespace platform {

enum class PowerAction { ShutDown, Restart, PowerOff };

// Switches the machine off or restarts it. Tests always install a double: nothing in a test
// run may switch the machine off.
class Power {
  public:
    virtual ~Power() = default;
    // Asks the system to act; false when it refused or could not be asked.
    virtual bool Act(PowerAction action) = 0;
};

Power& ThePower();
// Installs `power` (not owned); nullptr restores the system's. Returns the one it replaces.
Power* InstallPower(Power* power);

}  // namespace platform
