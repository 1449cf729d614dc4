#pragma once

// orv::Variant, the automation value the interface takes and returns.
#include "control/Variant.h"
