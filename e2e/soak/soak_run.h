#pragma once
// What the long runs share: their length and seed, the dialogs a process
// shows, and whether a window still answers.
#include <windows.h>

#include <random>
#include <string>
#include <vector>

// Seconds from the environment variable, or fallback; the short run of the
// test suite takes the fallback, scripts/soak sets the long one.
int runSeconds(const char* variable, int fallback);
// VORBIN_SOAK_SEED, or one taken from the clock; printed so a run can be repeated.
unsigned runSeed();

// The visible dialogs of a process other than its main window, newest first.
std::vector<HWND> dialogsOf(DWORD processId, HWND mainWindow);
// Answers every dialog the process shows with Cancel as a user does (Escape),
// after typing a few letters into it when typeFirst; returns how many were
// closed, or -1 when one stayed open.
int cancelDialogs(DWORD processId, HWND mainWindow, std::mt19937& random, bool typeFirst);

// Whether window's thread handles a sent message within limitMs; how long
// the answer took goes to tookMs.
bool answers(HWND window, DWORD limitMs, DWORD& tookMs);

// A figure line of a run, printed and kept in build/results for the README.
void reportFigures(const std::string& run, const std::string& line);
