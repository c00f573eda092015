#pragma once
// Unattended run for documentation: once the plug-in's window is up, run the
// summary (optionally), press Print (optionally), save a picture of the
// screen or of the report preview, and close everything down to Exit.

#include "HostOptions.h"

/// Arms timers that act inside the plug-in's modal run.
void armScreenshot(const HostOptions& options);
