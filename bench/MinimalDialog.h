#pragma once
#define kMinimalDialog 100
#define kMinimalControl 1020
