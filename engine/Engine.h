#pragma once

// The spacing engine: pure standard C++, metric inside. Numbers and physics only: it
// computes, converts and formats numbers; it never includes a Qt header, reads a file,
// knows a catalogue id or holds a word meant for the user.

#include "engine/EngineError.h"
#include "engine/FluidTemperature.h"
#include "engine/NumberText.h"
#include "engine/NumericHelpers.h"
#include "engine/PipeSizes.h"
#include "engine/SensorTypes.h"
#include "engine/Spacing.h"
#include "engine/UnitSystem.h"
