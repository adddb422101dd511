// The entry point of the shared library libmeasgrid.so.
#include "MeasLibrary.h"

PG_CONTROL_LIBRARY_ENTRY(measgrid::MeasLibrary)
