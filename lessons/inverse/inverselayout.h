#pragma once

#include "runtime/core/formdefinition.h"

/// The second lesson's window: the same container as the first, the rates to choose from, and
/// the table and graph of the minutes each rate needs.
const rt::FormDef &inverseWindowDefinition();
