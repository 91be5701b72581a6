#pragma once

// The program's name as the user sees it: window titles, the user data folder, the registry keys
// and the single-instance lock all use this one text.
inline constexpr char ApplicationName[] = "ZR35 Mouse Software";
