#pragma once

namespace rt::qt {

/// Teaches Qt's accessibility what the lesson's widgets are: the window is a frame, not a
/// filler, and an editable combo box is named by its name, not by its text. Once is enough.
void installAccessibility();

} // namespace rt::qt
