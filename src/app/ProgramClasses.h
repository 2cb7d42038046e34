#pragma once
// Everything the form reader needs before the program's forms can be made: the stored form
// descriptions and skins as resources, the skin engine's classes and the two form classes. The
// program, its tests and its benchmarks all start this way.
void RegisterProgramClasses();
