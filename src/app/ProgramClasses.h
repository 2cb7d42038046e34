#pragma once
// What the program makes known before its application starts: its stored form descriptions and
// icon, its stored skins, and every class its descriptions name (the standard and skinned
// controls, the skin manager, the two forms). main, the tests and the benchmarks start the same way
// through this one call.

// Safe to call more than once.
void RegisterProgramClasses();
