#pragma once
#include <windows.h>

class Settings;

// The settings record of this process; valid while the application runs.
Settings& settings();

// Start-up and end of one instance; returns the process exit code.
int runApplication(HINSTANCE instance);
