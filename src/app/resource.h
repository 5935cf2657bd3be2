#pragma once
#define IDD_MAIN 102
#define IDI_MAIN 128
