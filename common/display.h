#pragma once
// Without a display Qt would end with a platform error that says nothing to
// a teacher. Both programs ask this first and say what is missing and how
// to start anyway.

// True (after telling so on standard error) when no display can be used.
bool displayMissing(const char* japaneseName, const char* program, const char* path);
