#pragma once

// The control's programmable interface (orv::IOrvReportEngine): every
// operation typed, failures thrown as orv::EngineError.
#include "control/OrvReportEngine.h"
