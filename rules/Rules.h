#pragma once

// The rules layer: what every front end (the window, quillmere-calc, the browser page)
// must do alike, in plain C++ on the engine and the catalogue: the leave-field check, the
// list sources, the execute command's reading of the entries and its result texts, and
// failures in the catalogue's words. No Qt, no I/O, no run-wide settings: the caller passes
// the unit system and the language.

#include "rules/Execute.h"
#include "rules/FieldCheck.h"
#include "rules/Fields.h"
#include "rules/FluidAtTemperature.h"
#include "rules/JobIdentity.h"
#include "rules/JobRecord.h"
#include "rules/Lists.h"
#include "rules/PipeChoice.h"
#include "rules/TextFold.h"
#include "rules/Utf8.h"
#include "rules/Words.h"
