#pragma once

// orv::kVersionText, the version the Version property reports.
#include "control/Version.h"
