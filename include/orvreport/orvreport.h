#pragma once

// Everything a host of the report engine needs: the control, its typed
// interface, the values it exchanges, its failures and its events.
#include "control/EngineError.h"
#include "control/OrvReportEngine.h"
#include "control/OrvReportEngineEvents.h"
#include "control/TORVREP.h"
#include "control/Variant.h"
#include "control/Version.h"
