#pragma once

// The engine targets reach the regex library through RegexHandle, as the program does. A
// RegexHandle opened here for the whole run keeps the library loaded between the engine's uses,
// so that it is not loaded and freed around every match (which the coverage counters of an
// instrumented library would not survive), and the library's records read the code page given.
void useRegexLibrary(unsigned codePage);
