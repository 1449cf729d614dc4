#pragma once

// The events a control sends to its host (orv::IOrvReportEngineEvents).
#include "control/OrvReportEngineEvents.h"
