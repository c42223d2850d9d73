#pragma once

#include "runtime/core/form.h"

/// Prints the container's litre labels, 0 to 60, beside its scale marks.
void printContainerScale(rt::Form &form);
/// Prints the graph's axis labels: every 10 up the vertical axis, every 2 along the other.
void printGraphScale(rt::Form &form);
