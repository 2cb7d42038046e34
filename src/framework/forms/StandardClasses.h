#pragma once
// Makes the standard classes known to the form reader by name: forms, panels, edits, buttons,
// check boxes, labels, images and timers, with the classes they derive from.

namespace framework {

// Safe to call more than once.
void RegisterStandardClasses();

}  // namespace framework
