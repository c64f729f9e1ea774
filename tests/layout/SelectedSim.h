// One simulated processor for the layout tests: procsim started with a state
// file, found by a search, selected and read back, as the communication page
// does it.
#pragma once

#include "ProcSim.h"

#include <QString>
#include <memory>

class MiddleHandler;

namespace SelectedSim {
// Starts procsim playing one device at TestNet::kDeviceIp1 with the state
// file, and makes it the selected device with its configuration read back.
// Null (with a warning) when any step fails.
std::unique_ptr<ProcSim> Start(MiddleHandler* h, const QString& statePath);
}  // namespace SelectedSim
