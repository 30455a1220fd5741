#pragma once

// The rules layer: what every front end (the window, quillmere-calc, the browser page)
// must do alike, in plain C++ on the engine and the catalogue: the leave-field check, the
// list sources, the execute command's reading of the entries and its result texts, and
// failures in the catalogue's words. No Qt, no I/O, no run-wide settings: the caller passes
// the unit system and the language.

#include "Execute.h"
#include "FieldCheck.h"
#include "Fields.h"
#include "FluidAtTemperature.h"
#include "JobIdentity.h"
#include "JobRecord.h"
#include "Lists.h"
#include "PipeChoice.h"
#include "TextFold.h"
#include "Utf8.h"
#include "Words.h"
