#pragma once
// Resource ids of Velmir.dll.

#define IDI_VELMIR 1003
