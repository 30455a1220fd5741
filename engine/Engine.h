#pragma once

// The spacing engine: pure standard C++, metric inside. It computes, converts and formats
// numbers; it never includes a Qt header, reads a file or holds user-facing words.

#include "Calculation.h"
#include "EngineError.h"
#include "MaterialTables.h"
#include "NumberText.h"
#include "NumericHelpers.h"
#include "SensorTypes.h"
#include "Spacing.h"
#include "UnitSystem.h"
