#pragma once

#include "runtime/core/formdefinition.h"

/// The main window's definition: every control with its box, colours, caption, font and tab
/// index; lines, rectangles and labels in drawing order, backmost first.
const rt::FormDef &mainWindowDefinition();
