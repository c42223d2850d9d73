#pragma once

namespace rt::qt {

/// Teaches Qt's accessibility what the lesson's widgets are: the window is a frame, not a
/// filler, an editable combo box is named by its name, not by its text, and a toggle button
/// is pressed, never toggled, by assistive technology. Once is enough.
void installAccessibility();

} // namespace rt::qt
