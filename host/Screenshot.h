#pragma once
// Unattended run for documentation: once the plug-in's window is up, run the
// summary (optionally), save a picture of the screen and press Exit.

#include "HostOptions.h"

/// Arms timers that act inside the plug-in's modal run.
void armScreenshot(const HostOptions& options);
