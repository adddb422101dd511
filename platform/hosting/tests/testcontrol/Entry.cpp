// The entry point of the shared library pgtestcontrol.
#include "Probe.h"

PG_CONTROL_LIBRARY_ENTRY(probe::ProbeLibrary)
