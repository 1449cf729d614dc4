#pragma once

namespace orv {

// The logical pixels per inch of the primary screen; 96 without a screen
// (and on the offscreen platform), so that headless layout is reproducible.
double screenPixelsPerInch();

} // namespace orv
