#pragma once

// The report engine control (orv::TORVREP), a QWidget a Qt host places in
// one of its windows or keeps hidden; see OrvReportEngine.h for its
// operations.
#include "control/TORVREP.h"
