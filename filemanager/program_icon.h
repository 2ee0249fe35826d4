// tavvel's icon, carried in the program as a resource: a 32 x 32 and a 16 x 16 image,
// named "tavvel" in the icon theme.
#pragma once

namespace filemanager {

inline constexpr char kProgramIconName[] = "tavvel";

// Puts the icon in the display's icon theme and makes it the icon of every window
// that sets none of its own, which Form1 does not.
void InstallProgramIcon();

}  // namespace filemanager
