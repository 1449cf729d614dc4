#pragma once

// orv::EngineError, the failure every operation reports, and its status codes.
#include "control/EngineError.h"
