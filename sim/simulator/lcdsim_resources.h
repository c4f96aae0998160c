// The ids of LCDSIM.exe's resources, shared by its resource script and its code.
#pragma once

// The simulator's icon: a small LCD module, so that its window is not taken for KORVAN3's.
#define IDI_LCDSIM 101
