#pragma once

// What assistive technology sees of the windows: the windows as frames, the main window's
// labels with their names and their ties to what they name.
namespace Akadálymentesség {

// The properties that tie a label to the widgets it names ("labelFor") or is named by
// ("labelledBy"), besides its buddy and its titled group box: a QObjectList each.
inline constexpr const char* LabelFor = "labelFor";
inline constexpr const char* LabelledBy = "labelledBy";

// Installs the interfaces; once, at start.
void Telepít();

} // namespace Akadálymentesség
