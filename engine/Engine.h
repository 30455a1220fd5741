#pragma once

// The spacing engine: pure standard C++, metric inside. Numbers and physics only: it
// computes, converts and formats numbers; it never includes a Qt header, reads a file,
// knows a catalogue id or holds a word meant for the user.

#include "EngineError.h"
#include "FluidTemperature.h"
#include "NumberText.h"
#include "NumericHelpers.h"
#include "PipeSizes.h"
#include "SensorTypes.h"
#include "Spacing.h"
#include "UnitSystem.h"
