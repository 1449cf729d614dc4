#pragma once

// Late binding: every operation by name through orv::TDispatchTable.
#include "control/Dispatch.h"
