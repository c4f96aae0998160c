// The ids of KORVAN3.exe's resources, shared by the resource script and the program.
#pragma once

// The application icon: the window's large icon.
#define IDI_APP 101
