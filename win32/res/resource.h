#pragma once

// Resource IDs shared by twinpath.rc and the code. The icon takes the lowest
// ID: shells show the first icon of a program file as its own.
#define IDI_TWINPATH 1
